#include "CsvReader.h"
#include "Desk.h"
#include "FileSizeLimit.h"
#include "ScriptedDesktop.h"
#include "ScriptedMessageBoxes.h"
#include "TestFiles.h"
#include "Widgets.h"

#include "app/Application.h"
#include "app/DataBackup.h"
#include "app/EditPage.h"
#include "app/TodayPage.h"
#include "app/frmMain.h"
#include "data/DeliveredFiles.h"
#include "games/common/ProgramState.h"
#include "platform/MessageBoxes.h"
#include "ui/Chart.h"
#include "ui/ColorButton.h"
#include "ui/Colors.h"
#include "ui/Grid.h"
#include "ui/HelpWindows.h"
#include "ui/MonthView.h"
#include "ui/Picture.h"
#include "ui/Shape.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <QValueAxis>

#include <memory>
#include <optional>

using namespace kotohana;
using namespace kotohana::test;

namespace {

// Five plays: three today (2024/05/18), two on earlier days; appended by games.
const QString kFivePlays = QStringLiteral("\"2024/05/16\",\"20:00:00\",\"しりとり\",60,\"秒数 : 60　新語 +1\",\n"
                                          "\"2024/05/17\",\"07:30:00\",\"バラバラ\",47.3,\"答数 : 10\",\n"
                                          "\"2024/05/18\",\"08:00:00\",\"プラマイ\",60,\"秒数 : 60  (＋) モード\",\n"
                                          "\"2024/05/18\",\"08:05:00\",\"プラマイ\",12.5,\"答数 : 5  (－) モード\",\n"
                                          "\"2024/05/18\",\"21:05:09\",\"カラパニ\",30,\"秒数 : 30  Eモード\",\n");

QString rewritten(const QString &appended)
{
    QString text = appended;
    text.replace(QStringLiteral(",\n"), QStringLiteral(",\"\"\n"));
    return text;
}

} // namespace

class TestRecordBook : public QObject
{
    Q_OBJECT

private:
    std::optional<Desk> m_desk;
    ProgramState m_state;
    HelpWindows m_help{QStringLiteral(":/help/index.html")};

    QString records() const { return m_desk->file(u"データ.txt"); }

    std::unique_ptr<frmMain> load() { return loadWindow<frmMain>(m_desk->services, m_state, m_help); }

    static void clickRow(Grid *grid, int row)
    {
        const QModelIndex cell = grid->model()->index(row - 1, 1);
        grid->scrollTo(cell);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
    }

    static QStringList column(Grid *grid, int col)
    {
        QStringList texts;
        for (int r = 1; r < grid->rows(); ++r)
            texts.append(grid->textMatrix(r, col));
        return texts;
    }

    static QString shownFace(const frmMain &window)
    {
        QStringList shown;
        for (const char *name : {"imgNashi", "imgkana", "imgniko", "imgwara"}) {
            if (!find<Picture>(window, QString::fromLatin1(name))->isHidden())
                shown.append(QString::fromLatin1(name));
        }
        return shown.join(u',');
    }

    static int litLampCount(const frmMain &window)
    {
        int lit = 0;
        for (int i = 1; i <= 7; ++i) {
            const QColor color = find<kotohana::Shape>(window, QStringLiteral("shpLed%1").arg(i))->fillColor();
            if (color != QColor(Qt::white)) {
                if (color != lampColor(i))
                    qFatal("lamp %d has a wrong colour", i);
                ++lit;
            }
        }
        return lit;
    }

private Q_SLOTS:
    void init()
    {
        m_desk.emplace(QDateTime(QDate(2024, 5, 18), QTime(22, 0, 0)), 1);
        m_state = ProgramState();
        m_state.welcomeShown = true;
        writeBytes(m_desk->file(u"設定.txt"), sjis(QStringLiteral("\"ヘルプツアー\",0\n")));
    }

    void emptyFileShowsTheRestingFace();
    void playsOfTheDayLightLampsAndFace();
    void sevenGamesLightEveryLamp();
    void mainPageFollowsOutsideChanges();
    void pickingADayShowsThatDay();
    void streakBesideTheLamps();
    void chartButtonsDrawFromTheLists();
    void helpTourSwitch();
    void userNameAndTitle();
    void userNameRefusesWhatCannotBeStored();
    void diaryChangesOnlyItsRecord();
    void diaryKeepsRecordsWholeAndRefusesEmoji();
    void diaryWriteFailureKeepsOldFile();
    void diaryBacksUpUnreadLines();
    void memoSavesAndLoads();
    void unreadableFilesAreReported();
    void unsavedMemoIsNotLostSilently();
    void deletingTheThirdOfFive();
    void changesApplyToTheFileAsItIsNow();
    void cancelDeletesNothing();
    void lastRecordAsksLikeAnyOther();
    void csvHoldsEveryRecord();
    void csvCancelledOrUnwritable();
    void dataFolderOpensInTheFileManager();
    void restoreFromTheEditPage();
    void unwritableFolderStartsReadOnly();
    void startBacksUpEveryDataFile();
    void unreadLinesAreAnnouncedOncePerRun();
    void wholeRoadThroughTheRecordBook();
};

void TestRecordBook::emptyFileShowsTheRestingFace()
{
    writeBytes(records(), QByteArray());
    auto window = load();
    QCOMPARE(shownFace(*window), QStringLiteral("imgNashi"));
    QCOMPARE(litLampCount(*window), 0);
    auto *caption = find<QLabel>(*window, QStringLiteral("lblMHyouka"));
    QCOMPARE(caption->text(), QStringLiteral("今日の脳も健康元気"));
    QCOMPARE(caption->palette().color(QPalette::Window), QColor(Qt::white));
    QCOMPARE(find<QLabel>(*window, QStringLiteral("lblDayTotal"))->text(), QStringLiteral("0:00:00"));
    QCOMPARE(find<Grid>(*window, QStringLiteral("msgDayList"))->rows(), 1);
    QCOMPARE(find<Grid>(*window, QStringLiteral("msgDayTotal"))->rows(), 1);
    QVERIFY(m_desk->messages.shown().isEmpty());
    QVERIFY(find<Chart>(*window, QStringLiteral("mcrMain"))->showsEmptyText());
}

void TestRecordBook::playsOfTheDayLightLampsAndFace()
{
    writeBytes(records(), sjis(kFivePlays));
    auto window = load();
    auto *list = find<Grid>(*window, QStringLiteral("msgDayList"));
    QCOMPARE(column(list, 1), (QStringList{QStringLiteral("08:00:00"), QStringLiteral("08:05:00"), QStringLiteral("21:05:09")}));
    QCOMPARE(column(list, 3), (QStringList{QStringLiteral("60"), QStringLiteral("12.5"), QStringLiteral("30")}));
    auto *totals = find<Grid>(*window, QStringLiteral("msgDayTotal"));
    QCOMPARE(column(totals, 1), (QStringList{QStringLiteral("プラマイ"), QStringLiteral("カラパニ")}));
    QCOMPARE(column(totals, 2), (QStringList{QStringLiteral("2"), QStringLiteral("1")}));
    QCOMPARE(column(totals, 3), (QStringList{QStringLiteral("72"), QStringLiteral("30")}));
    QCOMPARE(find<QLabel>(*window, QStringLiteral("lblDayTotal"))->text(), QStringLiteral("0:01:42"));
    QCOMPARE(shownFace(*window), QStringLiteral("imgniko"));
    QCOMPARE(litLampCount(*window), 2);
    auto *caption = find<QLabel>(*window, QStringLiteral("lblMHyouka"));
    QCOMPARE(caption->text(), QStringLiteral("2 種類の脳刺激"));
    QCOMPARE(caption->palette().color(QPalette::Window), QColor(255, 224, 192));
    // The chart at rest already has the day's value axis, from 0 to its longest play.
    auto *chart = find<Chart>(*window, QStringLiteral("mcrMain"));
    QCoreApplication::processEvents();
    QVERIFY(!chart->showsEmptyText());
    const auto *values = qobject_cast<QValueAxis *>(chart->chart()->axes(Qt::Vertical).value(0));
    QVERIFY(values);
    QCOMPARE(values->max(), 60.0);
    // Its labels stand at round steps below the maximum, not at fractions of it.
    QCOMPARE(values->tickType(), QValueAxis::TicksDynamic);
    QCOMPARE(values->tickAnchor(), 0.0);
    QVERIFY(values->tickInterval() == 10 || values->tickInterval() == 20 || values->tickInterval() == 50);
    QCOMPARE(chart->chart()->title(), QString::fromUtf16(Chart::kChoose)); // not a bare frame
}

// Another program saves while the record book is open: going back to the main page, and the
// statistics pages' span of days, show the file as it is then.
void TestRecordBook::mainPageFollowsOutsideChanges()
{
    writeBytes(records(), sjis(kFivePlays));
    auto window = load();
    click(*window, QStringLiteral("cmdBunseki"));
    writeBytes(records(),
               sjis(QStringLiteral("\"2024/05/01\",\"06:00:00\",\"連想心理\",60,\"\",\n") + kFivePlays
                    + QStringLiteral("\"2024/05/18\",\"21:30:00\",\"しりとり\",60,\"\",\n")));
    click(*window, QStringLiteral("cmdMain"));
    QCOMPARE(column(find<Grid>(*window, QStringLiteral("msgDayList")), 2),
             (QStringList{QStringLiteral("プラマイ"), QStringLiteral("プラマイ"), QStringLiteral("カラパニ"),
                          QStringLiteral("しりとり")}));
    QCOMPARE(shownFace(*window), QStringLiteral("imgwara"));

    writeBytes(records(), sjis(QStringLiteral("\"2024/04/30\",\"06:00:00\",\"連想心理\",60,\"\",\n") + kFivePlays));
    click(*window, QStringLiteral("cmdSyuukei"));
    QCOMPARE(window->findChild<TodayPage *>()->view().firstRecordDate, QStringLiteral("2024/04/30"));
    QCOMPARE(shownFace(*window), QStringLiteral("imgniko"));
}

void TestRecordBook::sevenGamesLightEveryLamp()
{
    QString text;
    for (const char16_t *name : {u"プラマイ", u"しりとり", u"バラバラ", u"四熟虫喰", u"連想心理", u"カラパニ", u"ボキャブラ"})
        text += QStringLiteral("\"2024/05/18\",\"10:00:00\",\"%1\",60,\"\",\n").arg(QString::fromUtf16(name));
    writeBytes(records(), sjis(text));
    auto window = load();
    QCOMPARE(shownFace(*window), QStringLiteral("imgwara"));
    QCOMPARE(litLampCount(*window), 7);
    auto *caption = find<QLabel>(*window, QStringLiteral("lblMHyouka"));
    QCOMPARE(caption->text(), QStringLiteral("7 種類の脳刺激"));
    QCOMPARE(caption->palette().color(QPalette::Window), QColor(255, 192, 255));
}

// The streak counts the days up to today on the clock, whatever day the month view shows, and
// follows the file at every build of the page.
void TestRecordBook::streakBesideTheLamps()
{
    const QString beforeToday = QStringLiteral("\"2024/05/15\",\"20:00:00\",\"しりとり\",60,\"\",\n"
                                               "\"2024/05/16\",\"20:00:00\",\"しりとり\",60,\"\",\n"
                                               "\"2024/05/17\",\"07:30:00\",\"バラバラ\",47.3,\"\",\n");
    writeBytes(records(), sjis(beforeToday));
    m_desk->clock.set(QDateTime(QDate(2024, 5, 18), QTime(23, 59, 59)));
    auto window = load();
    auto *streak = find<QLabel>(*window, QStringLiteral("lblStreak"));
    QCOMPARE(streak->text(), QStringLiteral("連続 3 日"));
    QVERIFY(!streak->isHidden());

    // Another day is picked: the streak stays today's.
    auto *monthView = find<MonthView>(*window, QStringLiteral("mtvmain"));
    monthView->setValue(QDate(2024, 5, 15));
    Q_EMIT monthView->dateClick(QDate(2024, 5, 15));
    QCOMPARE(streak->text(), QStringLiteral("連続 3 日"));

    // Today's first play, saved at the last second of the day.
    writeBytes(records(), sjis(beforeToday + QStringLiteral("\"2024/05/18\",\"23:59:59\",\"プラマイ\",60,\"\",\n")));
    window = load();
    streak = find<QLabel>(*window, QStringLiteral("lblStreak"));
    QCOMPARE(streak->text(), QStringLiteral("連続 4 日"));

    // Midnight: the new day has no play yet, and the streak up to yesterday holds.
    m_desk->clock.set(QDateTime(QDate(2024, 5, 19), QTime(0, 0, 0)));
    window = load();
    streak = find<QLabel>(*window, QStringLiteral("lblStreak"));
    QCOMPARE(streak->text(), QStringLiteral("連続 4 日"));

    // A whole day without a play ends it.
    m_desk->clock.set(QDateTime(QDate(2024, 5, 20), QTime(0, 0, 0)));
    window = load();
    streak = find<QLabel>(*window, QStringLiteral("lblStreak"));
    QVERIFY(streak->text().isEmpty());
    QVERIFY(streak->isHidden());
}

void TestRecordBook::pickingADayShowsThatDay()
{
    writeBytes(records(), sjis(kFivePlays));
    auto window = load();
    auto *monthView = find<MonthView>(*window, QStringLiteral("mtvmain"));
    QCOMPARE(monthView->value(), QDate(2024, 5, 18));
    monthView->setValue(QDate(2024, 5, 17));
    Q_EMIT monthView->dateClick(QDate(2024, 5, 17));
    auto *list = find<Grid>(*window, QStringLiteral("msgDayList"));
    QCOMPARE(column(list, 2), QStringList{QStringLiteral("バラバラ")});
    QCOMPARE(shownFace(*window), QStringLiteral("imgkana"));
    QCOMPARE(find<QLabel>(*window, QStringLiteral("lblMHyouka"))->text(), QStringLiteral("1 種類の脳刺激"));
    QCOMPARE(window->focusWidget(), find<QPushButton>(*window, QStringLiteral("cmdMain")));

    // A day without plays among days with plays.
    monthView->setValue(QDate(2024, 5, 10));
    Q_EMIT monthView->dateClick(QDate(2024, 5, 10));
    QCOMPARE(list->rows(), 1);
    QCOMPARE(shownFace(*window), QStringLiteral("imgNashi"));
    QCOMPARE(find<QLabel>(*window, QStringLiteral("lblDayTotal"))->text(), QStringLiteral("0:00:00"));
}

void TestRecordBook::chartButtonsDrawFromTheLists()
{
    writeBytes(records(), sjis(kFivePlays));
    auto window = load();
    auto *chart = find<Chart>(*window, QStringLiteral("mcrMain"));
    QCOMPARE(chart->pointCount(), 1); // nothing chosen yet: one empty point
    QCOMPARE(chart->value(1, 1), 0.0);

    auto *byItem = find<ColorButton>(*window, QStringLiteral("cmdTotal"));
    QTest::mouseClick(byItem, Qt::LeftButton);
    QCOMPARE(byItem->backColor(), windowsColor(0xC0C0FF));
    QCOMPARE(find<ColorButton>(*window, QStringLiteral("cmdDay"))->backColor(), windowsColor(kButtonFace));
    QCOMPARE(chart->pointCount(), 2);
    QCOMPARE(chart->value(1, 1), 72.0);
    QCOMPARE(chart->label(1), QStringLiteral("プラ"));
    const auto description = [chart] { return QAccessible::queryAccessibleInterface(chart)->text(QAccessible::Description); };
    QTRY_COMPARE(description(), QStringLiteral("項目別のプレイ秒数：プラ 72、カラ 30"));

    click(*window, QStringLiteral("cmdDay"));
    QCOMPARE(chart->pointCount(), 3);
    QCOMPARE(chart->value(1, 2), 12.5);
    QCOMPARE(chart->label(3), QStringLiteral("カラ"));

    click(*window, QStringLiteral("cmdJikan"));
    QCOMPARE(chart->pointCount(), 24);
    QCOMPARE(chart->value(1, 9), 72.0); // 08:00 and 08:05: 60 + 12.5 → 72
    QCOMPARE(chart->value(1, 22), 30.0);
    QCOMPARE(chart->label(1), QStringLiteral(" 0"));
    QTRY_COMPARE(description(), QStringLiteral("時間別のプレイ秒数：24 点、0 ～ 23、最高 72（8）、最低 0（0）、最新 0（23）"));

    // The lit chart follows the day picked.
    auto *monthView = find<MonthView>(*window, QStringLiteral("mtvmain"));
    monthView->setValue(QDate(2024, 5, 17));
    Q_EMIT monthView->dateClick(QDate(2024, 5, 17));
    QCOMPARE(chart->pointCount(), 24);
    QCOMPARE(chart->value(1, 8), 47.0);
}

void TestRecordBook::helpTourSwitch()
{
    const QString settings = m_desk->file(u"設定.txt");
    const QByteArray off = sjis(QStringLiteral("\"ヘルプツアー\",0\n"));
    auto window = load();
    auto *box = find<QCheckBox>(*window, QStringLiteral("chkHelp"));
    QVERIFY(!box->isChecked());
    QCOMPARE(readBytes(settings), off); // loading set the box and wrote nothing
    QVERIFY(m_desk->messages.shown().isEmpty());

    QTest::mouseClick(box, Qt::LeftButton);
    QCOMPARE(m_desk->messages.shown().size(), 1);
    QCOMPARE(m_desk->messages.shown().last().title, QStringLiteral("ヘルプツアーＯＮ"));
    QCOMPARE(m_desk->messages.shown().last().text, QStringLiteral("ヘルプツアー機能をオンにします。"));
    QCOMPARE(readBytes(settings), sjis(QStringLiteral("\"ヘルプツアー\",1\n")));

    click(*window, QStringLiteral("cmdMemo"));
    QCOMPARE(m_desk->messages.shown().size(), 2);
    QCOMPARE(m_desk->messages.shown().last().title, QStringLiteral("ヘルプツアー"));
    QCOMPARE(m_desk->messages.shown().last().text,
             QStringLiteral("一回一回の記録ごとにちょっとしたコメントを残すことができます。\r\n"
                            "簡単な一言日記的な使い方でご利用ください\r\n\r\n"
                            "メモはよりフリーにいろんなことが書き込めます。\r\n"
                            "それぞれの項目についての効果や意味合いなどを残しておくのも良いと思います。\r\n\r\n"));
    click(*window, QStringLiteral("cmdSettei"));
    QCOMPARE(m_desk->messages.shown().last().text,
             QStringLiteral("これまでのデータを全部削除して新規にスタートさせたり、個別に削除することができます。\r\n\r\n"
                            "名前（ニックネームM）を登録することもできます\r\n\r\n"));
    click(*window, QStringLiteral("cmdMain")); // the main page has no explanation
    QCOMPARE(m_desk->messages.shown().size(), 3);

    QTest::mouseClick(box, Qt::LeftButton);
    QCOMPARE(m_desk->messages.shown().last().title, QStringLiteral("ヘルプツアーＯＦＦ"));
    QCOMPARE(readBytes(settings), off);
    click(*window, QStringLiteral("cmdMemo"));
    QCOMPARE(m_desk->messages.shown().size(), 4);

    // The keyboard (or an assistive tool) toggles the box as a click does.
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Space);
    QCOMPARE(m_desk->messages.shown().last().title, QStringLiteral("ヘルプツアーＯＮ"));
    QCOMPARE(readBytes(settings), sjis(QStringLiteral("\"ヘルプツアー\",1\n")));
    box->setChecked(false);
    QCOMPARE(m_desk->messages.shown().last().title, QStringLiteral("ヘルプツアーＯＦＦ"));
    QCOMPARE(readBytes(settings), off);
}

void TestRecordBook::userNameAndTitle()
{
    writeBytes(m_desk->file(u"プライベート.txt"), sjis(QStringLiteral("\"氏名\",\"花子\"\n")));
    auto window = load();
    QCOMPARE(window->windowTitle(), QStringLiteral(" 花子 の コトハナ"));
    click(*window, QStringLiteral("cmdSettei"));
    auto *name = find<QLineEdit>(*window, QStringLiteral("txtPriData"));
    QCOMPARE(name->text(), QStringLiteral("花子"));

    name->setText(QStringLiteral("太郎"));
    click(*window, QStringLiteral("cmdPHozon1"));
    QCOMPARE(window->windowTitle(), QStringLiteral(" 太郎 の コトハナ"));
    QCOMPARE(m_desk->messages.shown().last().title, QStringLiteral("保存終了"));
    QCOMPARE(m_desk->messages.shown().last().text, QStringLiteral("保存が終了しました"));
    QCOMPARE(readBytes(m_desk->file(u"プライベート.txt")), sjis(QStringLiteral("\"氏名\",\"太郎\"\n")));

    name->clear();
    click(*window, QStringLiteral("cmdPHozon1"));
    QCOMPARE(window->windowTitle(), QStringLiteral(" コトハナ"));
    QCOMPARE(readBytes(m_desk->file(u"プライベート.txt")), sjis(QStringLiteral("\"氏名\",\"\"\n")));
}

void TestRecordBook::userNameRefusesWhatCannotBeStored()
{
    auto window = load();
    click(*window, QStringLiteral("cmdSettei"));
    auto *name = find<QLineEdit>(*window, QStringLiteral("txtPriData"));
    name->setText(QStringLiteral("ねこ😀"));
    click(*window, QStringLiteral("cmdPHozon1"));
    QCOMPARE(m_desk->messages.shown().last().icon, ScriptedMessageBoxes::Icon::Critical);
    QVERIFY(m_desk->messages.shown().last().text.contains(QStringLiteral("😀")));
    QCOMPARE(name->text(), QStringLiteral("ねこ😀"));
    QVERIFY(!m_desk->folder.contains(u"プライベート.txt"));
    QCOMPARE(window->windowTitle(), QStringLiteral(" コトハナ"));

    // A double quote would cut the record short; it is stored as ＂ and the name reads back whole.
    name->setText(QStringLiteral("\"タロウ\"さん"));
    click(*window, QStringLiteral("cmdPHozon1"));
    QCOMPARE(name->text(), QStringLiteral("＂タロウ＂さん"));
    window.reset();
    auto again = load();
    QCOMPARE(m_state.userName, QStringLiteral("＂タロウ＂さん"));
    QCOMPARE(again->windowTitle(), QStringLiteral(" ＂タロウ＂さん の コトハナ"));
}

void TestRecordBook::diaryChangesOnlyItsRecord()
{
    writeBytes(records(), sjis(kFivePlays));
    auto window = load();
    click(*window, QStringLiteral("cmdMemo"));
    auto *save = find<QPushButton>(*window, QStringLiteral("cmdMemoHozon"));
    QVERIFY(!save->isEnabled());
    auto *list = find<Grid>(*window, QStringLiteral("msgMemoList"));
    QCOMPARE(list->rows(), 6);

    clickRow(list, 3);
    auto *entry = find<QLineEdit>(*window, QStringLiteral("txtMemo"));
    QCOMPARE(entry->text(), QStringLiteral("秒数 : 60  (＋) モード"));
    QVERIFY(save->isEnabled());
    // Saving the unchanged text rewrites every record exactly as it was read.
    QTest::mouseClick(save, Qt::LeftButton);
    QCOMPARE(readBytes(records()), sjis(rewritten(kFivePlays)));

    entry->setText(QStringLiteral("朝いちばん、調子よし"));
    QTest::keyClick(entry, Qt::Key_Return); // Enter saves too
    QString expected = rewritten(kFivePlays);
    expected.replace(QStringLiteral("\"秒数 : 60  (＋) モード\""), QStringLiteral("\"朝いちばん、調子よし\""));
    QCOMPARE(readBytes(records()), sjis(expected));
    QVERIFY(save->isEnabled());

    entry->clear();
    QTest::mouseClick(save, Qt::LeftButton);
    expected.replace(QStringLiteral("\"朝いちばん、調子よし\""), QStringLiteral("\"\""));
    QCOMPARE(readBytes(records()), sjis(expected));
    QVERIFY(m_desk->messages.shown().isEmpty());
}

void TestRecordBook::diaryKeepsRecordsWholeAndRefusesEmoji()
{
    writeBytes(records(), sjis(kFivePlays));
    auto window = load();
    click(*window, QStringLiteral("cmdMemo"));
    auto *list = find<Grid>(*window, QStringLiteral("msgMemoList"));
    auto *entry = find<QLineEdit>(*window, QStringLiteral("txtMemo"));
    auto *save = find<QPushButton>(*window, QStringLiteral("cmdMemoHozon"));

    clickRow(list, 1);
    entry->setText(QStringLiteral("今日は\"最高\"でした, 本当に"));
    QTest::mouseClick(save, Qt::LeftButton);
    QCOMPARE(entry->text(), QStringLiteral("今日は＂最高＂でした, 本当に"));
    QCOMPARE(list->textMatrix(1, 5), QStringLiteral("今日は＂最高＂でした, 本当に"));
    const QByteArray saved = readBytes(records());

    clickRow(list, 2);
    entry->setText(QStringLiteral("🎉やった"));
    QTest::mouseClick(save, Qt::LeftButton);
    QCOMPARE(m_desk->messages.shown().size(), 1);
    QCOMPARE(m_desk->messages.shown().last().icon, ScriptedMessageBoxes::Icon::Critical);
    QVERIFY(m_desk->messages.shown().last().text.contains(QStringLiteral("🎉")));
    QCOMPARE(entry->text(), QStringLiteral("🎉やった"));
    QCOMPARE(readBytes(records()), saved);
    QCOMPARE(list->textMatrix(2, 5), QStringLiteral("答数 : 10"));

    // Reopening reads the five records back whole.
    click(*window, QStringLiteral("cmdMain"));
    click(*window, QStringLiteral("cmdMemo"));
    QCOMPARE(list->rows(), 6);
    QCOMPARE(list->textMatrix(1, 5), QStringLiteral("今日は＂最高＂でした, 本当に"));
    QCOMPARE(list->textMatrix(1, 4), QStringLiteral("60"));
}

void TestRecordBook::diaryWriteFailureKeepsOldFile()
{
    writeBytes(records(), sjis(kFivePlays));
    auto window = load();
    click(*window, QStringLiteral("cmdMemo"));
    auto *list = find<Grid>(*window, QStringLiteral("msgMemoList"));
    clickRow(list, 2);
    find<QLineEdit>(*window, QStringLiteral("txtMemo"))->setText(QStringLiteral("書けないはず"));
    {
        const FileSizeLimit limit(64);
        click(*window, QStringLiteral("cmdMemoHozon"));
    }
    QCOMPARE(readBytes(records()), sjis(kFivePlays));
    QCOMPARE(m_desk->messages.shown().size(), 1);
    QCOMPARE(m_desk->messages.shown().last().icon, ScriptedMessageBoxes::Icon::Critical);
    QVERIFY(m_desk->messages.shown().last().text.contains(QStringLiteral("データ.txt")));
    QCOMPARE(list->textMatrix(2, 5), QStringLiteral("答数 : 10"));
}

void TestRecordBook::diaryBacksUpUnreadLines()
{
    const QByteArray original = sjis(kFivePlays + QStringLiteral("壊れた行\n"));
    writeBytes(records(), original);
    auto window = load();
    click(*window, QStringLiteral("cmdMemo"));
    auto *list = find<Grid>(*window, QStringLiteral("msgMemoList"));
    clickRow(list, 5);
    click(*window, QStringLiteral("cmdMemoHozon"));
    QCOMPARE(readBytes(m_desk->file(u"データ.txt.bak")), original);
    QCOMPARE(readBytes(records()), sjis(rewritten(kFivePlays)));
    QCOMPARE(m_desk->messages.shown().size(), 1);
    QVERIFY(m_desk->messages.shown().last().text.contains(QStringLiteral("データ.txt.bak")));
    // Once the file is whole again, later saves make no more copies.
    click(*window, QStringLiteral("cmdMemoHozon"));
    QVERIFY(!m_desk->folder.contains(u"データ.txt.bak2"));
    QCOMPARE(m_desk->messages.shown().size(), 1);
}

void TestRecordBook::memoSavesAndLoads()
{
    writeBytes(m_desk->file(u"メモ.TXT"), sjis(QStringLiteral("一行目\n二行目\n")));
    auto window = load();
    click(*window, QStringLiteral("cmdMemo"));
    auto *memo = find<QPlainTextEdit>(*window, QStringLiteral("txtKizuki"));
    QCOMPARE(memo->toPlainText(), QStringLiteral("一行目\n二行目"));
    memo->setPlainText(QStringLiteral("効果あり\n\n続ける"));
    click(*window, QStringLiteral("cmdKizukiHozon"));
    QCOMPARE(readBytes(m_desk->file(u"メモ.TXT")), sjis(QStringLiteral("効果あり\n\n続ける\n")));
    QVERIFY(m_desk->messages.shown().isEmpty());

    memo->setPlainText(QStringLiteral("😀"));
    click(*window, QStringLiteral("cmdKizukiHozon"));
    QCOMPARE(m_desk->messages.shown().size(), 1);
    QCOMPARE(readBytes(m_desk->file(u"メモ.TXT")), sjis(QStringLiteral("効果あり\n\n続ける\n")));
}

// A record file or a memo that exists but cannot be read is reported, not shown as empty.
void TestRecordBook::unreadableFilesAreReported()
{
    writeBytes(records(), sjis(kFivePlays));
    QFile::remove(m_desk->file(u"メモ.TXT"));
    QVERIFY(QDir(m_desk->file(u"メモ.TXT")).mkpath(QStringLiteral(".")));
    auto window = load();
    QCOMPARE(m_desk->messages.shown().size(), 1);
    QCOMPARE(m_desk->messages.shown().last().title, QStringLiteral("メモ"));
    QVERIFY(m_desk->messages.shown().last().text.contains(QStringLiteral("メモ.TXT")));

    QFile::remove(records());
    QVERIFY(QDir(records()).mkpath(QStringLiteral(".")));
    for (const char *page : {"cmdMemo", "cmdSettei"}) {
        m_desk->messages.forget();
        click(*window, QString::fromLatin1(page));
        QCOMPARE(m_desk->messages.shown().last().icon, ScriptedMessageBoxes::Icon::Critical);
        QVERIFY(m_desk->messages.shown().last().text.contains(QStringLiteral("データ.txt")));
    }
}

void TestRecordBook::unsavedMemoIsNotLostSilently()
{
    using SaveChoice = MessageBoxes::SaveChoice;
    const QByteArray before = sjis(QStringLiteral("一行目\n"));
    writeBytes(m_desk->file(u"メモ.TXT"), before);
    auto window = load();
    click(*window, QStringLiteral("cmdMemo"));
    auto *memo = find<QPlainTextEdit>(*window, QStringLiteral("txtKizuki"));
    auto *memoPage = find<QFrame>(*window, QStringLiteral("fraMemo"));
    click(*window, QStringLiteral("cmdMain")); // nothing changed: no question
    QVERIFY(m_desk->messages.shown().isEmpty());

    click(*window, QStringLiteral("cmdMemo"));
    memo->setPlainText(QStringLiteral("書きかけ"));
    click(*window, QStringLiteral("cmdMain")); // キャンセル: the page stays
    QCOMPARE(m_desk->messages.shown().last().icon, ScriptedMessageBoxes::Icon::Question);
    QCOMPARE(m_desk->messages.shown().last().text, QStringLiteral("メモが変更されています。保存しますか？"));
    QVERIFY(!memoPage->isHidden());
    QCOMPARE(readBytes(m_desk->file(u"メモ.TXT")), before);

    m_desk->messages.chooseNext(SaveChoice::Discard);
    click(*window, QStringLiteral("cmdBunseki"));
    QVERIFY(memoPage->isHidden());
    QCOMPARE(readBytes(m_desk->file(u"メモ.TXT")), before);
    QCOMPARE(memo->toPlainText(), QStringLiteral("一行目"));

    click(*window, QStringLiteral("cmdMemo"));
    memo->setPlainText(QStringLiteral("書きかけ"));
    QVERIFY(!window->close()); // closing the program asks too
    QVERIFY(window->isVisible());
    m_desk->messages.chooseNext(SaveChoice::Save);
    QVERIFY(window->close());
    QCOMPARE(readBytes(m_desk->file(u"メモ.TXT")), sjis(QStringLiteral("書きかけ\n")));
}

void TestRecordBook::deletingTheThirdOfFive()
{
    writeBytes(records(), sjis(kFivePlays));
    auto window = load();
    click(*window, QStringLiteral("cmdSettei"));
    auto *list = find<Grid>(*window, QStringLiteral("msgHenList"));
    auto *remove = find<QPushButton>(*window, QStringLiteral("cmdRowDel"));
    QVERIFY(!remove->isEnabled());
    // A heading is not a play.
    QTest::mouseClick(list->horizontalHeader()->viewport(), Qt::LeftButton, {},
                      QPoint(list->horizontalHeader()->sectionViewportPosition(1) + 5, 5));
    QVERIFY(!remove->isEnabled());
    clickRow(list, 3);
    QVERIFY(remove->isEnabled());
    m_desk->messages.answerNext(true);
    QTest::mouseClick(remove, Qt::LeftButton);
    QCOMPARE(m_desk->messages.shown().last().icon, ScriptedMessageBoxes::Icon::Exclamation);
    QCOMPARE(m_desk->messages.shown().last().title, QStringLiteral("クリア確認"));
    QCOMPARE(m_desk->messages.shown().last().text, QStringLiteral("2024/05/18 08:00:00 プラマイ を削除します。よろしいですか？"));

    QString expected = rewritten(kFivePlays);
    expected.remove(QStringLiteral("\"2024/05/18\",\"08:00:00\",\"プラマイ\",60,\"秒数 : 60  (＋) モード\",\"\"\n"));
    QCOMPARE(readBytes(records()), sjis(expected));
    // The list shows the file as it now is, and no row looks picked.
    QCOMPARE(column(list, 0), (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")}));
    QCOMPARE(column(list, 2),
             (QStringList{QStringLiteral("20:00:00"), QStringLiteral("07:30:00"), QStringLiteral("08:05:00"),
                          QStringLiteral("21:05:09")}));
    QVERIFY(!remove->isEnabled());
    QVERIFY(list->selectionModel()->selectedIndexes().isEmpty());
}

// Another copy of the program (or an editor) saves while a list is on screen: the change the
// user makes goes to the record picked in the file as it is then, and nothing else is lost.
void TestRecordBook::changesApplyToTheFileAsItIsNow()
{
    writeBytes(records(), sjis(kFivePlays));
    auto window = load();
    click(*window, QStringLiteral("cmdMemo"));
    auto *diaries = find<Grid>(*window, QStringLiteral("msgMemoList"));
    clickRow(diaries, 3);
    // Elsewhere: a play saved at the end, and a line put in front of the first.
    const QString added = QStringLiteral("\"2024/05/18\",\"22:00:00\",\"しりとり\",60,\"別のコトハナ\",\n");
    const QString inFront = QStringLiteral("\"2024/05/15\",\"06:00:00\",\"連想心理\",60,\"エディターで\",\n");
    writeBytes(records(), sjis(inFront + kFivePlays + added));
    auto *entry = find<QLineEdit>(*window, QStringLiteral("txtMemo"));
    entry->setText(QStringLiteral("朝いちばん"));
    click(*window, QStringLiteral("cmdMemoHozon"));
    QString expected = rewritten(inFront + kFivePlays + added);
    expected.replace(QStringLiteral("\"秒数 : 60  (＋) モード\""), QStringLiteral("\"朝いちばん\""));
    QCOMPARE(readBytes(records()), sjis(expected));
    QVERIFY(m_desk->messages.shown().isEmpty());
    // The list shows the file as it is now, the changed record still picked.
    QCOMPARE(diaries->rows(), 8);
    QCOMPARE(diaries->row(), 4);
    QCOMPARE(diaries->textMatrix(4, 5), QStringLiteral("朝いちばん"));

    // The record picked was deleted elsewhere: nothing is written, and the user is told.
    click(*window, QStringLiteral("cmdSettei"));
    auto *list = find<Grid>(*window, QStringLiteral("msgHenList"));
    clickRow(list, 1);
    writeBytes(records(), sjis(kFivePlays));
    m_desk->messages.answerNext(true);
    click(*window, QStringLiteral("cmdRowDel"));
    QCOMPARE(m_desk->messages.shown().last().text,
             QStringLiteral("選んだ記録（2024/05/15 06:00:00 連想心理）は、データ.txt にもうありません。"
                            "ほかのプログラムで変更されたようです。\r\n一覧を読み直しました。"));
    QCOMPARE(readBytes(records()), sjis(kFivePlays));
    QCOMPARE(list->rows(), 6);
    QCOMPARE(list->textMatrix(1, 2), QStringLiteral("20:00:00"));
}

void TestRecordBook::cancelDeletesNothing()
{
    writeBytes(records(), sjis(kFivePlays));
    auto window = load();
    click(*window, QStringLiteral("cmdSettei"));
    auto *list = find<Grid>(*window, QStringLiteral("msgHenList"));
    clickRow(list, 2);
    m_desk->messages.answerNext(false);
    click(*window, QStringLiteral("cmdRowDel"));
    QCOMPARE(readBytes(records()), sjis(kFivePlays));
    QCOMPARE(list->rows(), 6);
    QVERIFY(find<QPushButton>(*window, QStringLiteral("cmdRowDel"))->isEnabled());
}

void TestRecordBook::lastRecordAsksLikeAnyOther()
{
    const QByteArray one = sjis(QStringLiteral("\"2024/05/18\",\"08:00:00\",\"プラマイ\",60,\"a\",\n"));
    writeBytes(records(), one);
    auto window = load();
    QCOMPARE(shownFace(*window), QStringLiteral("imgkana"));
    click(*window, QStringLiteral("cmdSettei"));
    auto *list = find<Grid>(*window, QStringLiteral("msgHenList"));
    clickRow(list, 1);
    // A mis-click must not erase the only play.
    m_desk->messages.answerNext(false);
    click(*window, QStringLiteral("cmdRowDel"));
    QCOMPARE(m_desk->messages.shown().last().text, QStringLiteral("2024/05/18 08:00:00 プラマイ を削除します。よろしいですか？"));
    QCOMPARE(readBytes(records()), one);
    m_desk->messages.answerNext(true);
    click(*window, QStringLiteral("cmdRowDel"));
    QCOMPARE(m_desk->messages.shown().size(), 2);
    QCOMPARE(readBytes(records()), QByteArray());
    QCOMPARE(list->rows(), 1);
    QCOMPARE(shownFace(*window), QStringLiteral("imgNashi"));
    QCOMPARE(find<QLabel>(*window, QStringLiteral("lblMHyouka"))->text(), QStringLiteral("今日の脳も健康元気"));
}

void TestRecordBook::csvHoldsEveryRecord()
{
    const QString diaries = QStringLiteral("\"2024/05/18\",\"22:00:00\",\"しりとり\",60,\"朝,昼,晩　＂名言＂\",\"\"\n");
    writeBytes(records(), sjis(kFivePlays + diaries));
    auto window = load();
    click(*window, QStringLiteral("cmdSettei"));
    ScriptedDesktop desktop;
    window->findChild<EditPage *>()->setDesktop(desktop);
    QTemporaryDir elsewhere;
    desktop.answer = elsewhere.filePath(QStringLiteral("記録")); // typed without its extension
    click(*window, QStringLiteral("cmdCsv"));

    QCOMPARE(desktop.asked.size(), 1);
    const QStringList asked = desktop.asked.first().split(u'|');
    QCOMPARE(asked[0], QStringLiteral("CSV書き出し"));
    QVERIFY(asked[1].endsWith(QStringLiteral("/コトハナの記録_2024-05-18.csv")));
    QCOMPARE(asked[2], QStringLiteral("CSV ファイル (*.csv)"));
    const QString written = elsewhere.filePath(QStringLiteral("記録.csv"));
    QCOMPARE(m_desk->messages.shown().size(), 1);
    QCOMPARE(m_desk->messages.shown().first().icon, ScriptedMessageBoxes::Icon::Information);
    QCOMPARE(m_desk->messages.shown().first().text,
             QStringLiteral("6 件の記録を書き出しました。\n") + QDir::toNativeSeparators(written));

    const CsvContent csv = readCsv(readBytes(written));
    QVERIFY2(csv.error.isEmpty(), qPrintable(csv.error));
    const auto row = [](const char16_t *date, const char *time, const char16_t *item, const char *seconds, const char16_t *diary) {
        return QStringList{QString::fromUtf16(date), QString::fromUtf8(time), QString::fromUtf16(item),
                           QString::fromUtf8(seconds), QString::fromUtf16(diary)};
    };
    const std::vector<QStringList> expected{
        row(u"日付", "時間", u"項目", "秒", u"一言日記"),
        row(u"2024/05/16", "20:00:00", u"しりとり", "60", u"秒数 : 60　新語 +1"),
        row(u"2024/05/17", "07:30:00", u"バラバラ", "47.3", u"答数 : 10"),
        row(u"2024/05/18", "08:00:00", u"プラマイ", "60", u"秒数 : 60  (＋) モード"),
        row(u"2024/05/18", "08:05:00", u"プラマイ", "12.5", u"答数 : 5  (－) モード"),
        row(u"2024/05/18", "21:05:09", u"カラパニ", "30", u"秒数 : 30  Eモード"),
        row(u"2024/05/18", "22:00:00", u"しりとり", "60", u"朝,昼,晩　＂名言＂"),
    };
    QCOMPARE(csv.rows, expected);
    QCOMPARE(readBytes(records()), sjis(kFivePlays + diaries)); // the record file is only read

    // The file as it is at the press: a play saved since is written too, over the old CSV.
    writeBytes(records(), sjis(kFivePlays));
    desktop.answer = written;
    click(*window, QStringLiteral("cmdCsv"));
    QCOMPARE(readCsv(readBytes(written)).rows, std::vector<QStringList>(expected.begin(), expected.end() - 1));

    // Lines that are no records are left out, and the message says how many.
    writeBytes(records(), sjis(kFivePlays + QStringLiteral("壊れた行\n")));
    m_desk->messages.forget();
    click(*window, QStringLiteral("cmdCsv"));
    QVERIFY(m_desk->messages.shown().first().text.contains(
        QStringLiteral("\nデータ.txt の 1 行は記録として読めなかったため、書き出していません。\n")));
}

void TestRecordBook::csvCancelledOrUnwritable()
{
    writeBytes(records(), sjis(kFivePlays));
    auto window = load();
    click(*window, QStringLiteral("cmdSettei"));
    ScriptedDesktop desktop;
    window->findChild<EditPage *>()->setDesktop(desktop);
    click(*window, QStringLiteral("cmdCsv")); // the dialog is cancelled
    QCOMPARE(desktop.asked.size(), 1);
    QVERIFY(m_desk->messages.shown().isEmpty());

    QTemporaryDir elsewhere;
    desktop.answer = elsewhere.filePath(QStringLiteral("ない/記録.csv"));
    click(*window, QStringLiteral("cmdCsv"));
    QCOMPARE(m_desk->messages.shown().size(), 1);
    QCOMPARE(m_desk->messages.shown().first().icon, ScriptedMessageBoxes::Icon::Critical);
    QCOMPARE(m_desk->messages.shown().first().title, QStringLiteral("CSV書き出し"));
    QCOMPARE(m_desk->messages.shown().first().text,
             QStringLiteral("ファイル「記録.csv」に書き込めませんでした。\n（ファイルまたはフォルダが見つかりません）"));
    QVERIFY(QDir(elsewhere.path()).isEmpty());

    // A record file that cannot be read gives no CSV, rather than an empty one.
    QVERIFY(QFile::remove(records()));
    QVERIFY(QDir().mkdir(records()));
    m_desk->messages.forget();
    desktop.answer = elsewhere.filePath(QStringLiteral("記録.csv"));
    click(*window, QStringLiteral("cmdCsv"));
    QCOMPARE(m_desk->messages.shown().size(), 1);
    QCOMPARE(m_desk->messages.shown().first().icon, ScriptedMessageBoxes::Icon::Critical);
    QVERIFY(m_desk->messages.shown().first().text.contains(QStringLiteral("データ.txt")));
    QVERIFY(QDir(elsewhere.path()).isEmpty());
}

void TestRecordBook::dataFolderOpensInTheFileManager()
{
    auto window = load();
    click(*window, QStringLiteral("cmdSettei"));
    ScriptedDesktop desktop;
    window->findChild<EditPage *>()->setDesktop(desktop);
    click(*window, QStringLiteral("cmdOpenFolder"));
    QCOMPARE(desktop.opened, QStringList{m_desk->dir.path()});
    QVERIFY(m_desk->messages.shown().isEmpty());

    desktop.opens = false;
    click(*window, QStringLiteral("cmdOpenFolder"));
    QCOMPARE(m_desk->messages.shown().size(), 1);
    QCOMPARE(m_desk->messages.shown().first().icon, ScriptedMessageBoxes::Icon::Critical);
    QCOMPARE(m_desk->messages.shown().first().text,
             QStringLiteral("データフォルダー「%1」を開けませんでした。").arg(QDir::toNativeSeparators(m_desk->dir.path())));
}

// A new start by mistake, put right from the edit page by keyboard: the day's backup is listed
// with what restoring it changes, a question comes first, and the pages show the plays again.
void TestRecordBook::restoreFromTheEditPage()
{
    writeBytes(records(), sjis(kFivePlays));
    writeBytes(m_desk->file(u"プライベート.txt"), sjis(QStringLiteral("\"氏名\",\"花子\"\n")));
    QVERIFY(dataBackups(m_desk->services).makeDaily().made);
    writeBytes(records(), QByteArray());
    writeBytes(m_desk->file(u"プライベート.txt"), sjis(QStringLiteral("\"氏名\",\"\"\n")));
    auto window = load();
    click(*window, QStringLiteral("cmdSettei"));
    click(*window, QStringLiteral("cmdRestore"));
    auto *dialog = find<QDialog>(*window, QStringLiteral("frmRestore"));
    auto *list = find<QTreeWidget>(*dialog, QStringLiteral("lstBackups"));
    QTRY_COMPARE(QApplication::focusWidget(), list);
    QStringList row;
    for (int col = 0; col < list->columnCount(); ++col)
        row << list->currentItem()->text(col);
    QCOMPARE(row,
             (QStringList{QStringLiteral("2024/05/18"), QStringLiteral("5 件"), QStringLiteral("2024/05/18"),
                          QStringLiteral("0 件 → 5 件")}));

    m_desk->messages.answerNext(false);
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(m_desk->messages.shown().last().text,
             QStringLiteral("2024/05/18 のバックアップから復元します。\n記録は 0 件から 5 件になります。\n\n"
                            "いまのデータは、復元の前にバックアップしておきます。よろしいですか？"));
    QVERIFY(dialog->isVisible());
    QCOMPARE(readBytes(records()), QByteArray());
    m_desk->messages.answerNext(true);
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(readBytes(records()), sjis(kFivePlays));
    QCOMPARE(m_desk->messages.shown().last().title, QStringLiteral("バックアップから復元"));
    QTRY_VERIFY(!window->findChild<QDialog *>());
    QCOMPARE(find<Grid>(*window, QStringLiteral("msgHenList"))->rows(), 6);
    QCOMPARE(find<QLineEdit>(*window, QStringLiteral("txtPriData"))->text(), QStringLiteral("花子"));
    QCOMPARE(window->windowTitle(), QStringLiteral(" 花子 の コトハナ"));
    QCOMPARE(shownFace(*window), QStringLiteral("imgniko"));
}

void TestRecordBook::wholeRoadThroughTheRecordBook()
{
    writeBytes(records(), sjis(kFivePlays));
    auto window = load();
    QCOMPARE(find<Grid>(*window, QStringLiteral("msgDayList"))->rows(), 4); // today's three plays

    auto *monthView = find<MonthView>(*window, QStringLiteral("mtvmain"));
    monthView->setValue(QDate(2024, 5, 16));
    Q_EMIT monthView->dateClick(QDate(2024, 5, 16));
    QCOMPARE(column(find<Grid>(*window, QStringLiteral("msgDayList")), 2), QStringList{QStringLiteral("しりとり")});

    click(*window, QStringLiteral("cmdMemo"));
    clickRow(find<Grid>(*window, QStringLiteral("msgMemoList")), 1);
    find<QLineEdit>(*window, QStringLiteral("txtMemo"))->setText(QStringLiteral("はじめてのしりとり"));
    click(*window, QStringLiteral("cmdMemoHozon"));

    click(*window, QStringLiteral("cmdSettei"));
    clickRow(find<Grid>(*window, QStringLiteral("msgHenList")), 5);
    m_desk->messages.answerNext(true);
    click(*window, QStringLiteral("cmdRowDel"));

    window.reset();
    auto again = load();
    QCOMPARE(find<MonthView>(*again, QStringLiteral("mtvmain"))->value(), QDate(2024, 5, 18));
    auto *today = find<Grid>(*again, QStringLiteral("msgDayList"));
    QCOMPARE(column(today, 2), (QStringList{QStringLiteral("プラマイ"), QStringLiteral("プラマイ")}));
    QCOMPARE(shownFace(*again), QStringLiteral("imgkana"));
    click(*again, QStringLiteral("cmdMemo"));
    auto *diaries = find<Grid>(*again, QStringLiteral("msgMemoList"));
    QCOMPARE(diaries->rows(), 5);
    QCOMPARE(diaries->textMatrix(1, 5), QStringLiteral("はじめてのしりとり"));
}

void TestRecordBook::unwritableFolderStartsReadOnly()
{
    writeBytes(records(), sjis(kFivePlays));
    // Writes fail in the folder as on a read-only disk, even for root, whom permissions do not
    // stop. The folder lacks most delivered files, and they cannot be written.
    const FileSizeLimit nothingWritten(0);
    QVERIFY(prepareFolder(m_desk->folder, deliveredFilesDirectory(), m_desk->messages, m_desk->records));
    const QString folder = QDir::toNativeSeparators(m_desk->dir.path());
    QCOMPARE(m_desk->messages.shown().size(), 1);
    QCOMPARE(m_desk->messages.shown().first().icon, ScriptedMessageBoxes::Icon::Exclamation);
    QCOMPARE(m_desk->messages.shown().first().text,
             QStringLiteral("データを保存するフォルダ「%1」に書き込めません。\n"
                            "記録を見ることはできますが、ゲームの結果や記録の変更は保存できません。")
                 .arg(folder));
    QVERIFY(!m_desk->folder.contains(u"メモ.TXT"));

    auto window = load();
    click(*window, QStringLiteral("cmdSettei"));
    auto *list = find<Grid>(*window, QStringLiteral("msgHenList"));
    QCOMPARE(list->rows(), 6);
    clickRow(list, 2);
    m_desk->messages.forget();
    m_desk->messages.answerNext(true);
    click(*window, QStringLiteral("cmdRowDel"));
    QCOMPARE(m_desk->messages.shown().size(), 2);
    QCOMPARE(m_desk->messages.shown().last().icon, ScriptedMessageBoxes::Icon::Critical);
    QCOMPARE(m_desk->messages.shown().last().text,
             QStringLiteral("データを保存するフォルダ「%1」に書き込めないため、保存できません。").arg(folder));
    QCOMPARE(list->rows(), 6);
    QCOMPARE(readBytes(records()), sjis(kFivePlays));
}

// The first start of a day copies every data file the folder holds, the topics' files too;
// a backup that fails is told, and a read-only run makes none.
void TestRecordBook::startBacksUpEveryDataFile()
{
    QVERIFY(prepareFolder(m_desk->folder, deliveredFilesDirectory(), m_desk->messages, m_desk->records));
    writeBytes(records(), sjis(kFivePlays));
    writeBytes(m_desk->file(u"連想心理題目.txt"), sjis(QStringLiteral("好きな動物\nなに?それ\n")));
    writeBytes(m_desk->file(u"好きな動物.txt"), sjis(QStringLiteral("ねこ\n")));
    writeBytes(m_desk->file(u"好きな動物_履歴.txt"), sjis(QStringLiteral("\"2024/05/18\",\"09:00:00\",\"001\",\"ねこ\"\n")));
    writeBytes(m_desk->file(u"プラマイ履歴.txt"),
               sjis(QStringLiteral("\"2024/05/18\",\"08:00:00\",14,14,0,\"100.0%\",\"1.12/秒\",\"12.5秒\",\"＋\"\n")));
    writeBytes(m_desk->file(u"なに.txt"), QByteArray("not a topic's"));
    m_desk->messages.forget();

    backUpDataFiles(m_desk->services);
    QVERIFY(m_desk->messages.shown().isEmpty());
    const QDir backup(QDir(m_desk->dir.path()).filePath(QStringLiteral("バックアップ/2024-05-18")));
    QStringList expected = deliveredFileNames()
        + QStringList{QStringLiteral("好きな動物.txt"), QStringLiteral("好きな動物_履歴.txt"), QStringLiteral("プラマイ履歴.txt")};
    expected.sort();
    QStringList copied = backup.entryList(QDir::Files);
    copied.sort();
    QCOMPARE(copied, expected);
    for (const QString &name : copied)
        QCOMPARE(readBytes(backup.filePath(name)), readBytes(m_desk->file(name)));

    m_desk->clock.set(QDateTime(QDate(2024, 5, 19), QTime(7, 0, 0)));
    {
        const FileSizeLimit diskFull(1);
        backUpDataFiles(m_desk->services);
    }
    QCOMPARE(m_desk->messages.shown().size(), 1);
    QCOMPARE(m_desk->messages.shown().first().icon, ScriptedMessageBoxes::Icon::Exclamation);
    QCOMPARE(m_desk->messages.shown().first().title, QStringLiteral("バックアップ"));
    QVERIFY(m_desk->messages.shown().first().text.startsWith(QStringLiteral("今日のバックアップを作れませんでした。\n")));
    QVERIFY(!QFileInfo::exists(QDir(m_desk->dir.path()).filePath(QStringLiteral("バックアップ/2024-05-19"))));

    m_desk->messages.forget();
    m_desk->records.refuseChanges(QStringLiteral("読み取り専用"));
    backUpDataFiles(m_desk->services);
    QVERIFY(m_desk->messages.shown().isEmpty());
    QVERIFY(!QFileInfo::exists(QDir(m_desk->dir.path()).filePath(QStringLiteral("バックアップ/2024-05-19"))));
}

// Told once when the program starts, not again each time the main window comes back after a
// game; the lines stay in the file.
void TestRecordBook::unreadLinesAreAnnouncedOncePerRun()
{
    const QByteArray bytes = sjis(kFivePlays + QStringLiteral("手で書いたメモ\n\"2024/05/18\",\"22:00:00\"\n"));
    writeBytes(records(), bytes);
    QVERIFY(prepareFolder(m_desk->folder, deliveredFilesDirectory(), m_desk->messages, m_desk->records));
    QVERIFY(m_desk->messages.shown().isEmpty());
    Application application(m_desk->services);
    for (int shown = 0; shown < 2; ++shown) {
        application.showMain();
        delete application.mainWindow();
    }
    QCOMPARE(m_desk->messages.shown().size(), 1);
    QCOMPARE(m_desk->messages.shown().first().icon, ScriptedMessageBoxes::Icon::Exclamation);
    QCOMPARE(m_desk->messages.shown().first().text,
             QStringLiteral("データ.txt の 2 行を記録として読めませんでした。\nファイルはそのまま残してあります。"));
    QCOMPARE(readBytes(records()), bytes);
}

QTEST_MAIN(TestRecordBook)
#include "tst_recordbook.moc"
