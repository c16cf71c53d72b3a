#include "Desk.h"
#include "Plays.h"
#include "TestFiles.h"

#include "games/common/PersonalBest.h"
#include "games/rensou/RensouPlay.h"
#include "games/rensou/RensouRules.h"
#include "games/rensou/TopicFiles.h"
#include "platform/RandomSource.h"

#include <QDir>
#include <QTest>

#include <optional>

using namespace kotohana;
using namespace kotohana::test;
using RensouRules::Kind;

namespace {

const QString kTopic = QStringLiteral("好きな動物");

// A play of the history: its topic, answers, new answers and seconds.
HistoryRow earlier(const QString &topic, int answers, int fresh, const char *seconds)
{
    return {QStringLiteral("2024/05/17"),
            QStringLiteral("09:00:00"),
            topic,
            QString::number(answers),
            QString::number(fresh),
            QString::number(answers - fresh),
            QStringLiteral("0"),
            QStringLiteral("6"),
            QStringLiteral("1.00/秒"),
            QString::fromLatin1(seconds) + u'秒'};
}

} // namespace

class TestRensouPlay : public QObject
{
    Q_OBJECT

private:
    std::optional<Desk> m_desk;

    QString file(const QString &name) const { return m_desk->file(name); }
    // A count-mode play of 好きな動物 prepared from the folder today, elapsedMs into its play.
    std::unique_ptr<RensouPlay> started(int answers, qint64 elapsedMs = 5000)
    {
        PlaySetup setup = countPlay(answers);
        setup.topic = kTopic;
        RensouPlay::Prepared prepared = RensouPlay::prepare(setup, m_desk->folder, m_desk->clock.today());
        if (!prepared.play)
            qFatal("no play: %s", qPrintable(prepared.failure));
        begin(*prepared.play);
        prepared.play->cycle().countTick(3000 + elapsedMs);
        return std::move(prepared.play);
    }
    Kind give(RensouPlay &play, const QString &typed) { return play.answer(typed, m_desk->clock.now()).kind; }

private Q_SLOTS:
    void init() { m_desk.emplace(QDateTime(QDate(2024, 5, 18), QTime(20, 0, 0)), QList<double>{0.0}); }

    void rules();
    void drawsTheSameTopicForASeed();
    void topicFilesRefuseNamesOfOtherFiles();
    void playCountsItsAnswersUnderItsTopic();
    void playsOfTheDayAreNumbered();
    void answersAreKeptAsTheFilesHoldThem_data();
    void answersAreKeptAsTheFilesHoldThem();
    void preparingAPlayReportsFilesItCannotMake();
    void bestHasMoreNewAnswers();
};

void TestRensouPlay::rules()
{
    using namespace RensouRules;
    QCOMPARE(forbiddenCharacter(QStringLiteral("何?それ")).value(), QChar(u'?'));
    QCOMPARE(forbiddenCharacter(QStringLiteral("a/b|c")).value(), QChar(u'|')); // the last in test order
    QCOMPARE(forbiddenCharacter(QStringLiteral("../上")).value(), QChar(u'/'));
    QVERIFY(!forbiddenCharacter(QStringLiteral("好きな動物")));
    QCOMPARE(classify(QStringLiteral("ネコ"), {QStringLiteral("ねこ")}, {}), Kind::New);
    QCOMPARE(classify(QStringLiteral("ねこ"), {QStringLiteral("ねこ")}, {QStringLiteral("ねこ")}), Kind::Duplicate);
    QCOMPARE(classify(QStringLiteral("ねこ"), {}, {QStringLiteral("ねこ")}), Kind::Existing);
    const std::vector<QStringList> log{{QStringLiteral("2024/05/17"), QStringLiteral("09:00:00"), QStringLiteral("004"),
                                        QStringLiteral("a")},
                                       {QStringLiteral("2024/05/18"), QStringLiteral("09:00:00"), QStringLiteral("002"),
                                        QStringLiteral("b")}};
    QCOMPARE(playOfTheDay(log, QStringLiteral("2024/05/18")), 3);
    QCOMPARE(playOfTheDay(log, QStringLiteral("2024/05/19")), 1);
    QCOMPARE(playOfTheDay({}, QStringLiteral("2024/05/19")), 1);
    // A hand-written number no day can hold counts as no play of the day.
    for (const QString &number : {QStringLiteral("3e9"), QStringLiteral("2147483647"), QStringLiteral("-5")}) {
        const std::vector<QStringList> edited{
            {QStringLiteral("2024/05/18"), QStringLiteral("09:00:00"), number, QStringLiteral("b")}};
        QCOMPARE(playOfTheDay(edited, QStringLiteral("2024/05/18")), 1);
    }
}

void TestRensouPlay::drawsTheSameTopicForASeed()
{
    MersenneRandomSource random(m_desk->clock, 2024);
    QCOMPARE(RensouRules::drawTopic(random, 5), 2);
}

// The system cuts a name at a NUL: データ.txt<NUL>.txt would be データ.txt itself.
void TestRensouPlay::topicFilesRefuseNamesOfOtherFiles()
{
    const QByteArray records = sjis(QStringLiteral("\"2024/05/18\",\"09:00:00\",\"プラマイ\",60,\"秒数 : 60\",\n"));
    writeBytes(file(QStringLiteral("データ.txt")), records);
    const TopicFiles files(m_desk->folder, QStringLiteral("データ.txt") + QChar(u'\0'));
    QVERIFY(files.open().failure.startsWith(QStringLiteral("問い「データ.txt\uFFFD」")));
    QVERIFY(!files.addAnswer(QStringLiteral("ねこ")).ok());
    QVERIFY(!files.logAnswer(m_desk->clock.now(), 1, QStringLiteral("ねこ")).ok());
    QVERIFY(!files.clear().ok());
    QCOMPARE(readBytes(file(QStringLiteral("データ.txt"))), records);
    QCOMPARE(QDir(m_desk->dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("データ.txt")});
}

void TestRensouPlay::playCountsItsAnswersUnderItsTopic()
{
    writeBytes(file(QStringLiteral("好きな動物.txt")), sjis(QStringLiteral("ねこ\n")));
    writeBytes(file(QStringLiteral("好きな動物_履歴.txt")), sjis(QStringLiteral("\"2024/05/18\",\"09:00:00\",\"002\",\"ねこ\"\n")));
    PlaySetup setup = countPlay(3);
    setup.topic = kTopic;
    RensouPlay::Prepared prepared = RensouPlay::prepare(setup, m_desk->folder, m_desk->clock.today());
    QVERIFY2(prepared.play, qPrintable(prepared.failure));
    RensouPlay *play = prepared.play.get();
    QCOMPARE(play->playOfTheDay(), 3);
    // During the countdown nothing counts and nothing is written.
    QVERIFY(!play->answer(QStringLiteral("いぬ"), m_desk->clock.now()).outcome.counted);
    QVERIFY(!play->answered());
    QCOMPARE(readBytes(file(QStringLiteral("好きな動物.txt"))), sjis(QStringLiteral("ねこ\n")));

    begin(*play);
    play->cycle().countTick(5000); // two seconds into the play
    const QList<Kind> kinds{Kind::Existing, Kind::New, Kind::Duplicate};
    const QStringList answers{QStringLiteral("ねこ"), QStringLiteral("いぬ"), QStringLiteral("いぬ")};
    for (qsizetype i = 0; i < answers.size(); ++i) {
        const RensouPlay::Given given = play->answer(answers[i], m_desk->clock.now());
        QVERIFY(given.outcome.counted);
        QCOMPARE(given.kind, kinds[i]);
        QCOMPARE(given.outcome.ended, i == answers.size() - 1);
    }
    QVERIFY(play->answered());
    QVERIFY(!play->answer(QStringLiteral("うま"), m_desk->clock.now()).outcome.counted); // the play is over
    QCOMPARE(play->historyFields(),
             (HistoryRow{QStringLiteral("好きな動物"), QStringLiteral("3"), QStringLiteral("1"), QStringLiteral("1"),
                         QStringLiteral("1"), QStringLiteral("6"), QStringLiteral("3.00/秒"), QStringLiteral("2秒")}));
    QCOMPARE(readBytes(file(QStringLiteral("好きな動物.txt"))), sjis(QStringLiteral("ねこ\nいぬ\n")));
    QVERIFY(readBytes(file(QStringLiteral("好きな動物_履歴.txt")))
                .endsWith(sjis(QStringLiteral("\"2024/05/18\",\"20:00:00\",\"003\",\"いぬ\"\n"))));
}

// New answers join the topic's answers, every answer its log under the play's number of the day.
void TestRensouPlay::playsOfTheDayAreNumbered()
{
    auto first = started(3);
    QCOMPARE(give(*first, QStringLiteral("ねこ")), Kind::New);
    QCOMPARE(give(*first, QStringLiteral("ねこ")), Kind::Duplicate);
    QCOMPARE(give(*first, QStringLiteral("ネコ")), Kind::New);
    QCOMPARE(first->historyFields(),
             (HistoryRow{kTopic, QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("0"), QStringLiteral("1"),
                         QStringLiteral("6"), QStringLiteral("1.20/秒"), QStringLiteral("5秒")}));
    QCOMPARE(first->recordText(), QStringLiteral("答数 : 3"));
    QCOMPARE(readBytes(file(QStringLiteral("好きな動物.txt"))), sjis(QStringLiteral("ねこ\nネコ\n")));
    QCOMPARE(readBytes(file(QStringLiteral("好きな動物_履歴.txt"))),
             sjis(QStringLiteral("\"2024/05/18\",\"20:00:00\",\"001\",\"ねこ\"\n"
                                 "\"2024/05/18\",\"20:00:00\",\"001\",\"ねこ\"\n"
                                 "\"2024/05/18\",\"20:00:00\",\"001\",\"ネコ\"\n")));

    // The next play of the day: earlier answers are existing; one the files cannot hold counts nothing.
    auto second = started(3);
    QCOMPARE(second->playOfTheDay(), 2);
    QCOMPARE(give(*second, QStringLiteral("ねこ")), Kind::Existing);
    const RensouPlay::Given refused = second->answer(QStringLiteral("😺"), m_desk->clock.now());
    QVERIFY(!refused.outcome.counted);
    QVERIFY(refused.outcome.message.contains(QStringLiteral("保存できない")));
    QCOMPARE(give(*second, QStringLiteral("いぬ")), Kind::New);
    QVERIFY(second->answer(QStringLiteral("うさぎ"), m_desk->clock.now()).outcome.ended);
    QVERIFY(readBytes(file(QStringLiteral("好きな動物_履歴.txt"))).endsWith(sjis(QStringLiteral("\"002\",\"うさぎ\"\n"))));

    // Another day starts again at 001.
    m_desk->clock.set(QDateTime(QDate(2024, 5, 19), QTime(8, 0, 0)));
    QCOMPARE(started(3)->playOfTheDay(), 1);
}

void TestRensouPlay::answersAreKeptAsTheFilesHoldThem_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::newRow("comma") << QStringLiteral("a,b") << QStringLiteral("a，b");
    QTest::newRow("double quotes") << QStringLiteral("\"a\"") << QStringLiteral("＂a＂");
    QTest::newRow("blanks around") << QStringLiteral(" ねこ\u3000") << QStringLiteral("ねこ");
}

void TestRensouPlay::answersAreKeptAsTheFilesHoldThem()
{
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    auto first = started(1);
    QCOMPARE(first->answer(typed, m_desk->clock.now()).text, kept);
    // Given again in the next play, the answer is known to the topic.
    auto second = started(1);
    QCOMPARE(give(*second, typed), Kind::Existing);
    QCOMPARE(readBytes(file(QStringLiteral("好きな動物.txt"))), sjis(kept + QStringLiteral("\n")));
    QCOMPARE(readBytes(file(QStringLiteral("好きな動物_履歴.txt"))),
             sjis(QStringLiteral("\"2024/05/18\",\"20:00:00\",\"001\",\"%1\"\n"
                                 "\"2024/05/18\",\"20:00:00\",\"002\",\"%1\"\n")
                      .arg(kept)));
}

void TestRensouPlay::preparingAPlayReportsFilesItCannotMake()
{
    const DataFolder gone(m_desk->dir.filePath(QStringLiteral("消えたフォルダ")));
    PlaySetup setup;
    setup.topic = kTopic;
    const RensouPlay::Prepared prepared = RensouPlay::prepare(setup, gone, m_desk->clock.today());
    QVERIFY(!prepared.play);
    QVERIFY(prepared.failure.contains(QStringLiteral("「好きな動物.txt」")));
    QVERIFY(prepared.failure.contains(QStringLiteral("「好きな動物_履歴.txt」")));
}

// In count mode too, a best is more new answers, whatever its time, than the topic's plays.
void TestRensouPlay::bestHasMoreNewAnswers()
{
    std::vector<HistoryRow> history{earlier(kTopic, 3, 2, "1"), earlier(QStringLiteral("夏といえば"), 3, 3, "5")};
    auto first = started(3, 30000);
    for (const QString &answer : {QStringLiteral("ねこ"), QStringLiteral("いぬ"), QStringLiteral("うさぎ")})
        give(*first, answer);
    QVERIFY(isPersonalBest(*first, rensouHistory(), history));
    QCOMPARE(first->endRate(), QStringLiteral("100%"));

    // The same answers again are all existing now.
    history.push_back(earlier(kTopic, 3, 3, "30"));
    auto second = started(3, 1000);
    for (const QString &answer : {QStringLiteral("ねこ"), QStringLiteral("いぬ"), QStringLiteral("うま")})
        give(*second, answer);
    QVERIFY(!isPersonalBest(*second, rensouHistory(), history));
}

QTEST_GUILESS_MAIN(TestRensouPlay)
#include "tst_rensou_play.moc"
