#include "FakeClock.h"
#include "ScriptedMessageBoxes.h"
#include "SequenceRandom.h"
#include "TestFiles.h"
#include "Widgets.h"

#include "games/vocabra/VocabraRules.h"
#include "games/vocabra/frmG7.h"
#include "platform/DataFolder.h"
#include "platform/ProgramState.h"
#include "platform/RandomSource.h"
#include "platform/Services.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

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

} // namespace

class TestVocabra : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void scoringByPosition_data();
    void scoringByPosition();
    void pairsNeverTakeTwoExtraKana();
    void bannedQuestionsAreSkippedAndNeverLoopForever();
    void playThroughTheWindow();
};

void TestVocabra::scoringByPosition_data()
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

void TestVocabra::scoringByPosition()
{
    QFETCH(QString, typed);
    QFETCH(int, answer);
    QFETCH(int, points);
    const Answer judged = VocabraRules::judge(typed, QStringLiteral("らい"));
    QCOMPARE(int(judged), answer);
    QCOMPARE(VocabraRules::points(judged), points);
}

void TestVocabra::pairsNeverTakeTwoExtraKana()
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

void TestVocabra::bannedQuestionsAreSkippedAndNeverLoopForever()
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

void TestVocabra::playThroughTheWindow()
{
    QTemporaryDir dir;
    FakeClock clock(QDateTime(QDate(2024, 5, 18), QTime(7, 0, 0)));
    SequenceRandom random({0.0});
    ScriptedMessageBoxes messages;
    const DataFolder folder(dir.path());
    const Services services{clock, random, messages, folder};
    ProgramState state;
    state.helpTourFlag = 0;
    writeBytes(folder.path(u"ボキャブラかな.TXT"), sjis(QStringLiteral("らい\nかさ\n")));
    writeBytes(folder.path(u"ボキャブラ設定.txt"), sjis(QStringLiteral("3,60,\"１文字\",\"答数\",1\n")));

    frmG7 window(services, state);
    window.Form_Load();
    QCOMPARE(messages.shown().size(), 1); // the banned list was missing and is made anew
    QVERIFY(folder.contains(u"ボキャブラ不要.TXT"));
    stopTimers(window);
    startPlay(window, clock);
    auto *question = window.findChild<QLabel *>(QStringLiteral("lblMondai"));
    QCOMPARE(question->text(), QStringLiteral("らい"));
    clock.advanceMilliseconds(10000);
    window.tmrPlay_Timer();
    const auto type = [&](const QString &text) { typeAnswer(window, text); };
    type(QStringLiteral("不要")); // banned for good, but may come again in this window
    QCOMPARE(readBytes(folder.path(u"ボキャブラ不要.TXT")), sjis(QStringLiteral("らい\n")));
    QCOMPARE(question->text(), QStringLiteral("らい"));
    type(QStringLiteral("すらいむ"));
    type(QStringLiteral("らい")); // counts nothing
    type(QStringLiteral("かぼちゃ"));
    QCOMPARE(window.findChild<QLabel *>(QStringLiteral("lblTen3"))->text(), QStringLiteral("2"));
    type(QStringLiteral("みらい")); // the third counted answer ends the play
    auto *entries = window.findChild<QListWidget *>(QStringLiteral("lstRireki"));
    QCOMPARE(entries->count(), 3);
    QCOMPARE(entries->item(1)->text(), QStringLiteral("らい _ "));
    QCOMPARE(readBytes(folder.path(u"ボキャブラ履歴.txt")),
             sjis(QStringLiteral("\"2024/05/18\",\"07:00:13\",2,1,11,4,\"66.7%\",\"1.10/秒\",\"10秒\",\"１\"\n")));
    QCOMPARE(readBytes(folder.path(u"データ.txt")),
             sjis(QStringLiteral("\"2024/05/18\",\"07:00:13\",\"ボキャブラ\",10,\"答数 : 3  １文字モード\",\n")));

    // Opened again, the banned question is never asked.
    frmG7 again(services, state);
    again.Form_Load();
    stopTimers(again);
    QTest::mouseClick(again.findChild<QPushButton *>(QStringLiteral("cmdStart")), Qt::LeftButton);
    for (int i = 0; i < 3; ++i)
        again.tmrStart_Timer();
    QCOMPARE(again.findChild<QLabel *>(QStringLiteral("lblMondai"))->text(), QStringLiteral("かさ"));
}

QTEST_MAIN(TestVocabra)
#include "tst_vocabra.moc"
