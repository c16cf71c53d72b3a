#include "Desk.h"
#include "ScriptedMessageBoxes.h"
#include "Plays.h"
#include "TestFiles.h"
#include "Widgets.h"

#include "games/common/ProgramState.h"
#include "games/plamai/frmG1.h"
#include "records/Services.h"
#include "ui/Chart.h"
#include "ui/ColorButton.h"
#include "ui/Colors.h"
#include "ui/Grid.h"
#include "ui/Picture.h"
#include "ui/Shape.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <memory>
#include <optional>

using namespace kotohana;
using namespace kotohana::test;

class TestPlamai : public QObject
{
    Q_OBJECT

private:
    std::optional<Desk> m_desk;
    ProgramState m_state;

    QString file(const char16_t *name) const { return m_desk->file(name); }
    std::unique_ptr<frmG1> open() { return openGame<frmG1>(m_desk->services, m_state); }

    static QString text(const QWidget &window, const char *label)
    {
        return find<QLabel>(window, QString::fromLatin1(label))->text();
    }

    static QLineEdit *box(const QWidget &window, int i) { return find<QLineEdit>(window, QStringLiteral("txtKaitou%1").arg(i)); }

    static int digit(const QWidget &window, int i)
    {
        return find<QLabel>(window, QStringLiteral("lblMondai%1").arg(i))->text().toInt();
    }

    void tick(frmG1 &window, void (frmG1::*timer)(), qint64 ms = 1000)
    {
        m_desk->clock.advanceMilliseconds(ms);
        (window.*timer)();
    }

    void startPlay(frmG1 &window) { test::startPlay(window, m_desk->clock); }

    // Types the answer of box i, right or wrong, as a key press.
    void answer(frmG1 &window, int i, bool right)
    {
        const QString mode = find<QComboBox>(window, QStringLiteral("cboMode"))->currentText();
        const int expected = plamaiDigit(digit(window, i), digit(window, i + 1), mode);
        const int typed = right ? expected : (expected + 1) % 10;
        QTest::keyClick(box(window, i), char('0' + typed));
    }

    static QColor boxColour(const QWidget &window, int i) { return box(window, i)->palette().color(QPalette::Base); }

private Q_SLOTS:
    void init()
    {
        m_desk.emplace(QDateTime(QDate(2024, 5, 18), QTime(21, 0, 0)), 7);
        m_state = ProgramState();
    }

    void helpTourExplainsTheGame();
    void countdownPicturesAndFirstRow();
    void judgingColoursAndCounts();
    void countModeEndsOnTheLastBoxSavedBesideItsBest();
    void timeModeWithManualSaving();
    void saveDoesNothingDuringCountdownOrPlay();
    void historyFiltersChartsAndClear();
    void settingsAreRewrittenAndReopened();
    void reopeningAfterLeavingMidPlayStartsIdle();
    void modeChosenDuringAPlayRulesFromTheNextBox();
    void keysAfterTheEndMoveNothing();
    void saveModeActsHoweverItIsChanged();
    void damagedSettingsKeepWhatIsReadable();
    void failedSaveLeavesBothFilesAndTheList();
    void unreadableHistoryIsReportedAndLeftAlone();
};

void TestPlamai::helpTourExplainsTheGame()
{
    auto window = open();
    QCOMPARE(window->windowTitle(), QStringLiteral("プラマイ±タイピング"));
    QVERIFY(m_state.helpTourMessage.startsWith(QStringLiteral("このゲームは『プラマイ±タイピング』です。\r\n\r\n")));
    QVERIFY(m_state.helpTourMessage.endsWith(QStringLiteral("\r\n\r\n単純計算の繰り返しで集中力を高めましょう！")));
}

void TestPlamai::countdownPicturesAndFirstRow()
{
    auto window = open();
    QVERIFY(box(*window, 1)->isHidden());
    window->show();
    QCoreApplication::processEvents();
    const int idleWidth = window->minimumSizeHint().width();
    QTest::mouseClick(find<QPushButton>(*window, QStringLiteral("cmdStart")), Qt::LeftButton);
    QVERIFY(!find<QPushButton>(*window, QStringLiteral("cmdStart"))->isEnabled());
    QCOMPARE(text(*window, "lblJikan"), QStringLiteral("60"));
    QCOMPARE(text(*window, "lblMoji_T"), QStringLiteral("0"));
    const auto shownPicture = [&] {
        QStringList shown;
        for (int i = 1; i <= 3; ++i) {
            if (!find<Picture>(*window, QStringLiteral("imgStart%1").arg(i))->isHidden())
                shown.append(QString::number(i));
        }
        return shown.join(u',');
    };
    tick(*window, &frmG1::tmrStart_Timer);
    QCOMPARE(shownPicture(), QStringLiteral("1"));
    QVERIFY(find<QLabel>(*window, QStringLiteral("lblMondai1"))->text().isEmpty());
    tick(*window, &frmG1::tmrStart_Timer);
    QCOMPARE(shownPicture(), QStringLiteral("2"));
    tick(*window, &frmG1::tmrStart_Timer);
    QCOMPARE(shownPicture(), QStringLiteral("3"));
    for (int i = 1; i <= 15; ++i)
        QCOMPARE(find<QLabel>(*window, QStringLiteral("lblMondai%1").arg(i))->text().size(), 1);
    for (int i = 1; i <= 14; ++i) {
        QVERIFY(!box(*window, i)->isHidden());
        QCOMPARE(boxColour(*window, i), QColor(255, 255, 240));
    }
    QCOMPARE(window->focusWidget(), box(*window, 1));
    QCoreApplication::processEvents();
    QCOMPARE(window->minimumSizeHint().width(), idleWidth); // the boxes had their room already
    tick(*window, &frmG1::tmrStart_Timer);
    QCOMPARE(shownPicture(), QStringLiteral("3")); // stays during the play
}

void TestPlamai::judgingColoursAndCounts()
{
    auto window = open();
    startPlay(*window);
    answer(*window, 1, true);
    QCOMPARE(boxColour(*window, 1), QColor(192, 255, 192));
    QCOMPARE(window->focusWidget(), box(*window, 2));
    answer(*window, 2, false);
    QCOMPARE(boxColour(*window, 2), QColor(255, 192, 192));
    QCOMPARE(text(*window, "lblMoji_T"), QStringLiteral("2"));
    QCOMPARE(text(*window, "lblRitu"), QStringLiteral("50.0%")); // after every answer

    // Clicking a box empties it; typing there again is a further answer.
    QTest::mouseClick(box(*window, 2), Qt::LeftButton);
    QVERIFY(box(*window, 2)->text().isEmpty());
    answer(*window, 2, true);
    QCOMPARE(text(*window, "lblMoji_T"), QStringLiteral("3"));

    for (int i = 3; i <= 14; ++i)
        answer(*window, i, true);
    // The fourteenth answer brings a fresh row of empty pale-yellow boxes.
    QCOMPARE(text(*window, "lblMoji_T"), QStringLiteral("15"));
    for (int i = 1; i <= 14; ++i) {
        QVERIFY(box(*window, i)->text().isEmpty());
        QCOMPARE(boxColour(*window, i), QColor(255, 255, 240));
    }
    QCOMPARE(window->focusWidget(), box(*window, 1));
}

// A count-mode play ends on its last box and is saved by itself; its best is judged against the
// history as it stands at "スタート", and shown once the play is over.
void TestPlamai::countModeEndsOnTheLastBoxSavedBesideItsBest()
{
    writeBytes(file(u"プラマイ設定.txt"), sjis(QStringLiteral("14,60,\"＋\",\"答数\",1\n")));
    const QByteArray before = sjis(QStringLiteral("\"2024/05/17\",\"20:00:00\",14,14,0,\"100.0%\",\"1.08/秒\",\"13秒\",\"＋\"\n"));
    writeBytes(file(u"プラマイ履歴.txt"), before);
    auto window = open();
    QVERIFY(find<QRadioButton>(*window, QStringLiteral("optMode0"))->isChecked());
    auto *best = find<QLabel>(*window, QStringLiteral("lblBest"));
    QVERIFY(best->isHidden());
    startPlay(*window); // the play starts at 21:00:03
    tick(*window, &frmG1::tmrPlay_Timer, 12500);
    QCOMPARE(text(*window, "lblJikan"), QStringLiteral("12.5"));
    for (int i = 1; i <= 13; ++i)
        answer(*window, i, true);
    QVERIFY(best->isHidden()); // not before the play is over
    answer(*window, 14, true);

    // Ended on the last box; the fresh row drawn by it stays on screen.
    QVERIFY(find<QPushButton>(*window, QStringLiteral("cmdStart"))->isEnabled());
    QVERIFY(!box(*window, 1)->isHidden());
    QVERIFY(box(*window, 1)->text().isEmpty());
    QCOMPARE(text(*window, "lblByou"), QStringLiteral("1.12/秒"));
    QVERIFY(!best->isHidden());
    QCOMPARE(best->text(), QStringLiteral("自己ベスト！"));

    // Saved automatically: a history row and line, and a play record; nothing of the best.
    auto *list = find<Grid>(*window, QStringLiteral("msgRireki"));
    QCOMPARE(list->rows(), 3);
    QCOMPARE(list->textMatrix(2, 8), QStringLiteral("12.5秒"));
    QCOMPARE(readBytes(file(u"プラマイ履歴.txt")),
             before + sjis(QStringLiteral("\"2024/05/18\",\"21:00:15\",14,14,0,\"100.0%\",\"1.12/秒\",\"12.5秒\",\"＋\"\n")));
    QCOMPARE(readBytes(file(u"データ.txt")),
             sjis(QStringLiteral("\"2024/05/18\",\"21:00:15\",\"プラマイ\",12.5,\"答数 : 14  (＋) モード\",\n")));

    // Nothing changes after the end.
    answer(*window, 1, true);
    QCOMPARE(text(*window, "lblMoji_T"), QStringLiteral("14"));
    QCOMPARE(boxColour(*window, 1), QColor(255, 255, 240));

    // The next play hides the best; the same time again only ties the best just saved.
    startPlay(*window);
    QVERIFY(best->isHidden());
    tick(*window, &frmG1::tmrPlay_Timer, 12500);
    for (int i = 1; i <= 14; ++i)
        answer(*window, i, true);
    QVERIFY(best->isHidden());
}

void TestPlamai::timeModeWithManualSaving()
{
    writeBytes(file(u"プラマイ設定.txt"), sjis(QStringLiteral("10,10,\"－\",\"秒数\",0\n")));
    auto window = open();
    QCOMPARE(find<QCheckBox>(*window, QStringLiteral("chkAs"))->text(), QStringLiteral("手動保存モード"));
    auto *save = find<QPushButton>(*window, QStringLiteral("cmdHozon"));
    QVERIFY(save->isEnabled());
    startPlay(*window);
    answer(*window, 1, true);
    answer(*window, 2, true);
    answer(*window, 3, false);

    auto *bar = find<kotohana::Shape>(*window, QStringLiteral("shpJikanK"));
    const int fullWidth = bar->width();
    int lastWidth = fullWidth;
    for (int second = 1; second <= 9; ++second) {
        tick(*window, &frmG1::tmrBp_Timer);
        QCOMPARE(text(*window, "lblJikan"), QString::number(10 - second));
        QVERIFY(bar->width() < lastWidth);
        lastWidth = bar->width();
    }
    QVERIFY(!find<QPushButton>(*window, QStringLiteral("cmdStart"))->isEnabled());
    tick(*window, &frmG1::tmrBp_Timer);
    QVERIFY(find<QPushButton>(*window, QStringLiteral("cmdStart"))->isEnabled()); // ended at 10 s
    QCOMPARE(bar->width(), 0);
    QCOMPARE(text(*window, "lblByou"), QStringLiteral("0.30/秒"));
    QVERIFY(!m_desk->folder.contains(u"データ.txt")); // manual mode saves nothing by itself

    // The play is saved as played, whatever the settings show by now.
    auto *seconds = find<QComboBox>(*window, QStringLiteral("cboJikan"));
    seconds->setCurrentText(QStringLiteral("30"));
    Q_EMIT seconds->activated(seconds->currentIndex());
    auto *mode = find<QComboBox>(*window, QStringLiteral("cboMode"));
    mode->setCurrentText(QStringLiteral("＋"));
    Q_EMIT mode->activated(mode->currentIndex());
    find<QRadioButton>(*window, QStringLiteral("optMode0"))->setChecked(true);
    QCOMPARE(readBytes(file(u"プラマイ設定.txt")), sjis(QStringLiteral("10,30,\"＋\",\"答数\",0\n")));
    QTest::mouseClick(save, Qt::LeftButton); // at 21:00:13
    QTest::mouseClick(save, Qt::LeftButton); // nothing marks a play as saved
    const QString line = QStringLiteral("\"2024/05/18\",\"21:00:13\",3,2,1,\"66.7%\",\"0.30/秒\",\"10秒\",\"－\"\n");
    QCOMPARE(readBytes(file(u"プラマイ履歴.txt")), sjis(line + line));
    const QString record = QStringLiteral("\"2024/05/18\",\"21:00:13\",\"プラマイ\",10,\"秒数 : 10  (－) モード\",\n");
    QCOMPARE(readBytes(file(u"データ.txt")), sjis(record + record));
    QCOMPARE(find<Grid>(*window, QStringLiteral("msgRireki"))->rows(), 3);
}

void TestPlamai::saveDoesNothingDuringCountdownOrPlay()
{
    writeBytes(file(u"プラマイ設定.txt"), sjis(QStringLiteral("10,10,\"＋\",\"秒数\",0\n")));
    auto window = open();
    auto *save = find<QPushButton>(*window, QStringLiteral("cmdHozon"));
    QTest::mouseClick(save, Qt::LeftButton); // nothing played yet
    QTest::mouseClick(find<QPushButton>(*window, QStringLiteral("cmdStart")), Qt::LeftButton);
    tick(*window, &frmG1::tmrStart_Timer);
    QTest::mouseClick(save, Qt::LeftButton); // during the countdown
    tick(*window, &frmG1::tmrStart_Timer);
    tick(*window, &frmG1::tmrStart_Timer);
    answer(*window, 1, true);
    QTest::mouseClick(save, Qt::LeftButton); // during the play
    QVERIFY(!m_desk->folder.contains(u"データ.txt"));
    QVERIFY(!m_desk->folder.contains(u"プラマイ履歴.txt"));
    QCOMPARE(find<Grid>(*window, QStringLiteral("msgRireki"))->rows(), 1);
    tick(*window, &frmG1::tmrBp_Timer, 10000);
    startPlay(*window);
    tick(*window, &frmG1::tmrBp_Timer, 10000);
    QVERIFY(text(*window, "lblRitu").isEmpty()); // no answer, no rate: it shows after each answer
}

void TestPlamai::historyFiltersChartsAndClear()
{
    QString history;
    const auto line = [](const char *time, int answers, int ok, const char *seconds, const char16_t *mode) {
        return QStringLiteral("\"2024/05/18\",\"%1\",%2,%3,%4,\"50.0%\",\"1.00/秒\",\"%5秒\",\"%6\"\n")
            .arg(QString::fromLatin1(time))
            .arg(answers)
            .arg(ok)
            .arg(answers - ok)
            .arg(QString::fromLatin1(seconds), QString::fromUtf16(mode));
    };
    history += line("08:00:00", 40, 37, "60", u"－");
    history += line("08:05:00", 10, 9, "41.3", u"－");
    history += line("08:10:00", 40, 30, "60", u"＋");
    history += line("08:15:00", 30, 20, "60", u"－");
    writeBytes(file(u"プラマイ履歴.txt"), sjis(history));
    auto window = open();
    auto *list = find<Grid>(*window, QStringLiteral("msgRireki"));
    QCOMPARE(list->rows(), 5);
    auto *all = find<ColorButton>(*window, QStringLiteral("cmdAllDsp"));
    QCOMPARE(all->backColor(), windowsColor(0xC0FFFF));

    auto *seconds = find<QComboBox>(*window, QStringLiteral("cboJikan2"));
    seconds->setCurrentText(QStringLiteral("60"));
    Q_EMIT seconds->activated(seconds->currentIndex());
    QCOMPARE(m_desk->messages.shown().size(), 1);
    QCOMPARE(m_desk->messages.shown().last().icon, ScriptedMessageBoxes::Icon::Exclamation);
    QCOMPARE(m_desk->messages.shown().last().title, QStringLiteral("モード選択"));
    QCOMPARE(m_desk->messages.shown().last().text, QStringLiteral("先にモードを選んでください"));
    QCOMPARE(list->rows(), 5);

    auto *mode = find<QComboBox>(*window, QStringLiteral("cboMode2"));
    mode->setCurrentText(QStringLiteral("－"));
    Q_EMIT mode->activated(mode->currentIndex());
    QCOMPARE(list->rows(), 4);
    QCOMPARE(all->backColor(), windowsColor(kButtonFace));
    seconds->setCurrentText(QStringLiteral("60"));
    Q_EMIT seconds->activated(seconds->currentIndex());
    QCOMPARE(list->rows(), 3);
    QCOMPARE(list->textMatrix(1, 0), QStringLiteral("1"));
    QCOMPARE(list->textMatrix(2, 2), QStringLiteral("08:15:00"));
    auto *answers = find<QComboBox>(*window, QStringLiteral("cboKaisu2"));
    answers->setCurrentText(QStringLiteral("10"));
    Q_EMIT answers->activated(answers->currentIndex());
    QCOMPARE(list->rows(), 2);
    QVERIFY(seconds->currentText().isEmpty());

    QTest::mouseClick(all, Qt::LeftButton);
    QCOMPARE(list->rows(), 5);
    auto *byCount = find<ColorButton>(*window, QStringLiteral("cmdKaitou"));
    QTest::mouseClick(byCount, Qt::LeftButton);
    auto *twoSeries = find<Chart>(*window, QStringLiteral("mcrRireki2"));
    QVERIFY(!twoSeries->isHidden());
    QVERIFY(find<Chart>(*window, QStringLiteral("mcrRireki"))->isHidden());
    QCOMPARE(byCount->backColor(), windowsColor(0xFFFFC0));
    QCOMPARE(twoSeries->pointCount(), 4);
    QCOMPARE(twoSeries->value(1, 1), 37.0);
    QCOMPARE(twoSeries->value(2, 1), 3.0);
    QTest::mouseClick(find<ColorButton>(*window, QStringLiteral("cmdPByou")), Qt::LeftButton);
    auto *oneSeries = find<Chart>(*window, QStringLiteral("mcrRireki"));
    QCOMPARE(oneSeries->value(1, 2), 41.3);
    QCOMPARE(byCount->backColor(), windowsColor(kButtonFace));
    // A new listing redraws the chart on show.
    mode->setCurrentText(QStringLiteral("＋"));
    Q_EMIT mode->activated(mode->currentIndex());
    QCOMPARE(oneSeries->pointCount(), 1);

    m_desk->messages.answerNext(false);
    QTest::mouseClick(find<QPushButton>(*window, QStringLiteral("cmdClear")), Qt::LeftButton);
    QCOMPARE(readBytes(file(u"プラマイ履歴.txt")), sjis(history));
    m_desk->messages.answerNext(true);
    QTest::mouseClick(find<QPushButton>(*window, QStringLiteral("cmdClear")), Qt::LeftButton);
    QCOMPARE(m_desk->messages.shown().last().title, QStringLiteral("クリア終了"));
    QCOMPARE(m_desk->messages.shown().last().text, QStringLiteral("履歴データをクリアしました"));
    QCOMPARE(readBytes(file(u"プラマイ履歴.txt")), QByteArray());
    QCOMPARE(list->rows(), 1);
    QCOMPARE(oneSeries->pointCount(), 0); // the lit chart follows the emptied list
    QTest::mouseClick(all, Qt::LeftButton);
    QCOMPARE(list->rows(), 1);
}

void TestPlamai::settingsAreRewrittenAndReopened()
{
    auto window = open();
    QCOMPARE(readBytes(file(u"プラマイ設定.txt")), sjis(QStringLiteral("10,60,\"＋\",\"秒数\",1\n")));
    QTest::mouseClick(find<QRadioButton>(*window, QStringLiteral("optMode0")), Qt::LeftButton);
    QVERIFY(!find<QComboBox>(*window, QStringLiteral("cboJikan"))->isEnabled());
    QCOMPARE(readBytes(file(u"プラマイ設定.txt")), sjis(QStringLiteral("10,60,\"＋\",\"答数\",1\n")));
    auto *answers = find<QComboBox>(*window, QStringLiteral("cboKaisu"));
    answers->setCurrentText(QStringLiteral("30"));
    Q_EMIT answers->activated(answers->currentIndex());
    auto *mode = find<QComboBox>(*window, QStringLiteral("cboMode"));
    mode->setCurrentText(QStringLiteral("－"));
    Q_EMIT mode->activated(mode->currentIndex());
    QTest::mouseClick(find<QCheckBox>(*window, QStringLiteral("chkAs")), Qt::LeftButton);
    QCOMPARE(readBytes(file(u"プラマイ設定.txt")), sjis(QStringLiteral("30,60,\"－\",\"答数\",0\n")));
    QVERIFY(find<QPushButton>(*window, QStringLiteral("cmdHozon"))->isEnabled());

    window.reset();
    auto again = open();
    QVERIFY(find<QRadioButton>(*again, QStringLiteral("optMode0"))->isChecked());
    QCOMPARE(find<QComboBox>(*again, QStringLiteral("cboKaisu"))->currentText(), QStringLiteral("30"));
    QVERIFY(!find<QComboBox>(*again, QStringLiteral("cboJikan"))->isEnabled());
    QCOMPARE(find<QComboBox>(*again, QStringLiteral("cboMode"))->currentText(), QStringLiteral("－"));
    QCOMPARE(find<QCheckBox>(*again, QStringLiteral("chkAs"))->text(), QStringLiteral("手動保存モード"));
    QCOMPARE(readBytes(file(u"プラマイ設定.txt")), sjis(QStringLiteral("30,60,\"－\",\"答数\",0\n")));
}

void TestPlamai::reopeningAfterLeavingMidPlayStartsIdle()
{
    auto window = open();
    QSignalSpy back(window.get(), &GameWindow::returnToMain);
    QTest::mouseClick(find<QPushButton>(*window, QStringLiteral("cmdStart")), Qt::LeftButton);
    tick(*window, &frmG1::tmrStart_Timer);
    tick(*window, &frmG1::tmrStart_Timer);
    tick(*window, &frmG1::tmrStart_Timer);
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_W, Qt::ControlModifier); // asked first; Cancel goes on playing
    QTRY_COMPARE(m_desk->messages.shown().value(0).title, QStringLiteral("戻り確認"));
    m_desk->messages.answerNext(true);
    QTest::mouseClick(find<QPushButton>(*window, QStringLiteral("cmdEnd")), Qt::LeftButton);
    QCOMPARE(back.size(), 1);
    window.reset();
    auto again = open();
    QVERIFY(find<QPushButton>(*again, QStringLiteral("cmdStart"))->isEnabled());
    tick(*again, &frmG1::tmrStart_Timer);
    QVERIFY(find<Picture>(*again, QStringLiteral("imgStart1"))->isHidden());
    QVERIFY(!again->play());
}

void TestPlamai::modeChosenDuringAPlayRulesFromTheNextBox()
{
    writeBytes(file(u"プラマイ設定.txt"), sjis(QStringLiteral("2,60,\"＋\",\"答数\",1\n")));
    auto window = open();
    startPlay(*window);
    auto *mode = find<QComboBox>(*window, QStringLiteral("cboMode"));
    QVERIFY(mode->isEnabled());
    mode->setCurrentText(QStringLiteral("－"));
    Q_EMIT mode->activated(mode->currentIndex());
    const int a = digit(*window, 1);
    const int b = digit(*window, 2);
    QTest::keyClick(box(*window, 1), char('0' + std::abs(a - b)));
    QCOMPARE(boxColour(*window, 1), QColor(192, 255, 192));
    answer(*window, 2, true);
    QVERIFY(readBytes(file(u"プラマイ履歴.txt")).endsWith(sjis(QStringLiteral(",\"－\"\n")))); // saved in minus mode
}

void TestPlamai::keysAfterTheEndMoveNothing()
{
    QString history;
    for (int i = 0; i < 59; ++i)
        history += QStringLiteral("\"2024/05/17\",\"08:%1:00\",1,1,0,\"100.0%\",\"1.00/秒\",\"1秒\",\"＋\"\n")
                       .arg(i, 2, 10, QLatin1Char('0'));
    writeBytes(file(u"プラマイ履歴.txt"), sjis(history));
    writeBytes(file(u"プラマイ設定.txt"), sjis(QStringLiteral("1,60,\"＋\",\"答数\",1\n")));
    auto window = open();
    window->resize(1180, 780);
    startPlay(*window);
    answer(*window, 1, true); // the only answer ends the play and saves it
    auto *list = find<Grid>(*window, QStringLiteral("msgRireki"));
    QCOMPARE(list->rows(), 61);
    // The focus goes to the list: keys typed as the play ends count nothing and move no list.
    QCOMPARE(window->focusWidget(), list);
    QCoreApplication::processEvents(); // the list is laid out with its newest row in view
    QScrollBar *scroll = list->verticalScrollBar();
    QVERIFY(scroll->maximum() > 0);
    QCOMPARE(scroll->value(), scroll->maximum()); // the newest row is in view
    for (const char key : {'1', '2', '0', '8'})
        QTest::keyClick(window->focusWidget(), key);
    QCOMPARE(find<QLabel>(*window, QStringLiteral("lblMoji_T"))->text(), QStringLiteral("1"));
    QCOMPARE(scroll->value(), scroll->maximum());
    // The keyboard finds the newest row marked in the list.
    list->setFocus(Qt::TabFocusReason);
    QCOMPARE(list->row(), 60);
    QCOMPARE(scroll->value(), scroll->maximum());
}

void TestPlamai::saveModeActsHoweverItIsChanged()
{
    auto window = open();
    auto *automatic = find<QCheckBox>(*window, QStringLiteral("chkAs"));
    auto *save = find<QPushButton>(*window, QStringLiteral("cmdHozon"));
    QVERIFY(!automatic->accessibleName().isEmpty());
    // An assistive technology sets the state directly, with no click.
    automatic->setChecked(false);
    QCOMPARE(readBytes(file(u"プラマイ設定.txt")), sjis(QStringLiteral("10,60,\"＋\",\"秒数\",0\n")));
    QVERIFY(save->isEnabled());
    QCOMPARE(automatic->text(), QStringLiteral("手動保存モード"));
    QVERIFY(!automatic->accessibleName().isEmpty());
    // The keyboard toggles it back.
    automatic->setFocus();
    QTest::keyClick(automatic, Qt::Key_Space);
    QVERIFY(automatic->isChecked());
    QCOMPARE(readBytes(file(u"プラマイ設定.txt")), sjis(QStringLiteral("10,60,\"＋\",\"秒数\",1\n")));
    QVERIFY(!save->isEnabled());
    QCOMPARE(automatic->text(), QStringLiteral("自動保存モード"));

    find<QRadioButton>(*window, QStringLiteral("optMode0"))->setChecked(true);
    QCOMPARE(readBytes(file(u"プラマイ設定.txt")), sjis(QStringLiteral("10,60,\"＋\",\"答数\",1\n")));
    QVERIFY(find<QComboBox>(*window, QStringLiteral("cboKaisu"))->isEnabled());
    QVERIFY(!find<QComboBox>(*window, QStringLiteral("cboJikan"))->isEnabled());
    QCOMPARE(m_state.timingMode, 0);
}

void TestPlamai::damagedSettingsKeepWhatIsReadable()
{
    // The seconds are off the list; manual saving, count mode and the rest are kept.
    writeBytes(file(u"プラマイ設定.txt"), sjis(QStringLiteral("20,61,\"－\",\"答数\",0\n")));
    auto window = open();
    QVERIFY(!find<QCheckBox>(*window, QStringLiteral("chkAs"))->isChecked());
    QVERIFY(find<QPushButton>(*window, QStringLiteral("cmdHozon"))->isEnabled());
    QVERIFY(find<QRadioButton>(*window, QStringLiteral("optMode0"))->isChecked());
    QCOMPARE(find<QComboBox>(*window, QStringLiteral("cboKaisu"))->currentText(), QStringLiteral("20"));
    QCOMPARE(find<QComboBox>(*window, QStringLiteral("cboMode"))->currentText(), QStringLiteral("－"));
    QCOMPARE(readBytes(file(u"プラマイ設定.txt")), sjis(QStringLiteral("20,60,\"－\",\"答数\",0\n")));
    QCOMPARE(m_desk->messages.shown().size(), 1);
    QVERIFY(m_desk->messages.shown().first().text.contains(QStringLiteral("プラマイ設定.txt")));
    // Told once: the next opening finds a sound file.
    m_desk->messages.forget();
    window.reset();
    window = open();
    QVERIFY(m_desk->messages.shown().isEmpty());
}

void TestPlamai::failedSaveLeavesBothFilesAndTheList()
{
    writeBytes(file(u"プラマイ設定.txt"), sjis(QStringLiteral("1,60,\"＋\",\"答数\",1\n")));
    writeBytes(file(u"プラマイ履歴.txt"), QByteArray());
    QVERIFY(QDir().mkpath(m_desk->file(u"データ.txt"))); // データ.txt cannot be written
    auto window = open();
    startPlay(*window);
    answer(*window, 1, true);
    QCOMPARE(m_desk->messages.shown().size(), 1);
    QCOMPARE(m_desk->messages.shown().first().icon, ScriptedMessageBoxes::Icon::Critical);
    QVERIFY(m_desk->messages.shown().first().text.contains(QStringLiteral("データ.txt")));
    QCOMPARE(readBytes(file(u"プラマイ履歴.txt")), QByteArray());
    QCOMPARE(find<Grid>(*window, QStringLiteral("msgRireki"))->rows(), 1);
}

void TestPlamai::unreadableHistoryIsReportedAndLeftAlone()
{
    QVERIFY(QDir().mkpath(m_desk->file(u"プラマイ履歴.txt")));
    auto window = open();
    QCOMPARE(m_desk->messages.shown().size(), 1);
    QCOMPARE(m_desk->messages.shown().first().icon, ScriptedMessageBoxes::Icon::Critical);
    QVERIFY(m_desk->messages.shown().first().text.contains(QStringLiteral("プラマイ履歴.txt")));
    QCOMPARE(find<Grid>(*window, QStringLiteral("msgRireki"))->rows(), 1);
    QVERIFY(QFileInfo(m_desk->file(u"プラマイ履歴.txt")).isDir());
}

QTEST_MAIN(TestPlamai)
#include "tst_plamai.moc"
