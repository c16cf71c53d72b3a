#include "FakeClock.h"
#include "ScriptedMessageBoxes.h"
#include "SequenceRandom.h"
#include "TestFiles.h"
#include "Widgets.h"

#include "games/common/PersonalBest.h"
#include "games/common/ProgramState.h"
#include "games/karapani/KarapaniPlay.h"
#include "games/karapani/KarapaniRules.h"
#include "games/karapani/frmG6.h"
#include "platform/DataFolder.h"
#include "platform/RandomSource.h"
#include "records/RecordStore.h"
#include "records/Services.h"
#include "ui/Colors.h"
#include "ui/Shape.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace kotohana;
using namespace kotohana::test;
using KarapaniRules::Question;
using KarapaniRules::Task;

namespace {

const QString kEasy = QStringLiteral("E:イージー");
const QString kNormal = QStringLiteral("N:ノーマル");

PlaySetup countPlay(const QString &mode, int answers)
{
    PlaySetup setup;
    setup.timing = TimingMode::Count;
    setup.answers = answers;
    setup.mode = mode;
    return setup;
}

// Lets the countdown pass: the play takes answers from here on.
void begin(Play &play)
{
    for (int tick = 1; tick <= 3; ++tick)
        play.cycle().countdownTick(1000 * tick);
}

// A window's world: a data folder of its own, a clock standing still, questions drawn from a
// fixed sequence and scripted message boxes.
struct Desk {
    explicit Desk(QList<double> draws)
        : random(std::move(draws))
    {
    }

    QString file(const char16_t *name) const { return folder.path(QStringView(name)); }
    // Opens the window on these settings, its timers left to the test.
    std::unique_ptr<frmG6> open(const QString &settings)
    {
        writeBytes(file(u"カラパニ設定.txt"), sjis(settings + u'\n'));
        auto window = std::make_unique<frmG6>(services, state);
        window->Form_Load();
        stopTimers(*window);
        return window;
    }

    QTemporaryDir dir;
    FakeClock clock{QDateTime(QDate(2024, 5, 18), QTime(9, 0, 0))};
    SequenceRandom random;
    ScriptedMessageBoxes messages;
    DataFolder folder{dir.path()};
    RecordStore records{folder.path(PlayRecordFile::kFileName)};
    Services services{clock, random, messages, folder, records};
    ProgramState state;
};

void chooseLevel(const QWidget &window, const QString &level)
{
    auto *list = find<QComboBox>(window, QStringLiteral("cboHide"));
    list->setCurrentText(level);
    Q_EMIT list->activated(list->currentIndex());
}

} // namespace

class TestKarapani : public QObject
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
    void bestKeepsToTheLevelAndTheAnswerCount();
    void playThroughTheWindow();
    void indicatorShowsTheTaskOfTheQuestionOnScreen();
    void manualSaveKeepsTheLevelThePlayHad();
};

void TestKarapani::judging_data()
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

void TestKarapani::judging()
{
    QFETCH(int, task);
    QFETCH(int, word);
    QFETCH(int, colour);
    QFETCH(QString, typed);
    QFETCH(bool, right);
    QCOMPARE(KarapaniRules::judge(typed, Question{word, colour, Task(task)}), right);
}

void TestKarapani::drawsWordColourAndTask()
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

void TestKarapani::firstQuestionOfASeed()
{
    FakeClock clock(QDateTime(QDate(2024, 5, 18), QTime(9, 0, 0)));
    MersenneRandomSource random(clock, 6);
    KarapaniPlay play(countPlay(QStringLiteral("P:パニック"), 10), random);
    play.nextQuestion();
    QCOMPARE(play.question().word, 5);   // 黒
    QCOMPARE(play.question().colour, 3); // drawn in dark yellow
    QCOMPARE(play.question().task, Task::Colour);
}

void TestKarapani::answersAreJudgedWithoutSurroundingBlanks_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("right");
    QTest::addColumn<qint64>("characters");
    // 青 drawn in red.
    QTest::newRow("half-width blanks round the colour") << kNormal << QStringLiteral(" あか ") << true << qint64(2);
    QTest::newRow("ideographic blanks round the word") << kEasy << QStringLiteral("　青　") << true << qint64(1);
    QTest::newRow("a tab before the word") << kEasy << QStringLiteral("\tあお") << true << qint64(2);
    QTest::newRow("blanks do not make the word the colour") << kNormal << QStringLiteral(" あお ") << false
                                                            << qint64(0);
}

void TestKarapani::answersAreJudgedWithoutSurroundingBlanks()
{
    QFETCH(QString, mode);
    QFETCH(QString, typed);
    QFETCH(bool, right);
    QFETCH(qint64, characters);
    SequenceRandom random({0.3, 0.1});
    KarapaniPlay play(countPlay(mode, 10), random);
    begin(play);
    play.nextQuestion();
    const Outcome outcome = play.answer(typed);
    QVERIFY(outcome.counted);
    QCOMPARE(outcome.correct, right);
    QCOMPARE(play.typed(), characters);
}

// The history keeps the level's first character, and its first count is the answers.
void TestKarapani::bestKeepsToTheLevelAndTheAnswerCount()
{
    SequenceRandom random({0.3, 0.1}); // always 青 drawn in red
    KarapaniPlay play(countPlay(kEasy, 2), random);
    begin(play);
    play.nextQuestion();
    play.cycle().countTick(8000);
    QVERIFY(play.answer(QStringLiteral("あお")).correct);
    QVERIFY(play.answer(QStringLiteral("あか")).ended);

    QTemporaryDir dir;
    const HistoryLayout layout = frmG6::definition().history;
    const HistoryFile file(dir.filePath(QStringLiteral("カラパニ履歴.txt")), layout);
    writeBytes(file.path(),
               sjis(QStringLiteral("\"2024/05/17\",\"10:00:00\",2,1,1,2,\"50.0%\",\"0.33/秒\",\"6秒\",\"E\"\n"
                                   "\"2024/05/17\",\"11:00:00\",2,2,0,4,\"100.0%\",\"1.33/秒\",\"3秒\",\"N\"\n"
                                   "\"2024/05/17\",\"12:00:00\",3,3,0,6,\"100.0%\",\"1.50/秒\",\"2秒\",\"E\"\n")));
    QVERIFY(isPersonalBest(play, layout, file.readAll().rows));
    QVERIFY(file.append({QStringLiteral("2024/05/17"), QStringLiteral("13:00:00"), QStringLiteral("2"), QStringLiteral("1"),
                         QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("50.0%"), QStringLiteral("0.40/秒"),
                         QStringLiteral("5秒"), QStringLiteral("E")})
                .ok());
    QVERIFY(!isPersonalBest(play, layout, file.readAll().rows));
}

void TestKarapani::levelChosenDuringAPlayAsksFromTheNextQuestion()
{
    SequenceRandom random({0.3, 0.1}); // always 青 drawn in red
    KarapaniPlay play(countPlay(kEasy, 2), random);
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

void TestKarapani::playThroughTheWindow()
{
    QTemporaryDir dir;
    FakeClock clock(QDateTime(QDate(2024, 5, 18), QTime(9, 0, 0)));
    SequenceRandom random({0.3, 0.1, 0.7}); // 青 drawn in red; then the task draw
    ScriptedMessageBoxes messages;
    const DataFolder folder(dir.path());
    RecordStore records{folder.path(PlayRecordFile::kFileName)};
    const Services services{clock, random, messages, folder, records};
    ProgramState state;
    writeBytes(folder.path(u"カラパニ設定.txt"), sjis(QStringLiteral("3,60,\"P:パニック\",\"答数\",1\n")));
    frmG6 window(services, state);
    window.Form_Load();
    stopTimers(window);
    auto *task = window.findChild<QLabel *>(QStringLiteral("lblMode"));
    QCOMPARE(task->text(), QStringLiteral("混合")); // before the first question
    QCOMPARE(window.findChild<kotohana::Shape *>(QStringLiteral("shpMode"))->fillColor(), windowsColor(0x00C0C0));

    startPlay(window, clock);
    auto *question = window.findChild<QLabel *>(QStringLiteral("lblMondai"));
    QCOMPARE(question->text(), QStringLiteral("青"));
    QCOMPARE(question->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QCOMPARE(task->text(), QStringLiteral("色")); // 0.7 × 2 + 1 → the colour
    clock.advanceMilliseconds(6000);
    window.tmrPlay_Timer();
    auto *box = window.findChild<QLineEdit *>(QStringLiteral("txtKaitou"));
    const auto type = [&](const QString &text) { typeAnswer(window, text); };
    type(QStringLiteral("あお")); // the word, but the colour was asked
    QCOMPARE(question->text(), QStringLiteral("青")); // a wrong answer keeps the question
    QVERIFY(box->text().isEmpty());
    type(QStringLiteral("あか"));
    type(QStringLiteral("みどり")); // wrong again: the next question is 青 in red, the colour asked
    QCOMPARE(readBytes(folder.path(u"カラパニ履歴.txt")),
             sjis(QStringLiteral("\"2024/05/18\",\"09:00:09\",3,1,2,2,\"33.3%\",\"0.33/秒\",\"6秒\",\"P\"\n")));
    QCOMPARE(readBytes(folder.path(u"データ.txt")),
             sjis(QStringLiteral("\"2024/05/18\",\"09:00:09\",\"カラパニ\",6,\"答数 : 3  P:パニックモード\",\n")));
}

void TestKarapani::indicatorShowsTheTaskOfTheQuestionOnScreen()
{
    Desk desk({0.3, 0.1}); // always 青 drawn in red
    auto window = desk.open(QStringLiteral("3,60,\"E:イージー\",\"答数\",1"));
    auto *task = find<QLabel>(*window, QStringLiteral("lblMode"));
    auto *shape = find<kotohana::Shape>(*window, QStringLiteral("shpMode"));
    startPlay(*window, desk.clock);
    desk.clock.advanceMilliseconds(6000);
    window->tmrPlay_Timer();
    QCOMPARE(task->text(), QStringLiteral("文字"));

    chooseLevel(*window, kNormal);
    QCOMPARE(find<QLabel>(*window, QStringLiteral("lblPmode"))->text(), kNormal);
    QCOMPARE(task->text(), QStringLiteral("文字")); // 青 on screen is still read as written
    QCOMPARE(shape->fillColor(), windowsColor(0xC00000));
    typeAnswer(*window, QStringLiteral("あお"));
    QCOMPARE(find<QLabel>(*window, QStringLiteral("lblOk"))->text(), QStringLiteral("1"));
    QCOMPARE(task->text(), QStringLiteral("色")); // the next question asks the colour
    QCOMPARE(shape->fillColor(), windowsColor(0x0000C0));
    typeAnswer(*window, QStringLiteral("あお"));
    QCOMPARE(find<QLabel>(*window, QStringLiteral("lblNg"))->text(), QStringLiteral("1"));
    typeAnswer(*window, QStringLiteral("あか"));
    QCOMPARE(find<QLabel>(*window, QStringLiteral("lblOk"))->text(), QStringLiteral("2"));

    QCOMPARE(readBytes(desk.file(u"カラパニ履歴.txt")),
             sjis(QStringLiteral("\"2024/05/18\",\"09:00:09\",3,2,1,4,\"66.7%\",\"0.67/秒\",\"6秒\",\"N\"\n")));
}

void TestKarapani::manualSaveKeepsTheLevelThePlayHad()
{
    Desk desk({0.3, 0.1}); // always 青 drawn in red
    auto window = desk.open(QStringLiteral("1,60,\"N:ノーマル\",\"答数\",0"));
    startPlay(*window, desk.clock);
    desk.clock.advanceMilliseconds(4000);
    window->tmrPlay_Timer();
    typeAnswer(*window, QStringLiteral("あか"));
    QVERIFY(!desk.folder.contains(u"カラパニ履歴.txt")); // manual mode: nothing saved yet

    chooseLevel(*window, kEasy);
    QCOMPARE(find<QLabel>(*window, QStringLiteral("lblMode"))->text(), QStringLiteral("文字"));
    click(*window, "cmdHozon");
    QCOMPARE(readBytes(desk.file(u"カラパニ履歴.txt")),
             sjis(QStringLiteral("\"2024/05/18\",\"09:00:07\",1,1,0,2,\"100.0%\",\"0.50/秒\",\"4秒\",\"N\"\n")));
    QCOMPARE(readBytes(desk.file(u"データ.txt")),
             sjis(QStringLiteral("\"2024/05/18\",\"09:00:07\",\"カラパニ\",4,\"答数 : 1  N:ノーマルモード\",\n")));
}

QTEST_MAIN(TestKarapani)
#include "tst_karapani.moc"
