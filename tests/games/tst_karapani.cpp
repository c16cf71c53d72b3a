#include "Desk.h"
#include "Plays.h"
#include "TestFiles.h"
#include "Widgets.h"

#include "games/common/PersonalBest.h"
#include "games/common/ProgramState.h"
#include "games/karapani/KarapaniPlay.h"
#include "games/karapani/frmG6.h"
#include "records/Services.h"
#include "ui/Colors.h"
#include "ui/Shape.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

using namespace kotohana;
using namespace kotohana::test;

namespace {

const QString kEasy = QStringLiteral("E:イージー");
const QString kNormal = QStringLiteral("N:ノーマル");

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

private:
    std::optional<Desk> m_desk;
    ProgramState m_state;

    // The window on these settings, its questions drawn from draws.
    std::unique_ptr<frmG6> open(QList<double> draws, const QString &settings)
    {
        m_desk.emplace(QDateTime(QDate(2024, 5, 18), QTime(9, 0, 0)), std::move(draws));
        writeBytes(m_desk->file(u"カラパニ設定.txt"), sjis(settings + u'\n'));
        return openGame<frmG6>(m_desk->services, m_state);
    }

private Q_SLOTS:
    void bestKeepsToTheLevelAndTheAnswerCount();
    void playThroughTheWindow();
    void indicatorShowsTheTaskOfTheQuestionOnScreen();
    void manualSaveKeepsTheLevelThePlayHad();
};

// The history keeps the level's first character, and its first count is the answers.
void TestKarapani::bestKeepsToTheLevelAndTheAnswerCount()
{
    SequenceRandom random({0.3, 0.1}); // always 青 drawn in red
    KarapaniPlay play(countPlay(2, kEasy), random);
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

void TestKarapani::playThroughTheWindow()
{
    auto window = open({0.3, 0.1, 0.7}, QStringLiteral("3,60,\"P:パニック\",\"答数\",1")); // 青 in red; the task draw
    auto *task = window->findChild<QLabel *>(QStringLiteral("lblMode"));
    QCOMPARE(task->text(), QStringLiteral("混合")); // before the first question
    QCOMPARE(window->findChild<kotohana::Shape *>(QStringLiteral("shpMode"))->fillColor(), windowsColor(0x00C0C0));

    startPlay(*window, m_desk->clock);
    auto *question = window->findChild<QLabel *>(QStringLiteral("lblMondai"));
    QCOMPARE(question->text(), QStringLiteral("青"));
    QCOMPARE(question->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QCOMPARE(task->text(), QStringLiteral("色")); // 0.7 × 2 + 1 → the colour
    m_desk->clock.advanceMilliseconds(6000);
    window->tmrPlay_Timer();
    auto *box = window->findChild<QLineEdit *>(QStringLiteral("txtKaitou"));
    const auto type = [&](const QString &text) { typeAnswer(*window, text); };
    type(QStringLiteral("あお")); // the word, but the colour was asked
    QCOMPARE(question->text(), QStringLiteral("青")); // a wrong answer keeps the question
    QVERIFY(box->text().isEmpty());
    type(QStringLiteral("あか"));
    type(QStringLiteral("みどり")); // wrong again: the next question is 青 in red, the colour asked
    QCOMPARE(readBytes(m_desk->file(u"カラパニ履歴.txt")),
             sjis(QStringLiteral("\"2024/05/18\",\"09:00:09\",3,1,2,2,\"33.3%\",\"0.33/秒\",\"6秒\",\"P\"\n")));
    QCOMPARE(readBytes(m_desk->file(u"データ.txt")),
             sjis(QStringLiteral("\"2024/05/18\",\"09:00:09\",\"カラパニ\",6,\"答数 : 3  P:パニックモード\",\n")));
}

void TestKarapani::indicatorShowsTheTaskOfTheQuestionOnScreen()
{
    auto window = open({0.3, 0.1}, QStringLiteral("3,60,\"E:イージー\",\"答数\",1")); // always 青 drawn in red
    auto *task = find<QLabel>(*window, QStringLiteral("lblMode"));
    auto *shape = find<kotohana::Shape>(*window, QStringLiteral("shpMode"));
    startPlay(*window, m_desk->clock);
    m_desk->clock.advanceMilliseconds(6000);
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
}

void TestKarapani::manualSaveKeepsTheLevelThePlayHad()
{
    auto window = open({0.3, 0.1}, QStringLiteral("1,60,\"N:ノーマル\",\"答数\",0")); // always 青 drawn in red
    startPlay(*window, m_desk->clock);
    m_desk->clock.advanceMilliseconds(4000);
    window->tmrPlay_Timer();
    typeAnswer(*window, QStringLiteral("あか"));
    QVERIFY(!m_desk->folder.contains(u"カラパニ履歴.txt")); // manual mode: nothing saved yet

    chooseLevel(*window, kEasy);
    QCOMPARE(find<QLabel>(*window, QStringLiteral("lblMode"))->text(), QStringLiteral("文字"));
    click(*window, "cmdHozon");
    QCOMPARE(readBytes(m_desk->file(u"カラパニ履歴.txt")),
             sjis(QStringLiteral("\"2024/05/18\",\"09:00:07\",1,1,0,2,\"100.0%\",\"0.50/秒\",\"4秒\",\"N\"\n")));
}

QTEST_MAIN(TestKarapani)
#include "tst_karapani.moc"
