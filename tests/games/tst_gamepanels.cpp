#include "ScriptedMessageBoxes.h"
#include "TestFiles.h"
#include "Widgets.h"

#include "games/common/GameDefinition.h"
#include "games/common/HistoryPanel.h"
#include "games/common/PlayDisplay.h"
#include "games/common/SettingsPanel.h"
#include "platform/Formats.h"
#include "ui/Chart.h"
#include "ui/ColorButton.h"
#include "ui/Grid.h"

#include <QComboBox>
#include <QLabel>
#include <QDir>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace kotohana;
using namespace kotohana::test;

namespace {

// A game with a mode list and a three-field history: date, time, answers, mode, seconds.
constexpr HistoryColumn kTestTable[] = {HistoryColumn::date(1400), HistoryColumn::time(1000),
                                        HistoryColumn::number(2, HistoryColumn::Source::Answers, u"答数", 600,
                                                              HistoryColumn::Answered),
                                        HistoryColumn::text(3, HistoryColumn::Source::Mode, u"モード", 700, Qt::AlignHCenter),
                                        HistoryColumn::seconds(4, 1025)};

GameDefinition testGame()
{
    GameDefinition game;
    game.game = GameCatalog::game(1);
    game.modeNames = {QStringLiteral("＋"), QStringLiteral("－")};
    game.history = HistoryLayout(kTestTable);
    game.charts = {{"cmdKaitou", QStringLiteral("答数"), {2}}};
    return game;
}

HistoryRow line(const char *time, int answers, const char16_t *mode)
{
    return {QStringLiteral("2024/05/18"), QString::fromLatin1(time), QString::number(answers), QString::fromUtf16(mode),
            QStringLiteral("60秒")};
}

} // namespace

class TestGamePanels : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void settingsPanelReportsOnlyTheUsersChanges();
    void historyPanelListsFiltersAndCharts();
    void resultsMoveNothing();
};

void TestGamePanels::settingsPanelReportsOnlyTheUsersChanges()
{
    const GameDefinition game = testGame();
    SettingsPanel panel(game);
    QSignalSpy timing(&panel, &SettingsPanel::timingChanged);
    QSignalSpy mode(&panel, &SettingsPanel::modeChanged);
    panel.showSettings({30, 90, QStringLiteral("－"), QStringLiteral("答数"), 0});
    QCOMPARE(timing.size(), 0); // showing what the file holds is no change
    QCOMPARE(panel.timing(), TimingMode::Count);
    QCOMPARE(panel.answers(), 30);
    QCOMPARE(panel.seconds(), 90);
    QCOMPARE(panel.modeText(), QStringLiteral("－"));
    QVERIFY(find<QComboBox>(panel, QStringLiteral("cboKaisu"))->isEnabled());
    QVERIFY(!find<QComboBox>(panel, QStringLiteral("cboJikan"))->isEnabled());

    // A change by any means, here without a click, is reported once.
    find<QRadioButton>(panel, QStringLiteral("optMode1"))->setChecked(true);
    QCOMPARE(timing.size(), 1);
    QCOMPARE(panel.timingName(), QStringLiteral("秒数"));
    QVERIFY(find<QComboBox>(panel, QStringLiteral("cboJikan"))->isEnabled());

    // A play locks the timing and the limits, never the game mode.
    panel.setPlaying(true);
    for (const char *name : {"optMode0", "optMode1", "cboJikan", "cboKaisu"})
        QVERIFY(!find<QWidget>(panel, QString::fromLatin1(name))->isEnabled());
    auto *modes = find<QComboBox>(panel, QStringLiteral("cboMode"));
    QVERIFY(modes->isEnabled());
    Q_EMIT modes->activated(0);
    QCOMPARE(mode.size(), 1);
    panel.setPlaying(false);
    QVERIFY(find<QComboBox>(panel, QStringLiteral("cboJikan"))->isEnabled());
    QVERIFY(!find<QComboBox>(panel, QStringLiteral("cboKaisu"))->isEnabled());
}

void TestGamePanels::historyPanelListsFiltersAndCharts()
{
    QTemporaryDir dir;
    const GameDefinition game = testGame();
    const HistoryFile file(QDir(dir.path()).filePath(QStringLiteral("テスト履歴.txt")), game.history);
    for (const HistoryRow &row : {line("08:00:00", 5, u"＋"), line("08:05:00", 7, u"－"), line("08:10:00", 9, u"－")})
        QVERIFY(file.append(row).ok());
    ScriptedMessageBoxes messages;
    HistoryPanel panel(game, file, messages);
    panel.cmdAllDsp_Click();
    Grid *list = panel.list();
    QCOMPARE(list->rows(), 4);
    auto *chart = find<Chart>(panel, QStringLiteral("mcrRireki"));
    QVERIFY(chart->asksForChoice()); // not "no data" beside three plays
    QCOMPARE(list->textMatrix(3, 3), QStringLiteral("9")); // field 2 in column 3
    QCOMPARE(list->textMatrix(3, 4), QStringLiteral("－"));

    auto *twin = find<QComboBox>(panel, QStringLiteral("cboMode2"));
    twin->setCurrentText(QStringLiteral("－"));
    panel.modeTwin_Click();
    QCOMPARE(list->rows(), 3);
    QCOMPARE(list->textMatrix(1, 0), QStringLiteral("1")); // numbered afresh

    // A lit chart follows every change of the list: a saved play, then the clear.
    QTest::mouseClick(find<ColorButton>(panel, QStringLiteral("cmdKaitou")), Qt::LeftButton);
    QCOMPARE(chart->pointCount(), 2);
    panel.addSaved(line("09:00:00", 11, u"＋")); // added to whatever listing shows
    QCOMPARE(list->rows(), 4);
    QCOMPARE(list->textMatrix(3, 0), QStringLiteral("3"));
    QCOMPARE(chart->pointCount(), 3);
    QCOMPARE(chart->value(1, 3), 11.0);
    for (int point = 1; point <= 2; ++point) // the earlier points keep their values
        QCOMPARE(chart->value(1, point), list->textMatrix(point, 3).toDouble());
    messages.answerNext(true);
    panel.cmdClear_Click();
    QCOMPARE(chart->pointCount(), 0);
    QCOMPARE(readBytes(file.path()), QByteArray());

    // With no chart picked, an empty history has no data; its first play asks for a chart.
    HistoryPanel resting(game, file, messages);
    resting.cmdAllDsp_Click();
    resting.addSaved(line("09:00:00", 11, u"＋"));
    QVERIFY(find<Chart>(resting, QStringLiteral("mcrRireki"))->asksForChoice());
}

// A play's results ("0.56/秒", 秒 from a taller fallback font) leave the boxes as they were.
void TestGamePanels::resultsMoveNothing()
{
    PlayDisplay display;
    const QSize empty = display.sizeHint();
    display.label(ResultLabel::Speed)->setText(Formats::perSecond(0.56));
    QCOMPARE(display.sizeHint(), empty);
}

QTEST_MAIN(TestGamePanels)
#include "tst_gamepanels.moc"
