#include "Plays.h"
#include "TestFiles.h"

#include "games/common/GameSettings.h"
#include "games/common/History.h"
#include "games/common/PersonalBest.h"
#include "games/common/Play.h"
#include "games/common/PlayCycle.h"
#include "games/common/SavePlay.h"
#include "records/RecordStore.h"

#include <QDir>
#include <QFileInfo>
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
    return {QStringLiteral("2024/05/18"), QString::fromLatin1(time),
            QString::number(answers),     QString::number(answers),
            QStringLiteral("0"),          QStringLiteral("100.0%"),
            QStringLiteral("1.00/秒"),    QString::fromLatin1(seconds) + QStringLiteral("秒"),
            QString::fromUtf16(mode)};
}

// A play of a game with one field, driven by the test: enough to see what every game shares.
class CountingPlay final : public Play
{
public:
    using Play::Play;
    Outcome give(bool correct) { return judged(correct); }
    qint64 speedCount() const override { return cycle().answers(); }
    HistoryRow historyFields() const override { return {QString::number(cycle().correct()), setup().mode}; }
    QString recordText() const override { return conditions() + QStringLiteral("  ") + setup().mode; }
};

// A play whose history line holds its answers, correct answers, seconds and mode.
class ScoredPlay final : public Play
{
public:
    using Play::Play;
    void give(bool correct) { judged(correct); }
    qint64 speedCount() const override { return cycle().answers(); }
    HistoryRow historyFields() const override
    {
        return {QString::number(cycle().answers()), QString::number(cycle().correct()), secondsField(), setup().mode};
    }
    QString recordText() const override { return conditions(); }
};

HistoryLayout scoredLayout(bool achievementInCountMode)
{
    using Field = HistoryLayout::Field;
    HistoryLayout layout;
    layout.fields = {Field::Text, Field::Text, Field::Number, Field::Number, Field::Text, Field::Text};
    layout.answersFields = {2};
    layout.achievementField = 3;
    layout.secondsField = 4;
    layout.modeField = 5;
    layout.achievementInCountMode = achievementInCountMode;
    return layout;
}

// "answers correct seconds mode" per earlier play.
std::vector<HistoryRow> scoredHistory(const QStringList &plays)
{
    std::vector<HistoryRow> rows;
    for (const QString &play : plays) {
        const QStringList fields = play.split(u' ');
        rows.push_back({QStringLiteral("2024/05/17"), QStringLiteral("10:00:00"), fields[0], fields[1],
                        fields[2] + QStringLiteral("秒"), fields[3]});
    }
    return rows;
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
    void playKeepsTheSettingsItStartedWith();
    void savingWritesBothFilesOrNeither();
    void settingsLine();
    void missingSettingsAreCreated_data();
    void missingSettingsAreCreated();
    void damagedSettingsLoseOnlyTheDamagedFields_data();
    void damagedSettingsLoseOnlyTheDamagedFields();
    void unreadableSettingsAreLeftAlone();
    void historyLineAndFilters();
    void personalBest_data();
    void personalBest();
    void noBestUntilThePlayIsOverAndSavable();
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
    CountingPlay play({TimingMode::Count, 60, 2, QStringLiteral("＋"), {}});
    QVERIFY(!play.canSave()); // a countdown
    begin(play);
    play.give(true);
    QVERIFY(!play.canSave()); // still playing
    QVERIFY(play.give(true).ended);
    QVERIFY(play.canSave());
    // Both answers came before the clock showed any time: no division by zero.
    QCOMPARE(play.seconds(), 0.0);
    QCOMPARE(play.speed(), 0.0);

    CountingPlay untouched({TimingMode::Time, 10, 10, {}, {}});
    begin(untouched);
    QVERIFY(untouched.cycle().timeTick(13000)->ended);
    QVERIFY(!untouched.canSave()); // time ran out without an answer
    QVERIFY(!untouched.give(true).counted); // nor can one be added afterwards
}

void TestGameRules::playKeepsTheSettingsItStartedWith()
{
    CountingPlay play({TimingMode::Time, 60, 10, QStringLiteral("＋"), {}});
    QCOMPARE(play.conditions(), QStringLiteral("秒数 : 60"));
    play.changeMode(QStringLiteral("－")); // during the countdown: the play's mode from now on
    begin(play);
    play.give(true);
    QVERIFY(play.cycle().timeTick(63000)->ended);
    play.changeMode(QStringLiteral("＋")); // after the end: the list changes, the play does not
    QCOMPARE(play.historyFields(), (HistoryRow{QStringLiteral("1"), QStringLiteral("－")}));
    QCOMPARE(play.recordText(), QStringLiteral("秒数 : 60  －"));
    QCOMPARE(play.secondsField(), QStringLiteral("60秒"));

    CountingPlay counted({TimingMode::Count, 60, 20, {}, {}});
    QCOMPARE(counted.conditions(), QStringLiteral("答数 : 20"));
}

void TestGameRules::savingWritesBothFilesOrNeither()
{
    HistoryLayout layout;
    using Field = HistoryLayout::Field;
    layout.fields = {Field::Text, Field::Text, Field::Number, Field::Text};
    const HistoryFile history(path(QStringLiteral("テスト履歴.txt")), layout);
    const QString records = path(QStringLiteral("データ.txt"));
    RecordStore store(records);
    writeBytes(history.path(), sjis(QStringLiteral("\"2024/05/17\",\"10:00:00\",3,\"＋\"\n")));
    const QByteArray before = readBytes(history.path());

    CountingPlay play({TimingMode::Time, 60, 10, QStringLiteral("＋"), {}});
    begin(play);
    play.give(true);
    play.cycle().timeTick(63000);
    const QDateTime now(QDate(2024, 5, 18), QTime(21, 5, 9, 700));

    // データ.txt cannot be written (a folder stands in its place): the history line is taken back.
    QDir().mkpath(records);
    SavedPlay saved = savePlay(play, {QStringLiteral("プラマイ"), history, store}, now);
    QVERIFY(!saved.result.ok());
    QVERIFY(saved.result.message.contains(QStringLiteral("データ.txt")));
    QCOMPARE(readBytes(history.path()), before);

    QDir().rmdir(records);
    saved = savePlay(play, {QStringLiteral("プラマイ"), history, store}, now);
    QVERIFY(saved.result.ok());
    QCOMPARE(saved.line,
             (HistoryRow{QStringLiteral("2024/05/18"), QStringLiteral("21:05:09"), QStringLiteral("1"), QStringLiteral("＋")}));
    // "2024/05/18","21:05:09",1,"＋" and "2024/05/18","21:05:09","プラマイ",60,"秒数 : 60  ＋",
    QCOMPARE(readBytes(history.path()).mid(before.size()),
             QByteArray::fromHex("22323032342f30352f3138222c2232313a30353a3039222c312c22817b220d0a"));
    QCOMPARE(readBytes(records),
             QByteArray::fromHex("22323032342f30352f3138222c2232313a30353a3039222c2283768389837d8343222c36302c22"
                                 "95629094203a2036302020817b222c0d0a"));

    // The history cannot be written: nothing reaches データ.txt either.
    const QByteArray recordsBefore = readBytes(records);
    const HistoryFile blocked(path(QStringLiteral("塞がれた履歴")), layout);
    QDir().mkpath(blocked.path());
    saved = savePlay(play, {QStringLiteral("プラマイ"), blocked, store}, now);
    QVERIFY(!saved.result.ok());
    QCOMPARE(readBytes(records), recordsBefore);
}

void TestGameRules::settingsLine()
{
    const GameSettingsFile file(path(QStringLiteral("プラマイ設定.txt")), kPlamaiModes);
    const GameSettings chosen{20, 60, QStringLiteral("＋"), QStringLiteral("秒数"), 1};
    QVERIFY(file.save(chosen).ok());
    QCOMPARE(readBytes(path(QStringLiteral("プラマイ設定.txt"))), sjis(QStringLiteral("20,60,\"＋\",\"秒数\",1\n")));
    QCOMPARE(file.load().settings, chosen);
    QCOMPARE(file.load().status, GameSettingsFile::LoadResult::Status::Read);

    const GameSettingsFile noModes(path(QStringLiteral("しりとり設定.txt")), {});
    QVERIFY(noModes.save({30, 90, QString(), QStringLiteral("答数"), 0}).ok());
    QCOMPARE(readBytes(path(QStringLiteral("しりとり設定.txt"))), sjis(QStringLiteral("30,90,\"答数\",0\n")));
    QCOMPARE(noModes.load().settings.answers, 30);
}

void TestGameRules::missingSettingsAreCreated_data()
{
    QTest::addColumn<bool>("exists");
    QTest::newRow("missing") << false;
    QTest::newRow("empty") << true;
}

void TestGameRules::missingSettingsAreCreated()
{
    QFETCH(bool, exists);
    const QString file = path(QStringLiteral("new設定.txt"));
    QFile::remove(file);
    if (exists)
        writeBytes(file, {});
    const GameSettingsFile::LoadResult loaded = GameSettingsFile(file, kPlamaiModes).load();
    QCOMPARE(loaded.status, GameSettingsFile::LoadResult::Status::Created);
    QVERIFY(loaded.message.isEmpty());
    QCOMPARE(loaded.settings, (GameSettings{10, 60, QStringLiteral("＋"), QStringLiteral("秒数"), 1}));
    QCOMPARE(readBytes(file), sjis(QStringLiteral("10,60,\"＋\",\"秒数\",1\n")));
}

void TestGameRules::damagedSettingsLoseOnlyTheDamagedFields_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("repaired");
    QTest::addColumn<QStringList>("modes");
    // Every line keeps manual saving (0) unless that very field is damaged.
    QTest::newRow("too few fields") << sjis(QStringLiteral("20,60,\"－\"\n")) << QStringLiteral("20,60,\"－\",\"秒数\",1\n")
                                    << kPlamaiModes;
    QTest::newRow("unknown mode") << sjis(QStringLiteral("20,60,\"×\",\"答数\",0\n"))
                                  << QStringLiteral("20,60,\"＋\",\"答数\",0\n") << kPlamaiModes;
    QTest::newRow("seconds not listed") << sjis(QStringLiteral("20,61,\"－\",\"答数\",0\n"))
                                        << QStringLiteral("20,60,\"－\",\"答数\",0\n") << kPlamaiModes;
    QTest::newRow("answers out of range") << sjis(QStringLiteral("0,90,\"－\",\"答数\",0\n"))
                                          << QStringLiteral("10,90,\"－\",\"答数\",0\n") << kPlamaiModes;
    QTest::newRow("unknown timing") << sjis(QStringLiteral("20,90,\"－\",\"分\",0\n"))
                                    << QStringLiteral("20,90,\"－\",\"秒数\",0\n") << kPlamaiModes;
    QTest::newRow("save mode not 0 or 1") << sjis(QStringLiteral("20,90,\"－\",\"答数\",7\n"))
                                          << QStringLiteral("20,90,\"－\",\"答数\",1\n") << kPlamaiModes;
    QTest::newRow("undecodable bytes in one field")
        << (sjis(QStringLiteral("20,90,\"")) + QByteArray("\xff\xfe") + sjis(QStringLiteral("\",\"答数\",0\n")))
        << QStringLiteral("20,90,\"＋\",\"答数\",0\n") << kPlamaiModes;
    // Numbers beyond an int fall back like any other number out of range (a game without modes).
    QTest::newRow("answers beyond an int") << sjis(QStringLiteral("1e38,60,\"秒数\",1\n")) << QStringLiteral("10,60,\"秒数\",1\n")
                                           << QStringList();
    QTest::newRow("seconds below an int") << sjis(QStringLiteral("20,-1e38,\"答数\",0\n")) << QStringLiteral("20,60,\"答数\",0\n")
                                          << QStringList();
    QTest::newRow("save mode beyond an int")
        << sjis(QStringLiteral("20,90,\"答数\",3e9\n")) << QStringLiteral("20,90,\"答数\",1\n") << QStringList();
    QTest::newRow("garbage") << QByteArray("\xff\xfe\x01", 3) << QStringLiteral("10,60,\"＋\",\"秒数\",1\n") << kPlamaiModes;
}

void TestGameRules::damagedSettingsLoseOnlyTheDamagedFields()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, repaired);
    QFETCH(QStringList, modes);
    const QString file = path(QStringLiteral("broken設定.txt"));
    writeBytes(file, content);
    const GameSettingsFile::LoadResult loaded = GameSettingsFile(file, modes).load();
    QCOMPARE(loaded.status, GameSettingsFile::LoadResult::Status::Repaired);
    QVERIFY(loaded.message.contains(QStringLiteral("broken設定.txt")));
    // The file is written anew with what was kept and what fell back.
    QCOMPARE(readBytes(file), sjis(repaired));
    QCOMPARE(GameSettingsFile(file, modes).load().status, GameSettingsFile::LoadResult::Status::Read);
}

void TestGameRules::unreadableSettingsAreLeftAlone()
{
    const QString file = path(QStringLiteral("folder設定.txt"));
    QVERIFY(QDir().mkpath(file));
    const GameSettingsFile::LoadResult loaded = GameSettingsFile(file, kPlamaiModes).load();
    QCOMPARE(loaded.status, GameSettingsFile::LoadResult::Status::Unreadable);
    QVERIFY(loaded.message.contains(QStringLiteral("folder設定.txt")));
    QCOMPARE(loaded.settings.autoSave, 1);
    QVERIFY(QFileInfo(file).isDir());
}

void TestGameRules::historyLineAndFilters()
{
    const HistoryFile file(path(QStringLiteral("プラマイ履歴.txt")), plamaiLayout());
    QVERIFY(file.readAll().rows.empty()); // missing file: empty history
    QVERIFY(file.readAll().ok);
    QVERIFY(file.append(row("08:00:00", 40, "60", u"－")).ok());
    QCOMPARE(readBytes(path(QStringLiteral("プラマイ履歴.txt"))),
             sjis(QStringLiteral("\"2024/05/18\",\"08:00:00\",40,40,0,\"100.0%\",\"1.00/秒\",\"60秒\",\"－\"\n")));
    QVERIFY(file.append(row("08:05:00", 10, "41.3", u"－")).ok());
    QVERIFY(file.append(row("08:10:00", 40, "60", u"＋")).ok());
    QVERIFY(file.append(row("08:15:00", 10, "60", u"－")).ok());
    const std::vector<HistoryRow> rows = file.readAll().rows;
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

    // A history that is there but cannot be read says so, naming the file.
    const HistoryFile unreadable(path(QStringLiteral("読めない履歴.txt")), plamaiLayout());
    QDir().mkpath(unreadable.path());
    QVERIFY(!unreadable.readAll().ok);
    QVERIFY(unreadable.readAll().message.contains(QStringLiteral("読めない履歴.txt")));
}

void TestGameRules::personalBest_data()
{
    QTest::addColumn<int>("timing"); // TimingMode
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("correct");
    QTest::addColumn<int>("wrong");
    QTest::addColumn<int>("tenths"); // a count-mode play's time, in tenths of a second
    QTest::addColumn<bool>("achievementInCountMode");
    QTest::addColumn<QStringList>("earlier");
    QTest::addColumn<bool>("best");

    const int time = int(TimingMode::Time);
    const int count = int(TimingMode::Count);
    // Time mode, 60 seconds: judged by the correct answers.
    QTest::newRow("time: more correct than every earlier play")
        << time << "＋" << 31 << 2 << 0 << false << QStringList{"30 30 60 ＋", "35 28 60 ＋"} << true;
    QTest::newRow("time: a tie is no best") << time << "＋" << 30 << 0 << 0 << false << QStringList{"30 30 60 ＋", "35 28 60 ＋"}
                                            << false;
    QTest::newRow("time: fewer than one earlier play")
        << time << "＋" << 29 << 9 << 0 << false << QStringList{"30 30 60 ＋", "35 28 60 ＋"} << false;
    QTest::newRow("time: other modes and limits do not count")
        << time << "＋" << 20 << 0 << 0 << false << QStringList{"40 40 60 －", "50 50 90 ＋", "19 19 60 ＋"} << true;
    QTest::newRow("time: the first play of its conditions")
        << time << "＋" << 20 << 0 << 0 << false << QStringList{"40 40 60 －", "50 50 90 ＋"} << false;
    QTest::newRow("time: an empty history") << time << "＋" << 20 << 0 << 0 << false << QStringList() << false;
    QTest::newRow("time: a count-mode play that took exactly 60 seconds joins")
        << time << "＋" << 20 << 0 << 0 << false << QStringList{"20 20 60 ＋"} << false;
    QTest::newRow("time: more correct answers, not more answers")
        << time << "＋" << 10 << 30 << 0 << false << QStringList{"20 15 60 ＋"} << false;
    // Count mode, as many answers as the play gave: judged by the seconds.
    QTest::newRow("count: faster than every earlier play")
        << count << "－" << 9 << 1 << 413 << false << QStringList{"10 9 41.4 －", "10 7 50 －"} << true;
    QTest::newRow("count: faster with fewer correct answers")
        << count << "－" << 8 << 2 << 300 << false << QStringList{"10 9 41.4 －"} << false;
    QTest::newRow("count: more correct answers beat a faster play")
        << count << "－" << 10 << 0 << 600 << false << QStringList{"10 9 41.4 －"} << true;
    QTest::newRow("count: the same time is no best")
        << count << "－" << 10 << 0 << 414 << false << QStringList{"10 10 41.4 －", "10 9 50 －"} << false;
    QTest::newRow("count: slower than one earlier play")
        << count << "－" << 10 << 0 << 420 << false << QStringList{"10 10 41.4 －", "10 9 50 －"} << false;
    QTest::newRow("count: other answer counts and modes do not count")
        << count << "－" << 10 << 0 << 500 << false << QStringList{"5 5 10 －", "10 10 20 ＋", "10 10 50.1 －"} << true;
    QTest::newRow("count: a whole second beats a tenth more")
        << count << "－" << 10 << 0 << 410 << false << QStringList{"10 10 41.1 －"} << true;
    // Count mode judged by the achievement as well (連想心理: new answers).
    QTest::newRow("count by achievement: more") << count << "－" << 7 << 3 << 900 << true << QStringList{"10 6 20 －"} << true;
    QTest::newRow("count by achievement: faster is not enough")
        << count << "－" << 6 << 4 << 100 << true << QStringList{"10 6 20 －"} << false;
}

void TestGameRules::personalBest()
{
    QFETCH(int, timing);
    QFETCH(QString, mode);
    QFETCH(int, correct);
    QFETCH(int, wrong);
    QFETCH(int, tenths);
    QFETCH(bool, achievementInCountMode);
    QFETCH(QStringList, earlier);
    QFETCH(bool, best);

    ScoredPlay play({TimingMode(timing), 60, correct + wrong, mode, {}});
    begin(play);
    if (play.setup().timing == TimingMode::Count)
        play.cycle().countTick(3000 + qint64(tenths) * 100);
    for (int i = 0; i < correct + wrong; ++i)
        play.give(i < correct);
    if (play.setup().timing == TimingMode::Time)
        QVERIFY(play.cycle().timeTick(63000)->ended);
    QCOMPARE(play.cycle().state(), PlayCycle::State::Ended);
    QCOMPARE(isPersonalBest(play, scoredLayout(achievementInCountMode), scoredHistory(earlier)), best);
}

void TestGameRules::noBestUntilThePlayIsOverAndSavable()
{
    const std::vector<HistoryRow> earlier = scoredHistory({"1 1 60 ＋"});
    ScoredPlay play({TimingMode::Time, 60, 10, QStringLiteral("＋"), {}});
    QVERIFY(!isPersonalBest(play, scoredLayout(false), earlier)); // the countdown
    begin(play);
    for (int i = 0; i < 5; ++i)
        play.give(true);
    QVERIFY(!isPersonalBest(play, scoredLayout(false), earlier)); // still playing
    QVERIFY(play.cycle().timeTick(63000)->ended);
    QVERIFY(isPersonalBest(play, scoredLayout(false), earlier));

    // Time ran out without an answer: nothing to save, nothing to beat with.
    ScoredPlay silent({TimingMode::Time, 60, 10, QStringLiteral("＋"), {}});
    begin(silent);
    QVERIFY(silent.cycle().timeTick(63000)->ended);
    QVERIFY(!isPersonalBest(silent, scoredLayout(false), scoredHistory({"0 -1 60 ＋"})));
}

QTEST_GUILESS_MAIN(TestGameRules)
#include "tst_gamerules.moc"
