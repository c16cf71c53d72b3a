#include "FakeClock.h"
#include "Plays.h"
#include "TestFiles.h"

#include "games/common/PersonalBest.h"
#include "games/plamai/PlamaiPlay.h"
#include "games/common/SavePlay.h"
#include "games/plamai/PlamaiRules.h"
#include "platform/RandomSource.h"
#include "records/RecordStore.h"

#include <QTemporaryDir>
#include <QTest>

using namespace kotohana;
using namespace kotohana::test;

namespace {

// Types the answer of a box, right or wrong, as the digit the player would type.
PlamaiPlay::BoxOutcome give(PlamaiPlay &play, int box, bool right)
{
    const PlamaiRules::Row &row = play.row();
    const int expected = plamaiDigit(row[std::size_t(box - 1)], row[std::size_t(box)], play.setup().mode);
    return play.answer(box, QString::number(right ? expected : (expected + 1) % 10));
}

// An earlier play of the history; only its answers, correct answers, seconds and mode count.
HistoryRow earlier(int answers, int correct, const char *seconds, const char16_t *mode)
{
    return {QStringLiteral("2024/05/17"),
            QStringLiteral("20:00:00"),
            QString::number(answers),
            QString::number(correct),
            QString::number(answers - correct),
            QString(),
            QString(),
            QString::fromLatin1(seconds) + u'秒',
            QString::fromUtf16(mode)};
}

} // namespace

class TestPlamaiPlay : public QObject
{
    Q_OBJECT

private:
    FakeClock m_clock;
    MersenneRandomSource m_random{m_clock, 7};

private Q_SLOTS:
    void rules_data();
    void rules();
    void rowsAreFreshDigits();
    void firstRowForASeed();
    void eachBoxIsAnAnswer();
    void finishedPlayIsSavedAsPlayed_data();
    void finishedPlayIsSavedAsPlayed();
    void modeChosenDuringAPlayRulesFromTheNextBox();
    void personalBest_data();
    void personalBest();
};

void TestPlamaiPlay::rules_data()
{
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("right");
    QTest::newRow("8+4 → 2") << 8 << 4 << QStringLiteral("＋") << QStringLiteral("2") << true;
    QTest::newRow("8+4 is not 12's first digit") << 8 << 4 << QStringLiteral("＋") << QStringLiteral("1") << false;
    QTest::newRow("4-8 → 4") << 4 << 8 << QStringLiteral("－") << QStringLiteral("4") << true;
    QTest::newRow("9+9 → 8") << 9 << 9 << QStringLiteral("＋") << QStringLiteral("8") << true;
    QTest::newRow("0+0 with a letter") << 0 << 0 << QStringLiteral("＋") << QStringLiteral("a") << true;
    QTest::newRow("3+4 with a letter") << 3 << 4 << QStringLiteral("＋") << QStringLiteral("a") << false;
    QTest::newRow("3+7 → 0") << 3 << 7 << QStringLiteral("＋") << QStringLiteral("0") << true;
    QTest::newRow("5+5 → 0") << 5 << 5 << QStringLiteral("＋") << QStringLiteral("0") << true;
    QTest::newRow("5+5 is not 10") << 5 << 5 << QStringLiteral("＋") << QStringLiteral("10") << false;
}

void TestPlamaiPlay::rules()
{
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(QString, mode);
    QFETCH(QString, typed);
    QFETCH(bool, right);
    QCOMPARE(PlamaiRules::judge(a, b, typed, mode), right);
}

void TestPlamaiPlay::rowsAreFreshDigits()
{
    QList<int> seen(10, 0);
    for (int i = 0; i < 40; ++i) {
        m_clock.advanceMilliseconds(997);
        for (int d : PlamaiRules::newRow(m_random))
            ++seen[d];
    }
    for (int count : seen)
        QVERIFY(count > 20); // 600 digits, every digit about 60 times
}

void TestPlamaiPlay::firstRowForASeed()
{
    FakeClock clock(QDateTime(QDate(2026, 12, 7), QTime(9, 30, 0)));
    MersenneRandomSource random(clock, 20261207);
    PlamaiPlay play(timePlay(60, QStringLiteral("＋")), random);
    play.firstRow();
    QString digits;
    for (int d : play.row())
        digits += QString::number(d);
    QCOMPARE(digits, QStringLiteral("045568417312451"));
}

void TestPlamaiPlay::eachBoxIsAnAnswer()
{
    PlamaiPlay play(timePlay(60, QStringLiteral("＋")), m_random);
    begin(play);
    play.firstRow();
    QVERIFY(give(play, 1, true).outcome.correct);
    const Outcome wrong = give(play, 2, false).outcome;
    QVERIFY(wrong.counted && !wrong.correct);
    QCOMPARE(play.cycle().correctRate(), 0.5);
    // An emptied box counts nothing; typed again, it is a further answer.
    QVERIFY(!play.answer(2, QString()).outcome.counted);
    QVERIFY(give(play, 2, true).outcome.counted);
    const PlamaiRules::Row first = play.row();
    for (int box = 3; box < PlamaiPlay::kBoxes; ++box)
        QVERIFY(!give(play, box, true).newRow);
    QVERIFY(give(play, PlamaiPlay::kBoxes, true).newRow); // the fourteenth box brings a fresh row
    QVERIFY(play.row() != first);
    QCOMPARE(play.cycle().answers(), qint64(15));
    QCOMPARE(play.cycle().wrong(), qint64(1));
}

void TestPlamaiPlay::finishedPlayIsSavedAsPlayed_data()
{
    QTest::addColumn<int>("timing"); // TimingMode
    QTest::addColumn<int>("limit"); // seconds or answers
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("answers"); // R right, W wrong, a box each
    QTest::addColumn<int>("ms"); // how long the play took
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("record");
    QTest::addColumn<QByteArray>("saved"); // the seconds in データ.txt
    QTest::newRow("count mode ends on its last box, the fresh row drawn")
        << int(TimingMode::Count) << 14 << QStringLiteral("＋") << QStringLiteral("RRRRRRRRRRRRRR") << 12500
        << QStringList{"14", "14", "0", "100.0%", "1.12/秒", "12.5秒", "＋"} << QStringLiteral("答数 : 14  (＋) モード")
        << QByteArray("12.5");
    QTest::newRow("time mode ends at its seconds") << int(TimingMode::Time) << 10 << QStringLiteral("－") << QStringLiteral("RRW")
                                                   << 10000 << QStringList{"3", "2", "1", "66.7%", "0.30/秒", "10秒", "－"}
                                                   << QStringLiteral("秒数 : 10  (－) モード") << QByteArray("10");
}

void TestPlamaiPlay::finishedPlayIsSavedAsPlayed()
{
    QFETCH(int, timing);
    QFETCH(int, limit);
    QFETCH(QString, mode);
    QFETCH(QString, answers);
    QFETCH(int, ms);
    QFETCH(QStringList, fields);
    QFETCH(QString, record);
    QFETCH(QByteArray, saved);
    const bool count = TimingMode(timing) == TimingMode::Count;
    PlamaiPlay play({TimingMode(timing), limit, limit, mode, {}}, m_random);
    begin(play);
    play.firstRow();
    if (count)
        play.cycle().countTick(3000 + ms);
    for (qsizetype i = 0; i < answers.size(); ++i) {
        const PlamaiPlay::BoxOutcome judged = give(play, int(i) + 1, answers[i] == u'R');
        QCOMPARE(judged.outcome.ended, count && i + 1 == answers.size());
        QCOMPARE(judged.newRow, i + 1 == PlamaiPlay::kBoxes);
    }
    if (!count) {
        QVERIFY(!play.cycle().timeTick(3000 + ms - 1)->ended);
        QVERIFY(play.cycle().timeTick(3000 + ms)->ended);
    }
    QVERIFY(!give(play, 1, true).outcome.counted); // nothing counts after the end
    QVERIFY(play.canSave());
    QCOMPARE(play.historyFields(), fields);
    QCOMPARE(play.recordText(), record);

    QTemporaryDir folder;
    RecordStore store(folder.filePath(QStringLiteral("データ.txt")));
    const HistoryFile history(folder.filePath(QStringLiteral("プラマイ履歴.txt")), plamaiHistory());
    QVERIFY(savePlay(play, {QStringLiteral("プラマイ"), history, store}, QDateTime(QDate(2024, 5, 18), QTime(21, 0))).result.ok());
    QCOMPARE(readBytes(store.path()).split(',').at(3), saved);
}

void TestPlamaiPlay::modeChosenDuringAPlayRulesFromTheNextBox()
{
    const QStringList modes{QStringLiteral("＋"), QStringLiteral("－")};
    PlamaiPlay play(countPlay(2, QStringLiteral("＋")), m_random);
    const BestsToBeat bests(play.setup(), modes, plamaiHistory(), {earlier(2, 1, "2", u"＋")});
    begin(play);
    play.firstRow();
    play.changeMode(QStringLiteral("－"));
    const int a = play.row()[0];
    const int b = play.row()[1];
    QVERIFY(play.answer(1, QString::number(std::abs(a - b))).outcome.correct);
    QVERIFY(give(play, 2, true).outcome.ended);
    // Saved in minus mode: the first minus play, no best.
    QCOMPARE(play.historyFields().last(), QStringLiteral("－"));
    QCOMPARE(play.recordText(), QStringLiteral("答数 : 2  (－) モード"));
    QVERIFY(!beats(play, plamaiHistory(), bests));
}

// Fourteen answers in count mode are judged by their correct answers and then their time,
// against the earlier plays of the same mode and number of answers only.
void TestPlamaiPlay::personalBest_data()
{
    QTest::addColumn<int>("tenths");
    QTest::addColumn<bool>("saved"); // a play of 12.5 seconds is in the history already
    QTest::addColumn<bool>("best");
    QTest::newRow("faster than the plays of its mode and answers") << 125 << false << true;
    QTest::newRow("the same time ties") << 125 << true << false;
    QTest::newRow("a tenth of a second less") << 124 << true << true;
}

void TestPlamaiPlay::personalBest()
{
    QFETCH(int, tenths);
    QFETCH(bool, saved);
    QFETCH(bool, best);
    std::vector<HistoryRow> history{earlier(14, 14, "13", u"＋"), earlier(14, 14, "7", u"－"), earlier(10, 10, "5", u"＋"),
                                    earlier(14, 14, "60", u"＋"),
                                    // Keys hit at random: faster, but no match for right answers.
                                    earlier(14, 2, "3", u"＋")};
    if (saved)
        history.push_back(earlier(14, 14, "12.5", u"＋"));
    PlamaiPlay play(countPlay(14, QStringLiteral("＋")), m_random);
    begin(play);
    play.firstRow();
    play.cycle().countTick(3000 + qint64(tenths) * 100);
    for (int box = 1; box <= PlamaiPlay::kBoxes; ++box)
        give(play, box, true);
    QCOMPARE(isPersonalBest(play, plamaiHistory(), history), best);
}

QTEST_GUILESS_MAIN(TestPlamaiPlay)
#include "tst_plamai_play.moc"
