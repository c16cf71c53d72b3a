#include "FakeClock.h"
#include "Plays.h"
#include "SequenceRandom.h"
#include "TestFiles.h"

#include "games/common/PersonalBest.h"
#include "games/vocabra/VocabraPlay.h"
#include "games/vocabra/VocabraRules.h"
#include "platform/RandomSource.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace kotohana;
using namespace kotohana::test;
using VocabraRules::Answer;

namespace {

QStringList kanaList(int entries)
{
    QStringList kana;
    for (int i = 0; i < entries; ++i)
        kana.append(QString(QChar(0x3042 + i)));
    return kana;
}

const QString kOne = QStringLiteral("１文字");
const QString kTwo = QStringLiteral("２文字");

// A count-mode play past its countdown, its first question asked.
std::unique_ptr<VocabraPlay> askingPlay(const QString &mode, const QStringList &kana, RandomSource &random,
                                        const QString &bannedFile, int answers = 10)
{
    auto play = std::make_unique<VocabraPlay>(countPlay(answers, mode), kana, QSet<QString>{}, bannedFile, random);
    begin(*play);
    play->nextQuestion();
    return play;
}

} // namespace

class TestVocabraPlay : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void scoringByPosition_data();
    void scoringByPosition();
    void pairsNeverTakeTwoExtraKana();
    void bannedQuestionsAreSkippedAndNeverLoopForever();
    void firstQuestionOfASeed();
    void answersAreJudgedWithoutSurroundingBlanks_data();
    void answersAreJudgedWithoutSurroundingBlanks();
    void banThatCannotBeWrittenIsReported();
    void modeChosenDuringAPlayAsksFromTheNextQuestion();
    void bestCountsCorrectWordsNotPoints();
    void rateOfATimeModePlayWithoutAnswers_data();
    void rateOfATimeModePlayWithoutAnswers();
};

void TestVocabraPlay::scoringByPosition_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("points");
    QTest::newRow("beginning") << QStringLiteral("らいおん") << int(Answer::Beginning) << 1;
    QTest::newRow("end") << QStringLiteral("みらい") << int(Answer::End) << 2;
    QTest::newRow("inside") << QStringLiteral("すらいむ") << int(Answer::Inside) << 3;
    QTest::newRow("wrong") << QStringLiteral("かぼちゃ") << int(Answer::Wrong) << -1;
    QTest::newRow("the question itself") << QStringLiteral("らい") << int(Answer::Itself) << 0;
    QTest::newRow("begins and ends with it") << QStringLiteral("らいらい") << int(Answer::Beginning) << 1;
    QTest::newRow("banish") << QStringLiteral("不要") << int(Answer::Banish) << 0;
    QTest::newRow("katakana differs") << QStringLiteral("ライオン") << int(Answer::Wrong) << -1;
}

void TestVocabraPlay::scoringByPosition()
{
    QFETCH(QString, typed);
    QFETCH(int, answer);
    QFETCH(int, points);
    const Answer judged = VocabraRules::judge(typed, QStringLiteral("らい"));
    QCOMPARE(int(judged), answer);
    QCOMPARE(VocabraRules::points(judged), points);
}

void TestVocabraPlay::pairsNeverTakeTwoExtraKana()
{
    FakeClock clock;
    MersenneRandomSource random(clock, 5);
    const QStringList kana = kanaList(60);
    for (int i = 0; i < 2000; ++i) {
        clock.advanceMilliseconds(3);
        const QString pair = VocabraRules::nextQuestion(kana, true, {}, random).value();
        QCOMPARE(pair.size(), 2);
        QVERIFY(kana.indexOf(pair.left(1)) < 46 || kana.indexOf(pair.right(1)) < 46);
    }
}

void TestVocabraPlay::bannedQuestionsAreSkippedAndNeverLoopForever()
{
    FakeClock clock;
    MersenneRandomSource random(clock, 5);
    const QStringList kana = kanaList(3);
    const QSet<QString> banned{kana[0], kana[1]};
    for (int i = 0; i < 50; ++i)
        QCOMPARE(VocabraRules::nextQuestion(kana, false, banned, random).value(), kana[2]);
    const QSet<QString> all(kana.begin(), kana.end());
    QVERIFY(!VocabraRules::nextQuestion(kana, false, all, random));
    QVERIFY(!VocabraRules::nextQuestion({}, false, {}, random));
}

void TestVocabraPlay::firstQuestionOfASeed()
{
    FakeClock clock(QDateTime(QDate(2024, 5, 18), QTime(7, 0, 0)));
    MersenneRandomSource random(clock, 7);
    const QStringList kana = kanaList(60);
    const auto play = askingPlay(kTwo, kana, random, QString());
    QCOMPARE(play->question(), QStringLiteral("ぱな")); // entries 48 and 41: one of them is a basic kana
}

void TestVocabraPlay::answersAreJudgedWithoutSurroundingBlanks_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("counted");
    QTest::addColumn<bool>("correct");
    QTest::addColumn<qint64>("score");
    QTest::addColumn<qint64>("characters");
    QTest::addColumn<QString>("entry");
    // The question is らい.
    QTest::newRow("ideographic blanks round an inside word")
        << QStringLiteral("　すらいむ ") << true << true << qint64(3) << qint64(4) << QStringLiteral("らい _ すらいむ");
    QTest::newRow("a blank before a beginning")
        << QStringLiteral(" らいおん") << true << true << qint64(1) << qint64(4) << QStringLiteral("らい _ らいおん");
    QTest::newRow("a padded wrong word") << QStringLiteral(" かぼちゃ　") << true << false << qint64(-1) << qint64(0)
                                         << QStringLiteral("らい _ ");
    QTest::newRow("the question itself, padded")
        << QStringLiteral("\tらい ") << false << false << qint64(0) << qint64(2) << QString();
    QTest::newRow("a padded 不要") << QStringLiteral("　不要 ") << false << false << qint64(0) << qint64(2) << QString();
}

void TestVocabraPlay::answersAreJudgedWithoutSurroundingBlanks()
{
    QFETCH(QString, typed);
    QFETCH(bool, counted);
    QFETCH(bool, correct);
    QFETCH(qint64, score);
    QFETCH(qint64, characters);
    QFETCH(QString, entry);
    QTemporaryDir dir;
    const QString bannedFile = dir.filePath(QStringLiteral("ボキャブラ不要.TXT"));
    SequenceRandom random({0.0});
    const auto play = askingPlay(kOne, {QStringLiteral("らい")}, random, bannedFile);
    const VocabraPlay::Answered answered = play->answer(typed);
    QCOMPARE(answered.outcome.counted, counted);
    QCOMPARE(answered.outcome.correct, correct);
    QCOMPARE(play->score(), score);
    QCOMPARE(play->typed(), characters);
    QCOMPARE(answered.entry, entry);
    const bool banished = typed.contains(QStringLiteral("不要"));
    QCOMPARE(QFileInfo::exists(bannedFile), banished);
    if (banished)
        QCOMPARE(readBytes(bannedFile), sjis(QStringLiteral("らい\n")));
}

void TestVocabraPlay::banThatCannotBeWrittenIsReported()
{
    QTemporaryDir dir;
    const QString bannedFile = dir.filePath(QStringLiteral("ボキャブラ不要.TXT"));
    QVERIFY(QDir().mkpath(bannedFile)); // there, but no file to add to
    SequenceRandom random({0.0});
    const auto play = askingPlay(kOne, {QStringLiteral("らい")}, random, bannedFile);
    const VocabraPlay::Answered answered = play->answer(QStringLiteral("不要"));
    QVERIFY(!answered.outcome.counted);
    QVERIFY(answered.outcome.message.contains(QStringLiteral("ボキャブラ不要.TXT")));
    QCOMPARE(answered.outcome.title, QStringLiteral("ボキャブラ"));
    QVERIFY(QFileInfo(bannedFile).isDir());
}

void TestVocabraPlay::modeChosenDuringAPlayAsksFromTheNextQuestion()
{
    SequenceRandom random({0.0});
    const auto play = askingPlay(kOne, {QStringLiteral("あ"), QStringLiteral("い")}, random, QString(), 2);
    QCOMPARE(play->question(), QStringLiteral("あ"));
    play->changeMode(kTwo);
    QCOMPARE(play->question(), QStringLiteral("あ")); // the question asked stays
    QVERIFY(play->answer(QStringLiteral("あさ")).outcome.correct);
    QCOMPARE(play->question(), QStringLiteral("ああ"));
    QVERIFY(play->answer(QStringLiteral("ああい")).outcome.ended);
    play->changeMode(kOne); // after the play: the play stays as it was played
    QCOMPARE(play->historyFields().last(), QStringLiteral("２"));
    QCOMPARE(play->recordText(), QStringLiteral("答数 : 2  ２文字モード"));
}

// A time-mode best has more correct words, whatever their score, in the same mode.
void TestVocabraPlay::bestCountsCorrectWordsNotPoints()
{
    SequenceRandom random({0.0});
    VocabraPlay play(timePlay(30, kOne), {QStringLiteral("らい")}, {}, QString(), random);
    begin(play);
    play.nextQuestion();
    QVERIFY(play.answer(QStringLiteral("らいおん")).outcome.correct);
    QVERIFY(play.answer(QStringLiteral("らいむ")).outcome.correct);
    QVERIFY(play.cycle().timeTick(33000)->ended);

    QTemporaryDir dir;
    const HistoryLayout layout = vocabraHistory();
    const HistoryFile file(dir.filePath(QStringLiteral("ボキャブラ履歴.txt")), layout);
    writeBytes(file.path(),
               sjis(QStringLiteral("\"2024/05/17\",\"10:00:00\",1,0,3,30,\"100.0%\",\"0.10/秒\",\"30秒\",\"１\"\n"
                                   "\"2024/05/17\",\"11:00:00\",9,0,27,20,\"100.0%\",\"0.90/秒\",\"30秒\",\"２\"\n")));
    QVERIFY(isPersonalBest(play, layout, file.readAll().rows));
    writeBytes(file.path(), sjis(QStringLiteral("\"2024/05/17\",\"12:00:00\",2,5,6,-3,\"28.6%\",\"0.20/秒\",\"30秒\",\"１\"\n")));
    QVERIFY(!isPersonalBest(play, layout, file.readAll().rows));
}

// Nothing typed is a rate of 0.0%; only "不要" typed leaves the rate out.
void TestVocabraPlay::rateOfATimeModePlayWithoutAnswers_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("rate");
    QTest::newRow("nothing typed") << QString() << QStringLiteral("0.0%");
    QTest::newRow("only 不要") << QStringLiteral("不要") << QString();
}

void TestVocabraPlay::rateOfATimeModePlayWithoutAnswers()
{
    QFETCH(QString, typed);
    QFETCH(QString, rate);
    QTemporaryDir dir;
    SequenceRandom random({0.0});
    VocabraPlay play(timePlay(10, kOne), {QStringLiteral("らい")}, {}, dir.filePath(QStringLiteral("ボキャブラ不要.TXT")), random);
    begin(play);
    play.nextQuestion();
    play.answer(typed);
    QVERIFY(play.cycle().timeTick(13000)->ended);
    QCOMPARE(play.endRate(), rate);
}

QTEST_GUILESS_MAIN(TestVocabraPlay)
#include "tst_vocabra_play.moc"
