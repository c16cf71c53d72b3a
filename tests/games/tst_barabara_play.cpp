#include "Desk.h"
#include "Plays.h"

#include "games/barabara/BarabaraPlay.h"
#include "games/barabara/BarabaraRules.h"

#include <QHash>
#include <QTest>

#include <optional>

using namespace kotohana;
using namespace kotohana::test;

class TestBarabaraPlay : public QObject
{
    Q_OBJECT

private:
    std::optional<Desk> m_desk;

private Q_SLOTS:
    void init() { m_desk.emplace(QDateTime(QDate(2024, 5, 18), QTime(10, 0, 0)), 11); }

    void scramblesFairly();
    void firstQuestionForASeed();
    void playJudges();
};

void TestBarabaraPlay::scramblesFairly()
{
    QHash<QString, int> seen;
    for (int i = 0; i < 1200; ++i) {
        m_desk->clock.advanceMilliseconds(17);
        const BarabaraRules::Question q = BarabaraRules::make({QStringLiteral("あいう")}, *m_desk->random);
        QCOMPARE(q.answer, QStringLiteral("あいう"));
        ++seen[q.scrambled];
    }
    QCOMPARE(seen.size(), 6); // every arrangement, the word itself included
    for (int count : seen)
        QVERIFY(count > 120 && count < 280);
    QCOMPARE(BarabaraRules::make({QStringLiteral("木")}, *m_desk->random).scrambled, QStringLiteral("木"));
}

void TestBarabaraPlay::firstQuestionForASeed()
{
    FakeClock clock(QDateTime(QDate(2026, 12, 7), QTime(9, 30, 0)));
    MersenneRandomSource random(clock, 42);
    BarabaraPlay play(countPlay(10), seedWords(), random);
    play.newQuestion();
    QCOMPARE(play.question().answer, QStringLiteral("だちょう"));
    QCOMPARE(play.question().scrambled, QStringLiteral("うちだょ"));
}

void TestBarabaraPlay::playJudges()
{
    // The word, then its characters from positions 3, 1 and 1 of the pool: らちか.
    SequenceRandom random({0.0, 0.9, 0.0, 0.9});
    BarabaraPlay play(countPlay(4), {QStringLiteral("ちから")}, random);
    play.newQuestion();
    QCOMPARE(play.shown(), QStringLiteral("らちか"));
    begin(play);

    BarabaraPlay::Checked checked = play.answer(QStringLiteral("からち"));
    QVERIFY(checked.outcome.counted && !checked.outcome.correct);
    QCOMPARE(checked.outcome.message, QStringLiteral("違います！！"));
    QVERIFY(checked.solved.isEmpty());
    QVERIFY(!play.answer(QStringLiteral("チカラ")).outcome.correct); // katakana is not the word
    checked = play.answer(QStringLiteral(" ちから　"));
    QVERIFY(checked.outcome.correct);
    QCOMPARE(checked.solved, QStringLiteral("らちか"));
    // A revealed word is solved as it was shown.
    play.reveal();
    QCOMPARE(play.shown(), QStringLiteral("ちから"));
    checked = play.answer(QStringLiteral("ちから"));
    QCOMPARE(checked.solved, QStringLiteral("ちから"));
    QVERIFY(checked.outcome.ended);
    QCOMPARE(play.shown(), QStringLiteral("らちか")); // the next word is scrambled again
    QCOMPARE(play.historyFields().mid(0, 4),
             (HistoryRow{QStringLiteral("4"), QStringLiteral("2"), QStringLiteral("2"), QStringLiteral("6")}));
    QCOMPARE(play.recordText(), QStringLiteral("答数 : 4"));
}

QTEST_GUILESS_MAIN(TestBarabaraPlay)
#include "tst_barabara_play.moc"
