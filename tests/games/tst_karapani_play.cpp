#include "FakeClock.h"
#include "Plays.h"
#include "SequenceRandom.h"

#include "games/karapani/KarapaniPlay.h"
#include "games/karapani/KarapaniRules.h"
#include "platform/RandomSource.h"

#include <QTest>

using namespace kotohana;
using namespace kotohana::test;
using KarapaniRules::Question;
using KarapaniRules::Task;

namespace {

const QString kEasy = QStringLiteral("E:イージー");
const QString kNormal = QStringLiteral("N:ノーマル");

} // namespace

class TestKarapaniPlay : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void judging_data();
    void judging();
    void drawsWordColourAndTask();
    void firstQuestionOfASeed();
    void answersAreJudgedWithoutSurroundingBlanks_data();
    void answersAreJudgedWithoutSurroundingBlanks();
    void levelChosenDuringAPlayAsksFromTheNextQuestion();
};

void TestKarapaniPlay::judging_data()
{
    QTest::addColumn<int>("task");
    QTest::addColumn<int>("word");
    QTest::addColumn<int>("colour");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("right");
    // 青 (2) drawn in red (1).
    QTest::newRow("E: the word in kanji") << 1 << 2 << 1 << QStringLiteral("青") << true;
    QTest::newRow("E: the word in hiragana") << 1 << 2 << 1 << QStringLiteral("あお") << true;
    QTest::newRow("E: the colour is wrong") << 1 << 2 << 1 << QStringLiteral("あか") << false;
    QTest::newRow("N: the colour in kanji") << 2 << 2 << 1 << QStringLiteral("赤") << true;
    QTest::newRow("N: the colour in hiragana") << 2 << 2 << 1 << QStringLiteral("あか") << true;
    QTest::newRow("N: 黄 as き") << 2 << 3 << 3 << QStringLiteral("き") << true;
    QTest::newRow("N: 黄 as きいろ") << 2 << 3 << 3 << QStringLiteral("きいろ") << false;
    QTest::newRow("katakana is not hiragana") << 1 << 5 << 5 << QStringLiteral("クロ") << false;
}

void TestKarapaniPlay::judging()
{
    QFETCH(int, task);
    QFETCH(int, word);
    QFETCH(int, colour);
    QFETCH(QString, typed);
    QFETCH(bool, right);
    QCOMPARE(KarapaniRules::judge(typed, Question{word, colour, Task(task)}), right);
}

void TestKarapaniPlay::drawsWordColourAndTask()
{
    SequenceRandom random({0.3, 0.9, 0.7});
    const Question panic = KarapaniRules::next(random, Task::Word, true);
    QCOMPARE(panic.word, 2);
    QCOMPARE(panic.colour, 5);
    QCOMPARE(panic.task, Task::Colour);
    const Question steady = KarapaniRules::next(random, Task::Word, false);
    QCOMPARE(steady.task, Task::Word);
    QCOMPARE(KarapaniRules::colours()[3].drawing, 0x00C0C0u);
}

void TestKarapaniPlay::firstQuestionOfASeed()
{
    FakeClock clock(QDateTime(QDate(2024, 5, 18), QTime(9, 0, 0)));
    MersenneRandomSource random(clock, 6);
    KarapaniPlay play(countPlay(10, QStringLiteral("P:パニック")), random);
    play.nextQuestion();
    QCOMPARE(play.question().word, 5); // 黒
    QCOMPARE(play.question().colour, 3); // drawn in dark yellow
    QCOMPARE(play.question().task, Task::Colour);
}

void TestKarapaniPlay::answersAreJudgedWithoutSurroundingBlanks_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("right");
    QTest::addColumn<qint64>("characters");
    // 青 drawn in red.
    QTest::newRow("half-width blanks round the colour") << kNormal << QStringLiteral(" あか ") << true << qint64(2);
    QTest::newRow("ideographic blanks round the word") << kEasy << QStringLiteral("　青　") << true << qint64(1);
    QTest::newRow("a tab before the word") << kEasy << QStringLiteral("\tあお") << true << qint64(2);
    QTest::newRow("blanks do not make the word the colour") << kNormal << QStringLiteral(" あお ") << false << qint64(0);
}

void TestKarapaniPlay::answersAreJudgedWithoutSurroundingBlanks()
{
    QFETCH(QString, mode);
    QFETCH(QString, typed);
    QFETCH(bool, right);
    QFETCH(qint64, characters);
    SequenceRandom random({0.3, 0.1});
    KarapaniPlay play(countPlay(10, mode), random);
    begin(play);
    play.nextQuestion();
    const Outcome outcome = play.answer(typed);
    QVERIFY(outcome.counted);
    QCOMPARE(outcome.correct, right);
    QCOMPARE(play.typed(), characters);
}

void TestKarapaniPlay::levelChosenDuringAPlayAsksFromTheNextQuestion()
{
    SequenceRandom random({0.3, 0.1}); // always 青 drawn in red
    KarapaniPlay play(countPlay(2, kEasy), random);
    begin(play);
    play.nextQuestion();
    play.changeMode(kNormal);
    QCOMPARE(play.question().task, Task::Word); // the question asked keeps its task
    QVERIFY(play.answer(QStringLiteral("あお")).correct);
    QCOMPARE(play.question().task, Task::Colour);
    QVERIFY(play.answer(QStringLiteral("あか")).ended);
    play.changeMode(kEasy); // after the play: the play stays as it was played
    QCOMPARE(play.historyFields().last(), QStringLiteral("N"));
    QCOMPARE(play.recordText(), QStringLiteral("答数 : 2  N:ノーマルモード"));
}

QTEST_GUILESS_MAIN(TestKarapaniPlay)
#include "tst_karapani_play.moc"
