#include "FakeClock.h"
#include "ScriptedMessageBoxes.h"
#include "SequenceRandom.h"
#include "TestFiles.h"
#include "Widgets.h"

#include "games/karapani/KarapaniRules.h"
#include "games/karapani/frmG6.h"
#include "platform/DataFolder.h"
#include "platform/ProgramState.h"
#include "platform/Services.h"
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

class TestKarapani : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void judging_data();
    void judging();
    void drawsWordColourAndTask();
    void playThroughTheWindow();
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

void TestKarapani::playThroughTheWindow()
{
    QTemporaryDir dir;
    FakeClock clock(QDateTime(QDate(2024, 5, 18), QTime(9, 0, 0)));
    SequenceRandom random({0.3, 0.1, 0.7}); // 青 drawn in red; then the task draw
    ScriptedMessageBoxes messages;
    const DataFolder folder(dir.path());
    const Services services{clock, random, messages, folder};
    ProgramState state;
    state.helpTourFlag = 0;
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

QTEST_MAIN(TestKarapani)
#include "tst_karapani.moc"
