#include "Desk.h"
#include "TestFiles.h"
#include "Widgets.h"

#include "games/common/HistoryPanel.h"
#include "games/common/ProgramState.h"
#include "games/rensou/TopicFiles.h"
#include "games/rensou/frmG5.h"
#include "records/Services.h"
#include "ui/Colors.h"
#include "ui/Grid.h"
#include "ui/GridModel.h"

#include <QAccessible>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <memory>
#include <optional>

using namespace kotohana;
using namespace kotohana::test;

class TestRensou : public QObject
{
    Q_OBJECT

private:
    std::optional<Desk> m_desk;
    ProgramState m_state;

    QString file(const QString &name) const { return m_desk->file(name); }
    std::unique_ptr<frmG5> open() { return openGame<frmG5>(m_desk->services, m_state); }

    void play(frmG5 &window, const QStringList &answers, qint64 elapsedMs = 5000)
    {
        click(window, "cmdStart2");
        for (int i = 0; i < 3; ++i) {
            m_desk->clock.advanceMilliseconds(1000);
            window.tmrStart_Timer();
        }
        m_desk->clock.advanceMilliseconds(elapsedMs);
        window.tmrPlay_Timer();
        for (const QString &answer : answers)
            typeAnswer(window, answer);
    }

    QString label(const frmG5 &window, const char *name) { return find<QLabel>(window, QString::fromLatin1(name))->text(); }

    static void chooseTopic(frmG5 &window, int index)
    {
        auto *topics = find<QComboBox>(window, QStringLiteral("cboMondai"));
        topics->setCurrentIndex(index);
        Q_EMIT topics->activated(index);
    }

    static void clickHistoryRow(frmG5 &window, int row)
    {
        auto *list = find<Grid>(window, QStringLiteral("msgRireki"));
        list->setRow(row);
        Q_EMIT list->clicked();
    }

    // A play of another topic in the history, so that the list has a row to click.
    void writeSummerPlay()
    {
        writeBytes(file(QStringLiteral("連想心理履歴.txt")),
                   sjis(QStringLiteral("\"2024/05/17\",\"09:00:00\",\"夏といえば\",1,1,0,0,2,\"0.20/秒\",\"10秒\"\n")));
    }

    bool shownCritical(const QString &part) const
    {
        for (const ScriptedMessageBoxes::Shown &shown : m_desk->messages.shown()) {
            if (shown.icon == ScriptedMessageBoxes::Icon::Critical && shown.text.contains(part))
                return true;
        }
        return false;
    }

private Q_SLOTS:
    void init()
    {
        m_desk.emplace(QDateTime(QDate(2024, 5, 18), QTime(20, 0, 0)), QList<double>{0.0});
        m_state = ProgramState();
        writeBytes(file(QStringLiteral("連想心理題目.txt")), sjis(QStringLiteral("好きな動物\n何?それ\n夏といえば\n")));
        writeBytes(file(QStringLiteral("連想心理設定.txt")), sjis(QStringLiteral("3,60,\"答数\",1\n")));
    }

    void topicsWithForbiddenCharactersAreSkipped();
    void topicsNamingAnotherFileTouchNothing();
    void answersAreNewExistingOrDuplicate();
    void clearingATopicStartsItAfresh();
    void topicHistoryHidesWhatItCovers();
    void manualSaveKeepsThePlaysTopic_data();
    void manualSaveKeepsThePlaysTopic();
    void topicCannotChangeDuringAPlay();
    void existingAnswersDoNotMoveTheLayout();
    void answersUseTheRoomThereIs();
    void bestHasMoreNewAnswers();
    void answersAreShownAsKept();
    void unreadableTopicFilesAreReportedAndKept_data();
    void unreadableTopicFilesAreReportedAndKept();
    void unreadableTopicListIsReportedAndKept();
};

void TestRensou::topicsWithForbiddenCharactersAreSkipped()
{
    // A topic whose files would be the program's own (データ.txt, メモ.TXT) is skipped too.
    writeBytes(file(QStringLiteral("連想心理題目.txt")), sjis(QStringLiteral("データ\nメモ\n猫_履歴\n")));
    auto skipped = open();
    QCOMPARE(m_desk->messages.shown().size(), 1); // one message lists them all
    QVERIFY(m_desk->messages.shown().first().text.startsWith(QStringLiteral("データ はこのソフトのファイル")));
    QCOMPARE(find<QComboBox>(*skipped, QStringLiteral("cboMondai"))->count(), 0);
    click(*skipped, "cmdStart"); // nothing to ask: the play does not start
    QVERIFY(find<QPushButton>(*skipped, QStringLiteral("cmdStart"))->isEnabled());
    m_desk->messages.forget();
    writeBytes(file(QStringLiteral("連想心理題目.txt")), sjis(QStringLiteral("問?\n").repeated(12)));
    open(); // a long list: the first ten, then how many more
    QVERIFY(m_desk->messages.shown().last().text.endsWith(QStringLiteral("飛ばします\nほかに 2 件の問いも飛ばします")));
    QCOMPARE(m_desk->messages.shown().last().text.count(u'\n'), 10);
    m_desk->messages.forget();
    writeBytes(file(QStringLiteral("連想心理題目.txt")), sjis(QStringLiteral("好きな動物\n何?それ\n夏といえば\n")));

    auto window = open();
    QCOMPARE(m_desk->messages.shown().size(), 1);
    QCOMPARE(m_desk->messages.shown().first().title, QStringLiteral("不正文字"));
    QCOMPARE(m_desk->messages.shown().first().text, QStringLiteral("何?それ に含まれる ? は使えませんので飛ばします"));
    auto *topics = find<QComboBox>(*window, QStringLiteral("cboMondai"));
    QCOMPARE(topics->count(), 2);
    QCOMPARE(topics->currentText(), QStringLiteral("好きな動物"));
    // スタート draws a topic: the first with a draw of 0.
    QTest::mouseClick(find<QPushButton>(*window, QStringLiteral("cmdStart")), Qt::LeftButton);
    QCOMPARE(find<QLabel>(*window, QStringLiteral("lblMondai"))->text(), QStringLiteral("好きな動物"));
}

void TestRensou::topicsNamingAnotherFileTouchNothing()
{
    // The system cuts a name at a NUL: データ.txt<NUL>.txt would be データ.txt itself.
    const QByteArray records = sjis(QStringLiteral("\"2024/05/18\",\"09:00:00\",\"プラマイ\",60,\"秒数 : 60\",\n"));
    writeBytes(file(QStringLiteral("データ.txt")), records);
    writeBytes(file(QStringLiteral("連想心理題目.txt")),
               sjis(QStringLiteral("データ.txt")) + QByteArray("\0\r\n", 3)
                   + sjis(QStringLiteral("好きな動物\nメモ\tあ\nえ..\n猫")) + QByteArray("\x7f\r\n"));
    auto window = open();
    QCOMPARE(m_desk->messages.shown().size(), 1);
    QCOMPARE(m_desk->messages.shown().at(0).title, QStringLiteral("不正文字"));
    QCOMPARE(m_desk->messages.shown().at(0).text,
             QStringLiteral("データ.txt\uFFFD に含まれる 制御文字 U+0000 は使えませんので飛ばします\n"
                            "メモ\uFFFDあ に含まれる 制御文字 U+0009 は使えませんので飛ばします\n"
                            "え.. はファイルの名前に使えないため飛ばします\n"
                            "猫\uFFFD に含まれる 制御文字 U+007F は使えませんので飛ばします"));
    QCOMPARE(find<QComboBox>(*window, QStringLiteral("cboMondai"))->count(), 1);
    click(*window, "cmdSyousai");
    QCOMPARE(readBytes(file(QStringLiteral("データ.txt"))), records);

    QCOMPARE(QDir(m_desk->dir.path()).entryList(QDir::Files, QDir::Name),
             (QStringList{QStringLiteral("データ.txt"), QStringLiteral("好きな動物.txt"), QStringLiteral("好きな動物_履歴.txt"),
                          QStringLiteral("連想心理設定.txt"), QStringLiteral("連想心理題目.txt")}));
}

void TestRensou::answersAreNewExistingOrDuplicate()
{
    auto window = open();
    play(*window, {QStringLiteral("ねこ"), QStringLiteral("ねこ"), QStringLiteral("ネコ")});
    QCOMPARE(label(*window, "lblOk"), QStringLiteral("2"));
    QCOMPARE(label(*window, "lblNg"), QStringLiteral("1"));
    QCOMPARE(label(*window, "lblChu"), QStringLiteral("0"));
    QCOMPARE(label(*window, "lblMoji_T"), QStringLiteral("3"));
    auto *answers = find<Grid>(*window, QStringLiteral("msgRireki2"));
    QCOMPARE(answers->gridModel().backColor(1, 0), windowsColor(0xC0FFC0));
    QCOMPARE(answers->gridModel().backColor(2, 0), windowsColor(0xC0C0FF));
    QCOMPARE(readBytes(file(QStringLiteral("連想心理履歴.txt"))),
             sjis(QStringLiteral("\"2024/05/18\",\"20:00:08\",\"好きな動物\",3,2,0,1,6,\"1.20/秒\",\"5秒\"\n")));
    QCOMPARE(readBytes(file(QStringLiteral("データ.txt"))),
             sjis(QStringLiteral("\"2024/05/18\",\"20:00:08\",\"連想心理\",5,\"答数 : 3\",\n")));
    QCOMPARE(find<Grid>(*window, QStringLiteral("msgRireki"))->textMatrix(1, 1), QStringLiteral("24/05/18"));
    QCOMPARE(find<Grid>(*window, QStringLiteral("msgRireki"))->textMatrix(1, 2), QStringLiteral("20:00"));

    // The next play: an answer the files cannot hold is refused; no new play while this one runs.
    play(*window, {QStringLiteral("ねこ"), QStringLiteral("いぬ"), QStringLiteral("😺")});
    QCOMPARE(m_desk->messages.shown().last().icon, ScriptedMessageBoxes::Icon::Critical);
    click(*window, "cmdStart2");
    typeAnswer(*window, QStringLiteral("うさぎ"));
    QCOMPARE(label(*window, "lblChu"), QStringLiteral("1"));
    QCOMPARE(label(*window, "lblOk"), QStringLiteral("2"));
    QCOMPARE(label(*window, "lblMoji_T"), QStringLiteral("3"));
}

void TestRensou::clearingATopicStartsItAfresh()
{
    auto window = open();
    play(*window, {QStringLiteral("ねこ"), QStringLiteral("いぬ"), QStringLiteral("うさぎ")});
    QTest::mouseClick(find<QPushButton>(*window, QStringLiteral("cmdSyousai")), Qt::LeftButton);
    QCOMPARE(find<QListWidget>(*window, QStringLiteral("lstRendata2"))->count(), 3);
    QCOMPARE(find<Grid>(*window, QStringLiteral("msgRireki3"))->rows(), 4);
    m_desk->messages.answerNext(true);
    QTest::mouseClick(find<QPushButton>(*window, QStringLiteral("cmdRenClr")), Qt::LeftButton);
    QCOMPARE(m_desk->messages.shown().last().text, QStringLiteral("好きな動物のデータをクリアします。よろしいですか？"));
    QCOMPARE(readBytes(file(QStringLiteral("好きな動物.txt"))), QByteArray());
    QCOMPARE(readBytes(file(QStringLiteral("好きな動物_履歴.txt"))), QByteArray());
    QTest::mouseClick(find<QPushButton>(*window, QStringLiteral("cmdModoru")), Qt::LeftButton);
    play(*window, {QStringLiteral("ねこ"), QStringLiteral("いぬ"), QStringLiteral("うさぎ")});
    QCOMPARE(label(*window, "lblOk"), QStringLiteral("3"));
    QVERIFY(readBytes(file(QStringLiteral("好きな動物_履歴.txt")))
                .startsWith(sjis(QStringLiteral("\"2024/05/18\",\"20:00:16\",\"001\""))));
}

// The topic history lies over the play area: what it covers is out of reach of Tab and of a
// screen reader, and comes back as it was, the focus too.
void TestRensou::topicHistoryHidesWhatItCovers()
{
    auto window = open();
    auto *button = find<QPushButton>(*window, QStringLiteral("cmdSyousai"));
    const QList<QWidget *> covered = {button, find<QLineEdit>(*window, QStringLiteral("txtKaitou")),
                                      find<Grid>(*window, QStringLiteral("msgRireki2"))};
    button->setFocus();
    click(*window, "cmdSyousai");
    for (QWidget *control : covered)
        QVERIFY(QAccessible::queryAccessibleInterface(control)->state().invisible);
    QCOMPARE(window->focusWidget()->objectName(), QStringLiteral("cboMondai2"));
    click(*window, "cmdModoru");
    for (QWidget *control : covered)
        QVERIFY(control->isVisible());
    QVERIFY(find<QListWidget>(*window, QStringLiteral("lstRenData"))->isHidden()); // 既存非表示 as before
    QCOMPARE(window->focusWidget(), button);
}

void TestRensou::manualSaveKeepsThePlaysTopic_data()
{
    QTest::addColumn<bool>("byHistoryRow");
    QTest::newRow("another topic picked") << false;
    QTest::newRow("another history row clicked") << true;
}

void TestRensou::manualSaveKeepsThePlaysTopic()
{
    QFETCH(bool, byHistoryRow);
    writeBytes(file(QStringLiteral("連想心理設定.txt")), sjis(QStringLiteral("3,60,\"答数\",0\n")));
    writeSummerPlay();
    auto window = open();
    play(*window, {QStringLiteral("ねこ"), QStringLiteral("いぬ"), QStringLiteral("うさぎ")});
    if (byHistoryRow)
        clickHistoryRow(*window, 1);
    else
        chooseTopic(*window, 1);
    QCOMPARE(find<QLabel>(*window, QStringLiteral("lblMondai"))->text(), QStringLiteral("夏といえば"));
    click(*window, "cmdHozon");
    QCOMPARE(readBytes(file(QStringLiteral("連想心理履歴.txt"))),
             sjis(QStringLiteral("\"2024/05/17\",\"09:00:00\",\"夏といえば\",1,1,0,0,2,\"0.20/秒\",\"10秒\"\n"
                                 "\"2024/05/18\",\"20:00:08\",\"好きな動物\",3,3,0,0,7,\"1.40/秒\",\"5秒\"\n")));
    QCOMPARE(find<Grid>(*window, QStringLiteral("msgRireki"))->textMatrix(2, 3), QStringLiteral("好きな動物"));
}

// The best is shown beside the results of the play, the rate of a play without wrong answers too.
void TestRensou::bestHasMoreNewAnswers()
{
    writeBytes(file(QStringLiteral("連想心理履歴.txt")),
               sjis(QStringLiteral("\"2024/05/17\",\"09:00:00\",\"好きな動物\",3,2,1,0,6,\"3.00/秒\",\"1秒\"\n")));
    auto window = open();
    auto *best = find<QLabel>(*window, QStringLiteral("lblBest"));
    play(*window, {QStringLiteral("ねこ"), QStringLiteral("いぬ"), QStringLiteral("うさぎ")}, 30000);
    QVERIFY(!best->isHidden());
    QCOMPARE(label(*window, "lblRitu"), QStringLiteral("100%"));
    play(*window, {QStringLiteral("ねこ"), QStringLiteral("いぬ"), QStringLiteral("うま")}, 1000);
    QVERIFY(best->isHidden());
}

// Showing or hiding the topic's earlier answers leaves the window's layout where it was: the
// history list keeps its height.
void TestRensou::existingAnswersDoNotMoveTheLayout()
{
    writeSummerPlay();
    auto window = open();
    window->resize(1180, 780);
    window->show();
    auto *history = find<Grid>(*window, QStringLiteral("msgRireki"));
    click(*window, "optRendata");
    QCoreApplication::processEvents();
    const int height = history->height();
    click(*window, "optRendata2");
    QCoreApplication::processEvents();
    QCOMPARE(history->height(), height);
    window->cboMondai_Click();
    QCoreApplication::processEvents();
    QCOMPARE(history->height(), height);
}

// At either size no empty band lies under the topic's rows, the existing answers show many at
// once, and the topic history opens at its newest answer, shown whole.
void TestRensou::answersUseTheRoomThereIs()
{
    const TopicFiles topic(m_desk->folder, QStringLiteral("好きな動物"));
    for (int i = 0; i < 42; ++i)
        QVERIFY(topic.addAnswer(QString::number(i)).ok() && topic.logAnswer(m_desk->clock.now(), 1, QString::number(i)).ok());
    auto window = open();
    window->show();
    click(*window, "optRendata2");
    const auto *existing = find<QListWidget>(*window, QStringLiteral("lstRenData"));
    for (const QSize size : {window->size(), window->minimumSizeHint()}) {
        window->resize(size);
        QCoreApplication::processEvents();
        const QWidget *lowest = find<QWidget>(*window, QStringLiteral("optRendata2")); // of the topic's rows
        QVERIFY(lowest->parentWidget()->height() - lowest->geometry().bottom() <= 40);
        QVERIFY(existing->viewport()->height() >= 8 * existing->sizeHintForRow(0));
    }
    click(*window, "cmdSyousai");
    const auto *log = find<Grid>(*window, QStringLiteral("msgRireki3"));
    QTRY_VERIFY(log->visualRect(log->model()->index(41, 4)).top() >= 0);
    QVERIFY(log->visualRect(log->model()->index(41, 4)).bottom() < log->viewport()->height());
}

void TestRensou::topicCannotChangeDuringAPlay()
{
    writeSummerPlay();
    auto window = open();
    auto *topics = find<QComboBox>(*window, QStringLiteral("cboMondai"));
    auto *question = find<QLabel>(*window, QStringLiteral("lblMondai"));
    auto *startShown = find<QPushButton>(*window, QStringLiteral("cmdStart2"));
    click(*window, "cmdStart2");
    // Countdown: neither the list nor a history row changes the topic.
    QVERIFY(!topics->isEnabled());
    QVERIFY(!startShown->isEnabled());
    clickHistoryRow(*window, 1);
    QCOMPARE(topics->currentText(), QStringLiteral("好きな動物"));
    QCOMPARE(question->text(), QStringLiteral("好きな動物"));
    for (int i = 0; i < 3; ++i) {
        m_desk->clock.advanceMilliseconds(1000);
        window->tmrStart_Timer();
    }
    typeAnswer(*window, QStringLiteral("ねこ"));
    clickHistoryRow(*window, 1);
    window->cmdStart2_Click();
    QVERIFY(!topics->isEnabled());
    QCOMPARE(topics->currentText(), QStringLiteral("好きな動物"));
    QCOMPARE(question->text(), QStringLiteral("好きな動物"));
    typeAnswer(*window, QStringLiteral("いぬ"));
    typeAnswer(*window, QStringLiteral("うさぎ"));
    // Every answer went to the play's topic.
    QCOMPARE(readBytes(file(QStringLiteral("好きな動物.txt"))), sjis(QStringLiteral("ねこ\nいぬ\nうさぎ\n")));
    QVERIFY(!QFileInfo::exists(file(QStringLiteral("夏といえば.txt"))));
    QVERIFY(readBytes(file(QStringLiteral("連想心理履歴.txt"))).contains(sjis(QStringLiteral("\"好きな動物\",3,3,0,0"))));
    // Once the play is over the topic is free again.
    QVERIFY(topics->isEnabled());
    QVERIFY(startShown->isEnabled());
    clickHistoryRow(*window, 1);
    QCOMPARE(question->text(), QStringLiteral("夏といえば"));
}

void TestRensou::answersAreShownAsKept()
{
    auto window = open();
    play(*window, {QStringLiteral("a,b")});
    QCOMPARE(find<Grid>(*window, QStringLiteral("msgRireki2"))->textMatrix(1, 1), QStringLiteral("a，b"));
}

void TestRensou::unreadableTopicFilesAreReportedAndKept_data()
{
    QTest::addColumn<QString>("blocked");
    QTest::newRow("answer file") << QStringLiteral("好きな動物.txt");
    QTest::newRow("answer log") << QStringLiteral("好きな動物_履歴.txt");
}

void TestRensou::unreadableTopicFilesAreReportedAndKept()
{
    QFETCH(QString, blocked);
    // A folder in the file's place cannot be read, whoever runs the program.
    QVERIFY(QDir(m_desk->dir.path()).mkdir(blocked));
    const QString named = QStringLiteral("「%1」").arg(blocked);
    auto window = open();
    QVERIFY(!shownCritical(named)); // loading does not touch a topic's files

    chooseTopic(*window, 0);
    QVERIFY(shownCritical(named));
    m_desk->messages.forget();
    click(*window, "cmdStart2");
    QVERIFY(shownCritical(named));
    QVERIFY(find<QPushButton>(*window, QStringLiteral("cmdStart"))->isEnabled()); // no play
    QVERIFY(!window->play());
    m_desk->messages.forget();
    click(*window, "cmdSyousai");
    QVERIFY(shownCritical(named));
    QVERIFY(QFileInfo(file(blocked)).isDir());
    QVERIFY(QDir(file(blocked)).isEmpty());
}

void TestRensou::unreadableTopicListIsReportedAndKept()
{
    QFile::remove(file(QStringLiteral("連想心理題目.txt")));
    QVERIFY(QDir(m_desk->dir.path()).mkdir(QStringLiteral("連想心理題目.txt")));
    auto window = open();
    QVERIFY(shownCritical(QStringLiteral("「連想心理題目.txt」")));
    QCOMPARE(find<QComboBox>(*window, QStringLiteral("cboMondai"))->count(), 0);
    QVERIFY(QFileInfo(file(QStringLiteral("連想心理題目.txt"))).isDir());
}

QTEST_MAIN(TestRensou)
#include "tst_rensou.moc"
