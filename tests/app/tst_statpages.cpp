#include "Desk.h"
#include "ScriptedMessageBoxes.h"
#include "TestFiles.h"
#include "Widgets.h"

#include "app/frmMain.h"
#include "games/common/ProgramState.h"
#include "records/Services.h"
#include "ui/Chart.h"
#include "ui/ColorButton.h"
#include "ui/Colors.h"
#include "ui/Grid.h"
#include "ui/GridModel.h"
#include "ui/HelpWindows.h"
#include "ui/MonthView.h"
#include "ui/YearGridView.h"

#include <QAccessible>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <memory>
#include <optional>

using namespace kotohana;
using namespace kotohana::test;

namespace {

const char16_t *const kGames[] = {u"プラマイ", u"しりとり", u"バラバラ", u"四熟虫喰", u"カラパニ", u"連想心理", u"ボキャブラ"};

// Five plays a day for sixty days, 2024/03/20 to 2024/05/18.
QString sixtyDays()
{
    QString text;
    int n = 0;
    for (int d = 0; d < 60; ++d) {
        const QString date = QDate(2024, 3, 20).addDays(d).toString(u"yyyy/MM/dd");
        for (int i = 0; i < 5; ++i, ++n) {
            text += QStringLiteral("\"%1\",\"%2:00:00\",\"%3\",%4,\"d%5\",\n")
                        .arg(date)
                        .arg(8 + i, 2, 10, QLatin1Char('0'))
                        .arg(QString::fromUtf16(kGames[n % 7]))
                        .arg(30 + i)
                        .arg(n % 13);
        }
    }
    return text;
}

} // namespace

class TestStatPages : public QObject
{
    Q_OBJECT

private:
    std::optional<Desk> m_desk;
    ProgramState m_state;
    HelpWindows m_help{QStringLiteral(":/help/index.html")};

    std::unique_ptr<frmMain> load() { return loadWindow<frmMain>(m_desk->services, m_state, m_help); }

    static QStringList column(Grid *grid, int col)
    {
        QStringList texts;
        for (int r = 1; r < grid->rows(); ++r)
            texts.append(grid->textMatrix(r, col));
        return texts;
    }

private Q_SLOTS:
    void init()
    {
        m_desk.emplace(QDateTime(QDate(2024, 5, 18), QTime(20, 0, 0)), 1);
        m_state = ProgramState();
        m_state.welcomeShown = true;
        writeBytes(m_desk->file(u"設定.txt"), sjis(QStringLiteral("\"ヘルプツアー\",1\n")));
        writeBytes(m_desk->file(u"データ.txt"), sjis(sixtyDays()));
    }

    void rangePage();
    void rangePageScrollsAfterTenPlays();
    void allGraphPage();
    void calendarPage();
    void yearGrid();
    void sortPage();
    void totalsPage();
    void filesWithoutDaysShowHeadingsOnly_data();
    void filesWithoutDaysShowHeadingsOnly();
    void outsideChangesShowAtTheNextOpening();
    void chartsShowingTheSameAreNotDrawnAgain();
    void recordsWithoutADate();
    void rangeItemFilterHoldsUntilTheUserMovesIn();
};

void TestStatPages::rangePage()
{
    auto window = load();
    click(*window, "cmdTaijyu");
    QCOMPARE(m_desk->messages.shown().size(), 1);
    QVERIFY(m_desk->messages.shown().last().text.startsWith(
        QStringLiteral("これまでプレイしてきたデータを「項目」「曜日」「期間」指定で表示できます。\r\n\r\n")));
    auto *plays = find<Grid>(*window, QStringLiteral("msgBunseki"));
    auto *totals = find<Grid>(*window, QStringLiteral("msgBunseki2"));
    QCOMPARE(plays->rows(), 301);
    QCOMPARE(totals->rows(), 8);
    QVERIFY(find<Chart>(*window, QStringLiteral("mcrBunseki"))->asksForChoice()); // not "no data" beside plays
    QCOMPARE(find<QComboBox>(*window, QStringLiteral("cboStdate"))->currentText(), QStringLiteral("2024/03/20"));
    QCOMPARE(find<QComboBox>(*window, QStringLiteral("cboEddate"))->currentText(), QStringLiteral("2024/05/18"));
    QCOMPARE(find<QComboBox>(*window, QStringLiteral("cboStdate"))->count(), 60);
    QCOMPARE(find<ColorButton>(*window, QStringLiteral("cmdAllDay"))->backColor(), windowsColor(0xC0FFFF));

    click(*window, "cmdKikan2"); // one week: 05/11 to 05/18
    QCOMPARE(plays->rows(), 41);
    QCOMPARE(find<ColorButton>(*window, QStringLiteral("cmdKikan2"))->backColor(), windowsColor(0xC0FFFF));
    QCOMPARE(find<ColorButton>(*window, QStringLiteral("cmdAllDay"))->backColor(), windowsColor(kButtonFace));
    click(*window, "cmdWeek6"); // Saturdays: 05/11 and 05/18
    QCOMPARE(plays->rows(), 11);
    QStringList weekdays = column(plays, 3);
    weekdays.removeDuplicates();
    QCOMPARE(weekdays, QStringList{QStringLiteral("土")});

    click(*window, "cmdAllWeek");
    auto *items = find<QListWidget>(*window, QStringLiteral("lstAct2"));
    QCOMPARE(items->count(), 7);
    QCOMPARE(items->item(4)->text(), QStringLiteral("カラパニ"));
    items->setCurrentRow(0);
    Q_EMIT items->itemClicked(items->item(0));
    QStringList listed = column(plays, 4);
    listed.removeDuplicates();
    QCOMPARE(listed, QStringList{QStringLiteral("プラマイ")});
    QCOMPARE(totals->textMatrix(1, 0), QStringLiteral("プラマイ"));
    QCOMPARE(totals->textMatrix(2, 1), QStringLiteral("0")); // every game keeps its row
    QCOMPARE(totals->textMatrix(2, 2), QStringLiteral("0:00:00"));

    click(*window, "cmdTotal3");
    auto *byItem = find<Chart>(*window, QStringLiteral("mcrBunseki2"));
    QCOMPARE(byItem->pointCount(), 7);
    QCOMPARE(byItem->label(1), QStringLiteral("プラ"));
    click(*window, "cmdAllact");
    QCOMPARE(plays->rows(), 41);
    QCOMPARE(byItem->value(1, 1) + byItem->value(1, 2) + byItem->value(1, 3) + byItem->value(1, 4) + byItem->value(1, 5)
                 + byItem->value(1, 6) + byItem->value(1, 7),
             double(8 * (30 + 31 + 32 + 33 + 34)));
    click(*window, "cmdJikan3");
    QCOMPARE(byItem->pointCount(), 24);
    QCOMPARE(byItem->value(1, 9), 8 * 30.0); // the 08:00 plays of the week

    // Leaving the page and coming back lists everything again, over every date.
    click(*window, "cmdMain");
    click(*window, "cmdTaijyu");
    QCOMPARE(plays->rows(), 301);
    QCOMPARE(find<QComboBox>(*window, QStringLiteral("cboStdate"))->currentText(), QStringLiteral("2024/03/20"));
    QCOMPARE(find<QComboBox>(*window, QStringLiteral("cboEddate"))->currentText(), QStringLiteral("2024/05/18"));
    QCOMPARE(find<QComboBox>(*window, QStringLiteral("cboEddate"))->count(), 60);
}

void TestStatPages::rangePageScrollsAfterTenPlays()
{
    QString text;
    for (int i = 0; i < 10; ++i)
        text += QStringLiteral("\"2024/05/17\",\"08:%1:00\",\"プラマイ\",30,\"\",\n").arg(i, 2, 10, QLatin1Char('0'));
    for (int i = 0; i < 11; ++i)
        text += QStringLiteral("\"2024/05/18\",\"08:%1:00\",\"プラマイ\",30,\"\",\n").arg(i, 2, 10, QLatin1Char('0'));
    writeBytes(m_desk->file(u"データ.txt"), sjis(text));
    m_state.helpTourFlag = 0;
    auto window = load();
    click(*window, "cmdTaijyu");
    auto *plays = find<Grid>(*window, QStringLiteral("msgBunseki"));
    auto *start = find<QComboBox>(*window, QStringLiteral("cboStdate"));
    auto *end = find<QComboBox>(*window, QStringLiteral("cboEddate"));
    start->setCurrentText(QStringLiteral("2024/05/17"));
    end->setCurrentText(QStringLiteral("2024/05/17"));
    click(*window, "cmdKikanF");
    QCOMPARE(plays->rows(), 11);
    QCOMPARE(plays->topRow(), 1);
    start->setCurrentText(QStringLiteral("2024/05/18"));
    end->setCurrentText(QStringLiteral("2024/05/18"));
    click(*window, "cmdKikanF");
    QCOMPARE(plays->rows(), 12);
    QCOMPARE(plays->topRow(), 11);
}

void TestStatPages::allGraphPage()
{
    auto window = load();
    click(*window, "cmdRentai");
    QVERIFY(m_desk->messages.shown().last().text.startsWith(
        QStringLiteral("コトハナを開始した日から現在までの実施推移を表示します。")));
    auto *plays = find<Grid>(*window, QStringLiteral("msgDayList2"));
    auto *items = find<Grid>(*window, QStringLiteral("msgDayTotal2"));
    auto *days = find<Grid>(*window, QStringLiteral("msgDayList3"));
    QCOMPARE(plays->rows(), 301);
    QCOMPARE(items->rows(), 8);
    QCOMPARE(days->rows(), 61);
    QVERIFY(find<Chart>(*window, QStringLiteral("mcrMain2"))->asksForChoice());
    QCOMPARE(days->textMatrix(1, 1), QStringLiteral("2024/03/20"));
    QCOMPARE(days->textMatrix(1, 2), QStringLiteral("5"));
    QCOMPARE(days->textMatrix(1, 3), QStringLiteral("160"));
    QCOMPARE(days->textMatrix(1, 5), QStringLiteral("32.0"));

    click(*window, "cmdHigoto2");
    auto *trend = find<Chart>(*window, QStringLiteral("mcrMain3"));
    QVERIFY(!trend->isHidden());
    QVERIFY(!days->isHidden());
    QVERIFY(plays->isHidden());
    QCOMPARE(trend->pointCount(), 60);
    QCOMPARE(trend->value(1, 60), 160.0);
    QCOMPARE(find<ColorButton>(*window, QStringLiteral("cmdHigoto2"))->backColor(), windowsColor(0xC0FFFF));
    click(*window, "cmdTotal2");
    QVERIFY(trend->isHidden());
    QCOMPARE(find<Chart>(*window, QStringLiteral("mcrMain2"))->pointCount(), 7);
    QCOMPARE(find<ColorButton>(*window, QStringLiteral("cmdTotal2"))->backColor(), windowsColor(0xC0E0FF));
    QCOMPARE(find<ColorButton>(*window, QStringLiteral("cmdHigoto2"))->backColor(), windowsColor(kButtonFace));
}

void TestStatPages::calendarPage()
{
    auto window = load();
    click(*window, "cmdCale");
    QVERIFY(m_desk->messages.shown().last().text.startsWith(QStringLiteral("実施状況を色と数字で把握できるカレンダーです。")));
    auto *months = find<Grid>(*window, QStringLiteral("msgCale"));
    QCOMPARE(months->rows(), 4);
    QCOMPARE(months->textMatrix(1, 0), QStringLiteral("2024年03月"));
    QCOMPARE(months->textMatrix(1, 19), QString());
    QCOMPARE(months->textMatrix(1, 20), QStringLiteral("5"));
    QCOMPARE(months->gridModel().backColor(1, 20), windowsColor(0xC0FFFF));
    QVERIFY(!months->gridModel().backColor(1, 19).isValid());
    QCOMPARE(find<QLabel>(*window, QStringLiteral("lblHan3"))->text(), QStringLiteral("5-6回：60日"));
    QCOMPARE(find<QLabel>(*window, QStringLiteral("lblHan0"))->text(), QStringLiteral("0回：0日"));
    auto *weeks = find<Grid>(*window, QStringLiteral("msgCale_w"));
    QCOMPARE(weeks->textMatrix(1, 0), QStringLiteral("24年03月17日"));
    QCOMPARE(weeks->textMatrix(1, 4), QStringLiteral("5")); // Wednesday 03/20
    auto *perWeekday = find<Chart>(*window, QStringLiteral("mcrKensu"));
    QCOMPARE(perWeekday->pointCount(), 7);
    QCOMPARE(perWeekday->label(1), QStringLiteral("日"));
    double plays = 0;
    for (int w = 1; w <= 7; ++w)
        plays += perWeekday->value(1, w);
    QCOMPARE(plays, 300.0);
}

// The year grid over a data folder: each day's tooltip and colour, the months it moves to, and a
// day opened on the main page by a click and by the keyboard.
void TestStatPages::yearGrid()
{
    writeBytes(m_desk->file(u"データ.txt"),
               sjis(QStringLiteral(
                   "\"2023/05/31\",\"10:00:00\",\"プラマイ\",5000,\"\",\n"
                   "\"2024/02/29\",\"10:00:00\",\"プラマイ\",12.5,\"\",\n\"2024/02/29\",\"11:00:00\",\"しりとり\",13.5,\"\",\n"
                   "\"2024/05/10\",\"10:00:00\",\"カラパニ\",400,\"\",\n"
                   "\"2024/05/18\",\"10:00:00\",\"プラマイ\",600,\"\",\n\"2024/05/18\",\"11:00:00\",\"しりとり\",1000,\"\",\n")));
    m_state.helpTourFlag = 0;
    auto window = load();
    click(*window, "cmdCale");
    auto *grid = find<YearGridView>(*window, QStringLiteral("yearGrid"));
    auto *span = find<QLabel>(*window, QStringLiteral("lblYearSpan"));
    const auto tip = [grid](QDate day) { return grid->toolTipAt(grid->dayRect(day).center()); };
    const auto colour = [grid](QDate day) { return grid->grab().toImage().pixelColor(grid->dayRect(day).center()); };
    QCOMPARE(span->text(), QStringLiteral("2023年06月～2024年05月"));
    QCOMPARE(tip(QDate(2024, 5, 18)), QStringLiteral("2024/05/18（土）\n2回　プレイ時間 0:26:40"));
    QCOMPARE(tip(QDate(2024, 2, 29)), QStringLiteral("2024/02/29（木）\n2回　プレイ時間 0:00:26"));
    QCOMPARE(tip(QDate(2024, 5, 17)), QStringLiteral("2024/05/17（金）\nプレイなし"));
    QVERIFY(grid->dayRect(QDate(2023, 5, 31)).isEmpty());
    QCOMPARE(colour(QDate(2024, 5, 18)), QColor(32, 32, 120)); // the longest day: the darkest step
    QCOMPARE(colour(QDate(2024, 5, 10)), QColor(192, 192, 255)); // a quarter of it: the lightest
    QCOMPARE(colour(QDate(2024, 5, 17)), QColor(Qt::white));
    QCOMPARE(find<QLabel>(*window, QStringLiteral("lblYearStep1"))->text(), QStringLiteral("～0:06:40"));
    QVERIFY(!find<QPushButton>(*window, QStringLiteral("cmdNextMonth"))->isEnabled());

    click(*window, "cmdPrevMonth"); // the first play's month comes in, and with it a longer day
    QCOMPARE(span->text(), QStringLiteral("2023年05月～2024年04月"));
    QCOMPARE(tip(QDate(2023, 5, 31)), QStringLiteral("2023/05/31（水）\n1回　プレイ時間 1:23:20"));
    QCOMPARE(colour(QDate(2024, 2, 29)), QColor(192, 192, 255));
    QVERIFY(!find<QPushButton>(*window, QStringLiteral("cmdPrevMonth"))->isEnabled());

    auto *days = find<Grid>(*window, QStringLiteral("msgDayList"));
    auto *monthView = find<MonthView>(*window, QStringLiteral("mtvmain"));
    QTest::mouseClick(grid, Qt::LeftButton, {}, grid->dayRect(QDate(2024, 2, 29)).center());
    QVERIFY(find<QWidget>(*window, QStringLiteral("fraMain"))->isVisible());
    QCOMPARE(monthView->value(), QDate(2024, 2, 29));
    QCOMPARE(days->rows(), 3);
    // By keyboard the focus starts on today: a week back, a day back, and Enter.
    click(*window, "cmdCale");
    for (const Qt::Key key : {Qt::Key_Left, Qt::Key_Up, Qt::Key_Return})
        QTest::keyClick(grid, key);
    QVERIFY(find<QWidget>(*window, QStringLiteral("fraMain"))->isVisible());
    QCOMPARE(monthView->value(), QDate(2024, 5, 10));
    QCOMPARE(days->rows(), 2);
}

// A hand edit left the first record without a date: the calendar and the totals still span the
// dated records, and the range page says how many it left out.
void TestStatPages::recordsWithoutADate()
{
    writeBytes(m_desk->file(u"データ.txt"),
               sjis(QStringLiteral("\"2024/02/31\",\"10:00:00\",\"プラマイ\",60,\"\",\n") + sixtyDays()
                    + QStringLiteral(
                        "\"いつか\",\"10:00:00\",\"しりとり\",60,\"\",\n\"2024/03/01\",\"10:00:00\",\"しりとり\",60,\"\",\n")));
    auto window = load();
    click(*window, "cmdCale");
    auto *months = find<Grid>(*window, QStringLiteral("msgCale"));
    QCOMPARE(months->rows(), 4);
    QCOMPARE(months->textMatrix(1, 0), QStringLiteral("2024年03月"));
    click(*window, "cmdTaijyu");
    auto *undated = find<QLabel>(*window, QStringLiteral("lblUndated"));
    QVERIFY(!undated->isHidden());
    QCOMPARE(undated->text(), QStringLiteral("日付の読めない記録 2 件は一覧に入れていません。"));
    QCOMPARE(find<Grid>(*window, QStringLiteral("msgBunseki"))->rows(), 302);
    click(*window, "cmdKikanF"); // from the earliest date to the latest, not the last appended
    QCOMPARE(find<Grid>(*window, QStringLiteral("msgBunseki"))->rows(), 302);
}

void TestStatPages::rangeItemFilterHoldsUntilTheUserMovesIn()
{
    auto window = load();
    click(*window, "cmdTaijyu");
    auto *plays = find<Grid>(*window, QStringLiteral("msgBunseki"));
    auto *items = find<QListWidget>(*window, QStringLiteral("lstAct2"));
    auto *key = find<QLineEdit>(*window, QStringLiteral("txtKey"));
    const auto listedItems = [&] {
        QStringList listed = column(plays, 4);
        listed.removeDuplicates();
        return listed;
    };
    // Picked with the keyboard as with a click.
    items->setFocus();
    QCOMPARE(plays->rows(), 301); // taking the focus picks nothing
    QTest::keyClick(items, Qt::Key_Right);
    QCOMPARE(key->text(), items->currentItem()->text());
    QCOMPARE(listedItems(), QStringList{items->currentItem()->text()});
    items->setCurrentRow(0);
    QTest::keyClick(items, Qt::Key_Right); // the games stand side by side
    QCOMPARE(listedItems(), QStringList{QStringLiteral("しりとり")});

    // The window becoming active again (back from the help window) keeps the filter, and the
    // next period still lists the game picked.
    key->setFocus(Qt::ActiveWindowFocusReason);
    QCOMPARE(key->text(), QStringLiteral("しりとり"));
    click(*window, "cmdKikan2");
    QCOMPARE(listedItems(), QStringList{QStringLiteral("しりとり")});
    QCOMPARE(items->selectedItems().size(), 1);

    // Moving into the box starts a new search: the box and the list's highlight empty.
    items->setFocus();
    key->setFocus(Qt::TabFocusReason);
    QVERIFY(key->text().isEmpty());
    QVERIFY(items->selectedItems().isEmpty());

    Q_EMIT items->itemClicked(items->item(4));
    items->setCurrentRow(4);
    click(*window, "cmdAllact");
    QVERIFY(items->selectedItems().isEmpty());
    QCOMPARE(items->currentRow(), -1);
    click(*window, "cmdMain");
    items->setCurrentRow(2);
    click(*window, "cmdTaijyu");
    QVERIFY(items->selectedItems().isEmpty());
}

void TestStatPages::sortPage()
{
    m_state.helpTourFlag = 0;
    auto window = load();
    click(*window, "cmdBunseki");
    auto *list = find<Grid>(*window, QStringLiteral("msgIchiran"));
    QCOMPARE(list->rows(), 301);
    QCOMPARE(list->textMatrix(0, 0), QStringLiteral("回"));
    click(*window, "cmdSort3");
    QCOMPARE(list->textMatrix(1, 4), QStringLiteral("30"));
    click(*window, "cmdSort3");
    QCOMPARE(list->textMatrix(1, 4), QStringLiteral("34"));
    click(*window, "cmdSort2"); // its own first press: ascending, whatever the seconds button did
    QCOMPARE(list->textMatrix(1, 3), QStringLiteral("カラパニ"));
    click(*window, "cmdSort1");
    QCOMPARE(list->textMatrix(1, 0), QStringLiteral("1"));
    // Reopening the page keeps the toggles: the next press of "回" sorts descending.
    click(*window, "cmdMain");
    click(*window, "cmdBunseki");
    click(*window, "cmdSort1");
    QCOMPARE(list->textMatrix(1, 0), QStringLiteral("300"));
    // A main window loaded anew starts every toggle at ascending.
    window.reset();
    auto again = load();
    click(*again, "cmdBunseki");
    click(*again, "cmdSort1");
    QCOMPARE(find<Grid>(*again, QStringLiteral("msgIchiran"))->textMatrix(1, 0), QStringLiteral("1"));
}

void TestStatPages::totalsPage()
{
    auto window = load();
    click(*window, "cmdSyuukei");
    QCOMPARE(m_desk->messages.shown().last().text,
             QStringLiteral("プレイしたデータを月別、日別の集計結果で見ることができます。\r\n\r\n"));
    auto *monthly = find<Grid>(*window, QStringLiteral("msgKakei1"));
    auto *daily = find<Grid>(*window, QStringLiteral("msgKakei2"));
    QCOMPARE(monthly->rows(), 5);
    QCOMPARE(daily->rows(), 61);
    QCOMPARE(monthly->textMatrix(4, 1), QStringLiteral("合計"));
    QCOMPARE(monthly->textMatrix(4, 2), QStringLiteral("2:40:00"));
    QCOMPARE(monthly->gridModel().foreColor(4, 2), QColor(255, 0, 0));
    QCOMPARE(daily->textMatrix(1, 1), QStringLiteral("24/03/20"));
    QCOMPARE(daily->textMatrix(0, 3), QStringLiteral("プラマイ"));
    QTest::mouseClick(find<QRadioButton>(*window, QStringLiteral("optList22")), Qt::LeftButton);
    QCOMPARE(daily->textMatrix(1, 2), QStringLiteral("0:02:40 (5)"));
    // A screen reader's toggle chooses the mode as a click does.
    QAccessible::queryAccessibleInterface(find<QRadioButton>(*window, QStringLiteral("optList21")))
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::toggleAction());
    QCOMPARE(monthly->textMatrix(4, 2), QStringLiteral("300"));
}

void TestStatPages::filesWithoutDaysShowHeadingsOnly_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("plays");
    QTest::addColumn<int>("days");
    QTest::newRow("empty file") << QByteArray() << 0 << 0;
    // Hand-edited dates far apart: the pages list no day of them, rather than every day between.
    QTest::newRow("dates outside two centuries") << sjis(QStringLiteral("\"0100/01/01\",\"10:00:00\",\"プラマイ\",10,\"\",\n"
                                                                        "\"1899/12/31\",\"10:00:00\",\"プラマイ\",10,\"\",\n"
                                                                        "\"2024/05/18\",\"10:00:00\",\"プラマイ\",10,\"\",\n"
                                                                        "\"2100/01/01\",\"10:00:00\",\"プラマイ\",10,\"\",\n"
                                                                        "\"9999/12/31\",\"10:00:00\",\"プラマイ\",10,\"\",\n"))
                                                 << 5 << 1;
}

void TestStatPages::filesWithoutDaysShowHeadingsOnly()
{
    QFETCH(QByteArray, content);
    QFETCH(int, plays);
    QFETCH(int, days);
    writeBytes(m_desk->file(u"データ.txt"), content);
    m_state.helpTourFlag = 0;
    auto window = load();
    click(*window, "cmdRentai");
    QCOMPARE(find<Grid>(*window, QStringLiteral("msgDayList2"))->rows(), plays + 1);
    QCOMPARE(find<Grid>(*window, QStringLiteral("msgDayList3"))->rows(), days + 1);
    // The calendar and the totals span the dated plays only: here one day, of one week and month.
    click(*window, "cmdCale");
    QCOMPARE(find<Grid>(*window, QStringLiteral("msgCale"))->rows(), days + 1);
    QCOMPARE(find<Grid>(*window, QStringLiteral("msgCale_w"))->rows(), days + 1);
    QCOMPARE(find<Chart>(*window, QStringLiteral("mcrKingaku"))->pointCount(), 7);
    auto *year = find<YearGridView>(*window, QStringLiteral("yearGrid"));
    QCOMPARE(year->toolTipAt(year->dayRect(QDate(2024, 5, 18)).center()).endsWith(QStringLiteral("\n1回　プレイ時間 0:00:10")),
             days > 0);
    click(*window, "cmdSyuukei");
    QCOMPARE(find<Grid>(*window, QStringLiteral("msgKakei1"))->rows() > 1, days > 0);
    QCOMPARE(find<Grid>(*window, QStringLiteral("msgKakei2"))->rows() > 1, days > 0);
    QVERIFY(find<Grid>(*window, QStringLiteral("msgKakei2"))->rows() <= days + 3); // no day between the far dates
    click(*window, "cmdTaijyu");
    QCOMPARE(find<Grid>(*window, QStringLiteral("msgBunseki"))->rows(), days + 1); // a play without a date has no period
    QCOMPARE(find<Grid>(*window, QStringLiteral("msgBunseki2"))->rows(), 8);
}

void TestStatPages::outsideChangesShowAtTheNextOpening()
{
    m_state.helpTourFlag = 0;
    auto window = load();
    click(*window, "cmdBunseki");
    auto *list = find<Grid>(*window, QStringLiteral("msgIchiran"));
    QCOMPARE(list->rows(), 301);
    // Another program adds a play; an editor then takes the first one out.
    QFile file(m_desk->file(u"データ.txt"));
    QVERIFY(file.open(QIODevice::Append));
    file.write(sjis(QStringLiteral("\"2024/05/18\",\"23:59:00\",\"カラパニ\",30,\"外から\",\n")));
    file.close();
    click(*window, "cmdMain");
    click(*window, "cmdBunseki");
    QCOMPARE(list->rows(), 302);
    QCOMPARE(list->textMatrix(301, 5), QStringLiteral("外から"));
    QByteArray bytes = readBytes(m_desk->file(u"データ.txt"));
    bytes.remove(0, bytes.indexOf('\n') + 1);
    writeBytes(m_desk->file(u"データ.txt"), bytes);
    click(*window, "cmdMain");
    click(*window, "cmdBunseki");
    QCOMPARE(list->rows(), 301);
}

void TestStatPages::chartsShowingTheSameAreNotDrawnAgain()
{
    m_state.helpTourFlag = 0;
    auto window = load();
    click(*window, "cmdCale");
    QCoreApplication::processEvents();
    auto *perWeekday = find<Chart>(*window, QStringLiteral("mcrKensu"));
    const int drawn = perWeekday->redrawCount();
    click(*window, "cmdMain");
    click(*window, "cmdCale");
    QCoreApplication::processEvents();
    QCOMPARE(perWeekday->redrawCount(), drawn);

    click(*window, "cmdTaijyu");
    QCoreApplication::processEvents();
    auto *listed = find<Chart>(*window, QStringLiteral("mcrBunseki"));
    const int listedDrawn = listed->redrawCount();
    click(*window, "cmdWeek3");
    click(*window, "cmdAllWeek");
    QCoreApplication::processEvents();
    QCOMPARE(listed->redrawCount(), listedDrawn);

    // A new play changes what the chart shows: it is drawn anew.
    QFile file(m_desk->file(u"データ.txt"));
    QVERIFY(file.open(QIODevice::Append));
    file.write(sjis(QStringLiteral("\"2024/05/18\",\"23:59:00\",\"カラパニ\",30,\"\",\n")));
    file.close();
    click(*window, "cmdMain");
    click(*window, "cmdCale");
    QCoreApplication::processEvents();
    QCOMPARE(perWeekday->redrawCount(), drawn + 1);
    QCOMPARE(perWeekday->value(1, 7), 46.0); // nine Saturdays of five plays, and the new one
}

QTEST_MAIN(TestStatPages)
#include "tst_statpages.moc"
