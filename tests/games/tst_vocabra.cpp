#include "FakeClock.h"
#include "ScriptedMessageBoxes.h"
#include "SequenceRandom.h"
#include "TestFiles.h"
#include "Widgets.h"

#include "games/common/PersonalBest.h"
#include "games/common/ProgramState.h"
#include "games/vocabra/VocabraPlay.h"
#include "games/vocabra/VocabraRules.h"
#include "games/vocabra/frmG7.h"
#include "platform/DataFolder.h"
#include "platform/RandomSource.h"
#include "records/RecordStore.h"
#include "records/Services.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
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

const QString kOne = QStringLiteral("１文字");
const QString kTwo = QStringLiteral("２文字");

// A count-mode play past its countdown, its first question asked.
std::unique_ptr<VocabraPlay> askingPlay(const QString &mode, const QStringList &kana, RandomSource &random,
                                        const QString &bannedFile, int answers = 10)
{
    PlaySetup setup;
    setup.timing = TimingMode::Count;
    setup.answers = answers;
    setup.mode = mode;
    auto play = std::make_unique<VocabraPlay>(setup, kana, QSet<QString>{}, bannedFile, random);
    for (const qint64 ms : {1000, 2000, 3000})
        play->cycle().countdownTick(ms);
    play->nextQuestion();
    return play;
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
    void firstQuestionOfASeed();
    void answersAreJudgedWithoutSurroundingBlanks_data();
    void answersAreJudgedWithoutSurroundingBlanks();
    void banThatCannotBeWrittenIsReported();
    void modeChosenDuringAPlayAsksFromTheNextQuestion();
    void bestCountsCorrectWordsNotPoints();
    void playThroughTheWindow();
    void newPlayStartsFromZero();
    void rateOfATimeModePlayWithoutAnswers();
    void manualSaveKeepsTheModeThePlayHad();
    void unreadableListIsReportedAndLeftAlone_data();
    void unreadableListIsReportedAndLeftAlone();

private:
    // A window on its own data folder: kana らい and かさ, the given settings, every draw 0.
    struct Room {
        explicit Room(const QString &settings);
        std::unique_ptr<frmG7> open();
        QString file(const char16_t *name) const { return folder.path(QStringView(name)); }

        QTemporaryDir dir;
        FakeClock clock{QDateTime(QDate(2024, 5, 18), QTime(7, 0, 0))};
        SequenceRandom random{{0.0}};
        ScriptedMessageBoxes messages;
        DataFolder folder{dir.path()};
        RecordStore records{folder.path(PlayRecordFile::kFileName)};
        Services services{clock, random, messages, folder, records};
        ProgramState state;
    };
};

TestVocabra::Room::Room(const QString &settings)
{
    writeBytes(file(u"ボキャブラかな.TXT"), sjis(QStringLiteral("らい\nかさ\n")));
    writeBytes(file(u"ボキャブラ不要.TXT"), {});
    writeBytes(file(u"ボキャブラ設定.txt"), sjis(settings + u'\n'));
}

std::unique_ptr<frmG7> TestVocabra::Room::open()
{
    auto window = std::make_unique<frmG7>(services, state);
    window->Form_Load();
    stopTimers(*window);
    return window;
}

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

void TestVocabra::firstQuestionOfASeed()
{
    FakeClock clock(QDateTime(QDate(2024, 5, 18), QTime(7, 0, 0)));
    MersenneRandomSource random(clock, 7);
    const QStringList kana = kanaList(60);
    const auto play = askingPlay(kTwo, kana, random, QString());
    QCOMPARE(play->question(), QStringLiteral("ぱな")); // entries 48 and 41: one of them is a basic kana
}

void TestVocabra::answersAreJudgedWithoutSurroundingBlanks_data()
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
    QTest::newRow("a padded wrong word")
        << QStringLiteral(" かぼちゃ　") << true << false << qint64(-1) << qint64(0) << QStringLiteral("らい _ ");
    QTest::newRow("the question itself, padded")
        << QStringLiteral("\tらい ") << false << false << qint64(0) << qint64(2) << QString();
    QTest::newRow("a padded 不要") << QStringLiteral("　不要 ") << false << false << qint64(0) << qint64(2) << QString();
}

void TestVocabra::answersAreJudgedWithoutSurroundingBlanks()
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

void TestVocabra::banThatCannotBeWrittenIsReported()
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

// A time-mode best has more correct words, whatever their score, in the same mode.
void TestVocabra::bestCountsCorrectWordsNotPoints()
{
    SequenceRandom random({0.0});
    PlaySetup setup;
    setup.seconds = 30;
    setup.mode = kOne;
    VocabraPlay play(setup, {QStringLiteral("らい")}, {}, QString(), random);
    for (const qint64 ms : {1000, 2000, 3000})
        play.cycle().countdownTick(ms);
    play.nextQuestion();
    QVERIFY(play.answer(QStringLiteral("らいおん")).outcome.correct);
    QVERIFY(play.answer(QStringLiteral("らいむ")).outcome.correct);
    QVERIFY(play.cycle().timeTick(33000)->ended);

    QTemporaryDir dir;
    const HistoryLayout layout = frmG7::definition().history;
    const HistoryFile file(dir.filePath(QStringLiteral("ボキャブラ履歴.txt")), layout);
    writeBytes(file.path(),
               sjis(QStringLiteral("\"2024/05/17\",\"10:00:00\",1,0,3,30,\"100.0%\",\"0.10/秒\",\"30秒\",\"１\"\n"
                                   "\"2024/05/17\",\"11:00:00\",9,0,27,20,\"100.0%\",\"0.90/秒\",\"30秒\",\"２\"\n")));
    QVERIFY(isPersonalBest(play, layout, file.readAll().rows));
    writeBytes(file.path(),
               sjis(QStringLiteral("\"2024/05/17\",\"12:00:00\",2,5,6,-3,\"28.6%\",\"0.20/秒\",\"30秒\",\"１\"\n")));
    QVERIFY(!isPersonalBest(play, layout, file.readAll().rows));
}

void TestVocabra::modeChosenDuringAPlayAsksFromTheNextQuestion()
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

void TestVocabra::playThroughTheWindow()
{
    QTemporaryDir dir;
    FakeClock clock(QDateTime(QDate(2024, 5, 18), QTime(7, 0, 0)));
    SequenceRandom random({0.0});
    ScriptedMessageBoxes messages;
    const DataFolder folder(dir.path());
    RecordStore records{folder.path(PlayRecordFile::kFileName)};
    const Services services{clock, random, messages, folder, records};
    ProgramState state;
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

void TestVocabra::newPlayStartsFromZero()
{
    Room room(QStringLiteral("2,60,\"１文字\",\"答数\",1"));
    const auto window = room.open();
    startPlay(*window, room.clock);
    typeAnswer(*window, QStringLiteral("すらいむ"));
    typeAnswer(*window, QStringLiteral("らいおん")); // the second answer ends the play
    QCOMPARE(find<QLabel>(*window, QStringLiteral("lblTen3"))->text(), QStringLiteral("4"));

    click(*window, "cmdStart");
    for (int i = 0; i < 4; ++i)
        QCOMPARE(find<QLabel>(*window, QStringLiteral("lblTen%1").arg(i))->text(), QStringLiteral("0"));
    QCOMPARE(find<QListWidget>(*window, QStringLiteral("lstRireki"))->count(), 0);
}

// Nothing typed is a rate of 0.0%; only "不要" typed leaves the rate out.
void TestVocabra::rateOfATimeModePlayWithoutAnswers()
{
    Room room(QStringLiteral("2,10,\"１文字\",\"秒数\",1"));
    const auto window = room.open();
    for (const auto &[typed, rate] : {std::pair(QString(), QStringLiteral("0.0%")), std::pair(QStringLiteral("不要"), QString())}) {
        startPlay(*window, room.clock);
        typeAnswer(*window, typed);
        room.clock.advanceMilliseconds(10000);
        window->tmrBp_Timer();
        QCOMPARE(find<QLabel>(*window, QStringLiteral("lblRitu"))->text(), rate);
    }
}

void TestVocabra::manualSaveKeepsTheModeThePlayHad()
{
    Room room(QStringLiteral("1,60,\"２文字\",\"答数\",0"));
    const auto window = room.open();
    startPlay(*window, room.clock);
    QCOMPARE(find<QLabel>(*window, QStringLiteral("lblMondai"))->text(), QStringLiteral("らいらい"));
    room.clock.advanceMilliseconds(5000);
    window->tmrPlay_Timer();
    typeAnswer(*window, QStringLiteral("らいらいけん"));
    QVERIFY(!room.folder.contains(u"ボキャブラ履歴.txt")); // manual mode: nothing saved yet

    auto *modes = find<QComboBox>(*window, QStringLiteral("cboMode"));
    modes->setCurrentText(kOne);
    Q_EMIT modes->activated(modes->currentIndex());
    click(*window, "cmdHozon");
    QCOMPARE(readBytes(room.file(u"ボキャブラ履歴.txt")),
             sjis(QStringLiteral("\"2024/05/18\",\"07:00:08\",1,0,6,1,\"100.0%\",\"1.20/秒\",\"5秒\",\"２\"\n")));
    QCOMPARE(readBytes(room.file(u"データ.txt")),
             sjis(QStringLiteral("\"2024/05/18\",\"07:00:08\",\"ボキャブラ\",5,\"答数 : 1  ２文字モード\",\n")));
}

void TestVocabra::unreadableListIsReportedAndLeftAlone_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("canStart");
    QTest::newRow("kana list") << QStringLiteral("ボキャブラかな.TXT") << false;
    QTest::newRow("banned list") << QStringLiteral("ボキャブラ不要.TXT") << true;
}

void TestVocabra::unreadableListIsReportedAndLeftAlone()
{
    QFETCH(QString, name);
    QFETCH(bool, canStart);
    Room room(QStringLiteral("1,60,\"１文字\",\"答数\",1"));
    const QString path = room.folder.path(name);
    QVERIFY(QFile::remove(path));
    QVERIFY(QDir().mkpath(path)); // there, but no file to read
    const auto window = room.open();
    QCOMPARE(room.messages.shown().size(), 1);
    QCOMPARE(room.messages.shown().first().icon, ScriptedMessageBoxes::Icon::Critical);
    QVERIFY(room.messages.shown().first().text.contains(name));
    QVERIFY(QFileInfo(path).isDir());

    click(*window, "cmdStart");
    QCOMPARE(!find<QPushButton>(*window, QStringLiteral("cmdStart"))->isEnabled(), canStart);
}

QTEST_MAIN(TestVocabra)
#include "tst_vocabra.moc"
