#include "TestFiles.h"

#include "games/common/GameSettings.h"
#include "games/common/History.h"
#include "games/common/PlayCycle.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace kotohana;
using namespace kotohana::test;

namespace {

const QStringList kPlamaiModes{QStringLiteral("＋"), QStringLiteral("－")};

HistoryLayout plamaiLayout()
{
    using Field = HistoryLayout::Field;
    HistoryLayout layout;
    layout.fields = {Field::Text, Field::Text, Field::Number, Field::Number, Field::Number,
                     Field::Text, Field::Text, Field::Text,   Field::Text};
    layout.secondsField = 7;
    layout.modeField = 8;
    layout.answersFields = {2};
    return layout;
}

HistoryRow row(const char *time, int answers, const char *seconds, const char16_t *mode)
{
    return {QStringLiteral("2024/05/18"), QString::fromLatin1(time), QString::number(answers), QString::number(answers),
            QStringLiteral("0"), QStringLiteral("100.0%"), QStringLiteral("1.00/秒"),
            QString::fromLatin1(seconds) + QStringLiteral("秒"), QString::fromUtf16(mode)};
}

} // namespace

class TestGameRules : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return QDir(m_dir.path()).filePath(name); }

private Q_SLOTS:
    void countdownTakesThreeTicks();
    void timeModeEndsWhenTheWholeSecondIsReached();
    void countModeEndsOnTheLastAnswer();
    void answersCountOnlyWhilePlaying();
    void saveGuardAndSpeedGuard();
    void settingsLine();
    void settingsFallBackToDefaults_data();
    void settingsFallBackToDefaults();
    void historyLineAndFilters();
};

void TestGameRules::countdownTakesThreeTicks()
{
    PlayCycle cycle;
    QCOMPARE(cycle.countdownTick(0), 0); // idle ticks do nothing
    cycle.start(TimingMode::Time, 60, 10);
    QVERIFY(cycle.running());
    QCOMPARE(cycle.countdownTick(1000), 1);
    QCOMPARE(cycle.countdownTick(2000), 2);
    QCOMPARE(cycle.state(), PlayCycle::State::Countdown);
    QCOMPARE(cycle.countdownTick(3000), 3);
    QCOMPARE(cycle.state(), PlayCycle::State::Playing);
    QCOMPARE(cycle.countdownTick(4000), 0);
}

void TestGameRules::timeModeEndsWhenTheWholeSecondIsReached()
{
    PlayCycle cycle;
    cycle.start(TimingMode::Time, 60, 10);
    cycle.countdownTick(0);
    cycle.countdownTick(1000);
    cycle.countdownTick(2700); // the play starts 0.7 s into a second: ends after 59.3 s
    QVERIFY(!cycle.countTick(3000)); // the count-mode clock does not act
    auto reading = cycle.timeTick(3700);
    QCOMPARE(reading->restSeconds, qint64(59));
    QVERIFY(!reading->ended);
    reading = cycle.timeTick(32700);
    QCOMPARE(reading->barFraction, 0.5);
    reading = cycle.timeTick(61900);
    QCOMPARE(reading->restSeconds, qint64(1));
    QVERIFY(!reading->ended);
    reading = cycle.timeTick(62050);
    QVERIFY(reading->ended);
    QCOMPARE(reading->barFraction, 0.0);
    QCOMPARE(cycle.state(), PlayCycle::State::Ended);
    QCOMPARE(cycle.playSeconds(), 60.0);
    // A late tick (a window busy for a while) gives no negative bar and no second end.
    QVERIFY(!cycle.timeTick(70000));
}

void TestGameRules::countModeEndsOnTheLastAnswer()
{
    PlayCycle cycle;
    cycle.start(TimingMode::Count, 60, 5);
    for (int tick = 1; tick <= 3; ++tick)
        cycle.countdownTick(tick * 1000);
    QVERIFY(!cycle.timeTick(4000));
    QCOMPARE(*cycle.countTick(3050), QStringLiteral("0.1"));
    QVERIFY(!cycle.answer(true));
    QVERIFY(!cycle.answer(false));
    QVERIFY(!cycle.answer(true));
    QVERIFY(!cycle.answer(true));
    QCOMPARE(*cycle.countTick(44300), QStringLiteral("41.3"));
    QVERIFY(cycle.answer(false)); // the fifth answer, wrong, ends the play
    QCOMPARE(cycle.state(), PlayCycle::State::Ended);
    QCOMPARE(cycle.playSeconds(), 41.3);
    QCOMPARE(cycle.correct(), qint64(3));
    QCOMPARE(cycle.wrong(), qint64(2));
    QCOMPARE(cycle.correctRate(), 0.6);
}

void TestGameRules::answersCountOnlyWhilePlaying()
{
    PlayCycle cycle;
    QVERIFY(!cycle.answer(true));
    cycle.start(TimingMode::Count, 60, 1);
    QVERIFY(!cycle.answer(true)); // during the countdown
    for (int tick = 1; tick <= 3; ++tick)
        cycle.countdownTick(tick * 1000);
    QVERIFY(cycle.answer(true));
    QVERIFY(!cycle.answer(true)); // after the end
    QCOMPARE(cycle.answers(), qint64(1));
}

void TestGameRules::saveGuardAndSpeedGuard()
{
    PlayCycle cycle;
    QVERIFY(!cycle.canSave());
    cycle.start(TimingMode::Count, 60, 2);
    for (int tick = 1; tick <= 3; ++tick)
        cycle.countdownTick(tick * 1000);
    cycle.answer(true);
    QVERIFY(!cycle.canSave()); // still playing
    cycle.answer(true);
    QVERIFY(cycle.canSave());
    // Both answers came before the clock showed any time: no division by zero.
    QCOMPARE(cycle.playSeconds(), 0.0);
    QCOMPARE(cycle.speed(2), 0.0);
    cycle.start(TimingMode::Time, 10, 10);
    QVERIFY(!cycle.canSave()); // a new countdown: the old play can no longer be saved

    PlayCycle untouched;
    untouched.start(TimingMode::Time, 10, 10);
    for (int tick = 1; tick <= 3; ++tick)
        untouched.countdownTick(tick * 1000);
    QVERIFY(untouched.timeTick(13000)->ended);
    QVERIFY(!untouched.canSave()); // time ran out without an answer
}

void TestGameRules::settingsLine()
{
    const GameSettingsFile file(path(QStringLiteral("プラマイ設定.txt")), kPlamaiModes);
    const GameSettings chosen{20, 60, QStringLiteral("＋"), QStringLiteral("秒数"), 1};
    QVERIFY(file.save(chosen).ok());
    QCOMPARE(readBytes(path(QStringLiteral("プラマイ設定.txt"))), sjis(QStringLiteral("20,60,\"＋\",\"秒数\",1\n")));
    QCOMPARE(file.load(), chosen);

    const GameSettingsFile noModes(path(QStringLiteral("しりとり設定.txt")), {});
    QVERIFY(noModes.save({30, 90, QString(), QStringLiteral("答数"), 0}).ok());
    QCOMPARE(readBytes(path(QStringLiteral("しりとり設定.txt"))), sjis(QStringLiteral("30,90,\"答数\",0\n")));
    QCOMPARE(noModes.load().answers, 30);
}

void TestGameRules::settingsFallBackToDefaults_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("missing") << QByteArray("(missing)");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("too few fields") << sjis(QStringLiteral("20,60,\"＋\"\n"));
    QTest::newRow("unknown mode") << sjis(QStringLiteral("20,60,\"×\",\"秒数\",1\n"));
    QTest::newRow("seconds not listed") << sjis(QStringLiteral("20,61,\"＋\",\"秒数\",1\n"));
    QTest::newRow("answers out of range") << sjis(QStringLiteral("0,60,\"＋\",\"秒数\",1\n"));
    QTest::newRow("unknown timing") << sjis(QStringLiteral("20,60,\"＋\",\"分\",1\n"));
    QTest::newRow("garbage bytes") << QByteArray("\xff\xfe\x00\x01", 4);
}

void TestGameRules::settingsFallBackToDefaults()
{
    QFETCH(QByteArray, content);
    const QString file = path(QStringLiteral("broken設定.txt"));
    QFile::remove(file);
    if (content != "(missing)")
        writeBytes(file, content);
    const GameSettingsFile settings(file, kPlamaiModes);
    const GameSettings loaded = settings.load();
    QCOMPARE(loaded, (GameSettings{10, 60, QStringLiteral("＋"), QStringLiteral("秒数"), 1}));
    // The file is written anew with what the window now shows.
    QCOMPARE(readBytes(file), sjis(QStringLiteral("10,60,\"＋\",\"秒数\",1\n")));
}

void TestGameRules::historyLineAndFilters()
{
    const HistoryFile file(path(QStringLiteral("プラマイ履歴.txt")), plamaiLayout());
    QVERIFY(file.readAll().empty()); // missing file: empty history
    QVERIFY(file.append(row("08:00:00", 40, "60", u"－")).ok());
    QCOMPARE(readBytes(path(QStringLiteral("プラマイ履歴.txt"))),
             sjis(QStringLiteral("\"2024/05/18\",\"08:00:00\",40,40,0,\"100.0%\",\"1.00/秒\",\"60秒\",\"－\"\n")));
    QVERIFY(file.append(row("08:05:00", 10, "41.3", u"－")).ok());
    QVERIFY(file.append(row("08:10:00", 40, "60", u"＋")).ok());
    QVERIFY(file.append(row("08:15:00", 10, "60", u"－")).ok());
    const std::vector<HistoryRow> rows = file.readAll();
    QCOMPARE(rows.size(), std::size_t(4));

    const auto times = [&](const HistoryFilter &filter) {
        QStringList listed;
        for (const HistoryRow &line : rows) {
            if (matches(plamaiLayout(), line, filter))
                listed.append(line[1]);
        }
        return listed;
    };
    QCOMPARE(times({QStringLiteral("－"), {}, {}}).size(), 3);
    QCOMPARE(times({QStringLiteral("－"), QStringLiteral("60"), {}}),
             (QStringList{QStringLiteral("08:00:00"), QStringLiteral("08:15:00")}));
    QCOMPARE(times({QStringLiteral("－"), {}, QStringLiteral("10")}),
             (QStringList{QStringLiteral("08:05:00"), QStringLiteral("08:15:00")}));
    QCOMPARE(times(HistoryFilter{}).size(), 4);

    // A history keeping only the mode's first character, with answers as correct + wrong.
    HistoryLayout firstCharacter = plamaiLayout();
    firstCharacter.modeByFirstCharacter = true;
    firstCharacter.answersFields = {3, 4};
    HistoryRow short1 = row("09:00:00", 7, "60", u"E");
    short1[4] = QStringLiteral("3");
    QVERIFY(matches(firstCharacter, short1, {QStringLiteral("E:イージー"), {}, QStringLiteral("10")}));
    QVERIFY(!matches(firstCharacter, short1, {QStringLiteral("N:ノーマル"), {}, {}}));

    QVERIFY(file.clear().ok());
    QCOMPARE(readBytes(path(QStringLiteral("プラマイ履歴.txt"))), QByteArray());
}

QTEST_GUILESS_MAIN(TestGameRules)
#include "tst_gamerules.moc"
