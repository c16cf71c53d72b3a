#include "Desk.h"
#include "Plays.h"

#include "games/yojijukugo/YojiPlay.h"
#include "games/yojijukugo/YojiRules.h"

#include <QTest>

#include <algorithm>
#include <optional>

using namespace kotohana;
using namespace kotohana::test;

namespace {

// The four windows as the player sees them, an empty one as "□".
QString shown(const YojiPlay &play)
{
    QString text;
    for (int window = 0; window < 4; ++window)
        text += play.shown(window).isEmpty() ? QStringLiteral("□") : play.shown(window);
    return text;
}

} // namespace

class TestYojiPlay : public QObject
{
    Q_OBJECT

private:
    std::optional<Desk> m_desk;

private Q_SLOTS:
    void init() { m_desk.emplace(QDateTime(QDate(2024, 5, 18), QTime(10, 0, 0)), 11); }

    void rules();
    void firstQuestionForASeed();
    void playJudgesAndListsWhatItAsked();
    void levelChosenDuringAndAfterAPlay();
    void designatedWindowsDuringAPlay();
};

void TestYojiPlay::rules()
{
    QCOMPARE(YojiRules::idioms({QStringLiteral("一石二鳥　いっせきにちょう"), QStringLiteral("短い"), QStringLiteral("四面楚歌")}),
             (QStringList{QStringLiteral("一石二鳥"), QStringLiteral("四面楚歌")}));
    const QStringList idioms{QStringLiteral("一石二鳥")};
    const auto eaten = [](const YojiRules::Question &q) { return int(std::count(q.open.begin(), q.open.end(), false)); };
    for (int i = 0; i < 20; ++i) {
        m_desk->clock.advanceMilliseconds(13);
        QCOMPARE(eaten(YojiRules::make(idioms, QStringLiteral("0:隠さない"), {}, *m_desk->random)), 0);
        QCOMPARE(eaten(YojiRules::make(idioms, QStringLiteral("2:ノーマル"), {}, *m_desk->random)), 2);
        QCOMPARE(eaten(YojiRules::make(idioms, QStringLiteral("3:ハード"), {}, *m_desk->random)), 3);
    }
    // R draws how many: a draw below a quarter eats nothing.
    SequenceRandom low({0.1});
    QCOMPARE(eaten(YojiRules::make(idioms, QStringLiteral("R:ランダム"), {}, low)), 0);
    SequenceRandom high({0.9});
    QCOMPARE(eaten(YojiRules::make(idioms, QStringLiteral("R:ランダム"), {}, high)), 3);
    const YojiRules::Question designated = YojiRules::make(idioms, QStringLiteral("S:指定"), {true, false, true, false},
                                                           *m_desk->random);
    QCOMPARE(designated.open, (YojiRules::Windows{true, false, true, false}));
}

void TestYojiPlay::firstQuestionForASeed()
{
    FakeClock clock(QDateTime(QDate(2026, 12, 7), QTime(9, 30, 0)));
    MersenneRandomSource random(clock, 42);
    const QStringList idioms{QStringLiteral("一石二鳥"), QStringLiteral("四面楚歌"), QStringLiteral("温故知新"),
                             QStringLiteral("十人十色"), QStringLiteral("花鳥風月")};
    const YojiRules::Windows designated{};
    YojiPlay play(countPlay(10, QStringLiteral("2:ノーマル")), idioms, designated, random);
    play.newQuestion();
    QCOMPARE(shown(play), QStringLiteral("十□十□"));
}

void TestYojiPlay::playJudgesAndListsWhatItAsked()
{
    // The idiom, then windows 3 and 2 eaten.
    SequenceRandom random({0.0, 0.5, 0.5});
    const YojiRules::Windows designated{};
    YojiPlay play(countPlay(3, QStringLiteral("2:ノーマル")), {QStringLiteral("一石二鳥")}, designated, random);
    play.newQuestion();
    QCOMPARE(play.question().open, (YojiRules::Windows{true, false, false, true}));
    QCOMPARE(play.shown(1), QString());
    begin(play);

    YojiPlay::Checked checked = play.answer(QStringLiteral("石二")); // the eaten characters alone
    QVERIFY(checked.outcome.counted && !checked.outcome.correct);
    QCOMPARE(checked.outcome.message, QStringLiteral("違います！！"));
    checked = play.answer(QStringLiteral("一石二鳥　"));
    QVERIFY(checked.outcome.correct);
    QCOMPARE(checked.solved, QStringLiteral("一□□鳥"));
    play.reveal();
    QCOMPARE(play.shown(1), QStringLiteral("石"));
    QCOMPARE(play.answer(QStringLiteral("一石二鳥")).solved, QStringLiteral("一石二鳥"));
    QCOMPARE(play.typed(), 8);
}

// A level chosen during a play leaves the question alone and rules the next one; once the play
// is over, the play keeps the level it ended in.
void TestYojiPlay::levelChosenDuringAndAfterAPlay()
{
    const YojiRules::Windows designated{};
    YojiPlay play(countPlay(2, QStringLiteral("0:隠さない")), {QStringLiteral("一石二鳥")}, designated, *m_desk->random);
    begin(play);
    play.newQuestion();
    play.changeMode(QStringLiteral("3:ハード"));
    QCOMPARE(shown(play), QStringLiteral("一石二鳥"));
    QVERIFY(play.answer(QStringLiteral("一石二鳥")).outcome.correct);
    QCOMPARE(shown(play).count(u'□'), 3);
    QVERIFY(play.answer(QStringLiteral("一石二鳥")).outcome.ended);
    play.changeMode(QStringLiteral("1:イージー"));
    QCOMPARE(play.historyFields().last(), QStringLiteral("3"));
    QCOMPARE(play.recordText(), QStringLiteral("答数 : 2  3:ハードモード"));
}

// "S:指定" chosen during a play closes the windows on screen, and the solved list records them as
// they stand; the next question opens the windows designated by then.
void TestYojiPlay::designatedWindowsDuringAPlay()
{
    YojiRules::Windows designated{};
    YojiPlay play(countPlay(5, QStringLiteral("0:隠さない")), {QStringLiteral("一石二鳥")}, designated, *m_desk->random);
    begin(play);
    play.newQuestion();
    QCOMPARE(play.answer(QStringLiteral("一石二鳥")).solved, QStringLiteral("一石二鳥"));
    play.changeMode(QStringLiteral("S:指定"));
    play.closeWindows();
    QCOMPARE(shown(play), QStringLiteral("□□□□"));
    QCOMPARE(play.answer(QStringLiteral("一石二鳥")).solved, QStringLiteral("□□□□"));
    designated[1] = true;
    play.answer(QStringLiteral("一石二鳥"));
    QCOMPARE(shown(play), QStringLiteral("□石□□"));
}

QTEST_GUILESS_MAIN(TestYojiPlay)
#include "tst_yojijukugo_play.moc"
