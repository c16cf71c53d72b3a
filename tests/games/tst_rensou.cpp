#include "FakeClock.h"
#include "ScriptedMessageBoxes.h"
#include "SequenceRandom.h"
#include "TestFiles.h"
#include "Widgets.h"

#include "games/common/HistoryPanel.h"
#include "games/common/ProgramState.h"
#include "games/rensou/RensouPlay.h"
#include "games/rensou/RensouRules.h"
#include "games/rensou/TopicFiles.h"
#include "games/rensou/frmG5.h"
#include "platform/DataFolder.h"
#include "platform/RandomSource.h"
#include "records/RecordStore.h"
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
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace kotohana;
using namespace kotohana::test;

class TestRensou : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    FakeClock m_clock;
    SequenceRandom m_random{{0.0}};
    ScriptedMessageBoxes m_messages;
    std::unique_ptr<DataFolder> m_folder;
    std::unique_ptr<RecordStore> m_records;
    std::unique_ptr<Services> m_services;
    ProgramState m_state;

    QString file(const QString &name) const { return m_folder->path(name); }

    std::unique_ptr<frmG5> open()
    {
        auto window = std::make_unique<frmG5>(*m_services, m_state);
        window->Form_Load();
        stopTimers(*window);
        return window;
    }


    void play(frmG5 &window, const QStringList &answers, qint64 elapsedMs = 5000)
    {
        click(window, "cmdStart2");
        for (int i = 0; i < 3; ++i) {
            m_clock.advanceMilliseconds(1000);
            window.tmrStart_Timer();
        }
        m_clock.advanceMilliseconds(elapsedMs);
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
        for (const ScriptedMessageBoxes::Shown &shown : m_messages.shown()) {
            if (shown.icon == ScriptedMessageBoxes::Icon::Critical && shown.text.contains(part))
                return true;
        }
        return false;
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_folder = std::make_unique<DataFolder>(m_dir->path());
        m_records = std::make_unique<RecordStore>(m_folder->path(PlayRecordFile::kFileName));
        m_services = std::make_unique<Services>(Services{m_clock, m_random, m_messages, *m_folder, *m_records});
        m_state = ProgramState();
        m_clock.set(QDateTime(QDate(2024, 5, 18), QTime(20, 0, 0)));
        m_messages.forget();
        writeBytes(file(QStringLiteral("連想心理題目.txt")), sjis(QStringLiteral("好きな動物\n何?それ\n夏といえば\n")));
        writeBytes(file(QStringLiteral("連想心理設定.txt")), sjis(QStringLiteral("3,60,\"答数\",1\n")));
    }

    void rules();
    void topicsWithForbiddenCharactersAreSkipped();
    void topicsNamingAnotherFileTouchNothing();
    void answersAreNewExistingOrDuplicate();
    void clearingATopicStartsItAfresh();
    void topicHistoryHidesWhatItCovers();
    void playCountsItsAnswersUnderItsTopic();
    void preparingAPlayReportsFilesItCannotMake();
    void startDrawsTheSameFirstTopicForASeed();
    void manualSaveKeepsThePlaysTopic_data();
    void manualSaveKeepsThePlaysTopic();
    void topicCannotChangeDuringAPlay();
    void existingAnswersDoNotMoveTheLayout();
    void answersUseTheRoomThereIs();
    void bestHasMoreNewAnswers();
    void answersAreKeptAsTheFilesHoldThem_data();
    void answersAreKeptAsTheFilesHoldThem();
    void unreadableTopicFilesAreReportedAndKept_data();
    void unreadableTopicFilesAreReportedAndKept();
    void unreadableTopicListIsReportedAndKept();
};

void TestRensou::rules()
{
    using namespace RensouRules;
    QCOMPARE(forbiddenCharacter(QStringLiteral("何?それ")).value(), QChar(u'?'));
    QCOMPARE(forbiddenCharacter(QStringLiteral("a/b|c")).value(), QChar(u'|')); // the last in test order
    QCOMPARE(forbiddenCharacter(QStringLiteral("../上")).value(), QChar(u'/'));
    QVERIFY(!forbiddenCharacter(QStringLiteral("好きな動物")));
    QCOMPARE(classify(QStringLiteral("ネコ"), {QStringLiteral("ねこ")}, {}), Kind::New);
    QCOMPARE(classify(QStringLiteral("ねこ"), {QStringLiteral("ねこ")}, {QStringLiteral("ねこ")}), Kind::Duplicate);
    QCOMPARE(classify(QStringLiteral("ねこ"), {}, {QStringLiteral("ねこ")}), Kind::Existing);
    const std::vector<QStringList> log{{QStringLiteral("2024/05/17"), QStringLiteral("09:00:00"), QStringLiteral("004"), QStringLiteral("a")},
                                       {QStringLiteral("2024/05/18"), QStringLiteral("09:00:00"), QStringLiteral("002"), QStringLiteral("b")}};
    QCOMPARE(playOfTheDay(log, QStringLiteral("2024/05/18")), 3);
    QCOMPARE(playOfTheDay(log, QStringLiteral("2024/05/19")), 1);
    QCOMPARE(playOfTheDay({}, QStringLiteral("2024/05/19")), 1);
    // A hand-written number no day can hold counts as no play of the day.
    for (const QString &number : {QStringLiteral("3e9"), QStringLiteral("2147483647"), QStringLiteral("-5")}) {
        const std::vector<QStringList> edited{{QStringLiteral("2024/05/18"), QStringLiteral("09:00:00"), number, QStringLiteral("b")}};
        QCOMPARE(playOfTheDay(edited, QStringLiteral("2024/05/18")), 1);
    }
}

void TestRensou::topicsWithForbiddenCharactersAreSkipped()
{
    // A topic whose files would be the program's own (データ.txt, メモ.TXT) is skipped too.
    writeBytes(file(QStringLiteral("連想心理題目.txt")), sjis(QStringLiteral("データ\nメモ\n猫_履歴\n")));
    auto skipped = open();
    QCOMPARE(m_messages.shown().size(), 1); // one message lists them all
    QVERIFY(m_messages.shown().first().text.startsWith(QStringLiteral("データ はこのソフトのファイル")));
    QCOMPARE(find<QComboBox>(*skipped, QStringLiteral("cboMondai"))->count(), 0);
    click(*skipped, "cmdStart"); // nothing to ask: the play does not start
    QVERIFY(find<QPushButton>(*skipped, QStringLiteral("cmdStart"))->isEnabled());
    m_messages.forget();
    writeBytes(file(QStringLiteral("連想心理題目.txt")), sjis(QStringLiteral("問?\n").repeated(12)));
    open(); // a long list: the first ten, then how many more
    QVERIFY(m_messages.shown().last().text.endsWith(QStringLiteral("飛ばします\nほかに 2 件の問いも飛ばします")));
    QCOMPARE(m_messages.shown().last().text.count(u'\n'), 10);
    m_messages.forget();
    writeBytes(file(QStringLiteral("連想心理題目.txt")), sjis(QStringLiteral("好きな動物\n何?それ\n夏といえば\n")));

    auto window = open();
    QCOMPARE(m_messages.shown().size(), 1);
    QCOMPARE(m_messages.shown().first().title, QStringLiteral("不正文字"));
    QCOMPARE(m_messages.shown().first().text, QStringLiteral("何?それ に含まれる ? は使えませんので飛ばします"));
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
               sjis(QStringLiteral("データ.txt")) + QByteArray("\0\r\n", 3) + sjis(QStringLiteral("好きな動物\nメモ\tあ\nえ..\n猫"))
                   + QByteArray("\x7f\r\n"));
    auto window = open();
    QCOMPARE(m_messages.shown().size(), 1);
    QCOMPARE(m_messages.shown().at(0).title, QStringLiteral("不正文字"));
    QCOMPARE(m_messages.shown().at(0).text, QStringLiteral("データ.txt\uFFFD に含まれる 制御文字 U+0000 は使えませんので飛ばします\n"
                                                           "メモ\uFFFDあ に含まれる 制御文字 U+0009 は使えませんので飛ばします\n"
                                                           "え.. はファイルの名前に使えないため飛ばします\n"
                                                           "猫\uFFFD に含まれる 制御文字 U+007F は使えませんので飛ばします"));
    QCOMPARE(find<QComboBox>(*window, QStringLiteral("cboMondai"))->count(), 1);
    click(*window, "cmdSyousai");
    QCOMPARE(readBytes(file(QStringLiteral("データ.txt"))), records);

    // The topic's files refuse such a name by themselves too.
    const TopicFiles files(*m_folder, QStringLiteral("データ.txt") + QChar(u'\0'));
    QVERIFY(files.open().failure.startsWith(QStringLiteral("問い「データ.txt\uFFFD」")));
    QVERIFY(!files.addAnswer(QStringLiteral("ねこ")).ok());
    QVERIFY(!files.logAnswer(m_clock.now(), 1, QStringLiteral("ねこ")).ok());
    QVERIFY(!files.clear().ok());
    QCOMPARE(readBytes(file(QStringLiteral("データ.txt"))), records);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files, QDir::Name),
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
    QCOMPARE(readBytes(file(QStringLiteral("好きな動物.txt"))), sjis(QStringLiteral("ねこ\nネコ\n")));
    QCOMPARE(readBytes(file(QStringLiteral("好きな動物_履歴.txt"))),
             sjis(QStringLiteral("\"2024/05/18\",\"20:00:08\",\"001\",\"ねこ\"\n"
                                 "\"2024/05/18\",\"20:00:08\",\"001\",\"ねこ\"\n"
                                 "\"2024/05/18\",\"20:00:08\",\"001\",\"ネコ\"\n")));
    QCOMPARE(readBytes(file(QStringLiteral("連想心理履歴.txt"))),
             sjis(QStringLiteral("\"2024/05/18\",\"20:00:08\",\"好きな動物\",3,2,0,1,6,\"1.20/秒\",\"5秒\"\n")));
    QCOMPARE(readBytes(file(QStringLiteral("データ.txt"))),
             sjis(QStringLiteral("\"2024/05/18\",\"20:00:08\",\"連想心理\",5,\"答数 : 3\",\n")));
    QCOMPARE(find<Grid>(*window, QStringLiteral("msgRireki"))->textMatrix(1, 1), QStringLiteral("24/05/18"));
    QCOMPARE(find<Grid>(*window, QStringLiteral("msgRireki"))->textMatrix(1, 2), QStringLiteral("20:00"));

    // The next play of the day: earlier answers are existing, the play is number 2.
    play(*window, {QStringLiteral("ねこ"), QStringLiteral("いぬ"), QStringLiteral("😺")});
    QCOMPARE(m_messages.shown().last().icon, ScriptedMessageBoxes::Icon::Critical); // not storable
    QCOMPARE(label(*window, "lblMoji_T"), QStringLiteral("2")); // the refused answer counts nothing
    click(*window, "cmdStart2"); // no new play while this one runs
    typeAnswer(*window, QStringLiteral("うさぎ"));
    QCOMPARE(label(*window, "lblChu"), QStringLiteral("1"));
    QCOMPARE(label(*window, "lblOk"), QStringLiteral("2"));
    QCOMPARE(label(*window, "lblMoji_T"), QStringLiteral("3"));
    QVERIFY(readBytes(file(QStringLiteral("好きな動物_履歴.txt"))).endsWith(sjis(QStringLiteral("\"002\",\"うさぎ\"\n"))));

    // Another day starts again at 001.
    m_clock.set(QDateTime(QDate(2024, 5, 19), QTime(8, 0, 0)));
    play(*window, {QStringLiteral("とり"), QStringLiteral("うま"), QStringLiteral("うし")});
    QVERIFY(readBytes(file(QStringLiteral("好きな動物_履歴.txt"))).endsWith(sjis(QStringLiteral("\"001\",\"うし\"\n"))));
}

void TestRensou::clearingATopicStartsItAfresh()
{
    auto window = open();
    play(*window, {QStringLiteral("ねこ"), QStringLiteral("いぬ"), QStringLiteral("うさぎ")});
    QTest::mouseClick(find<QPushButton>(*window, QStringLiteral("cmdSyousai")), Qt::LeftButton);
    QCOMPARE(find<QListWidget>(*window, QStringLiteral("lstRendata2"))->count(), 3);
    QCOMPARE(find<Grid>(*window, QStringLiteral("msgRireki3"))->rows(), 4);
    m_messages.answerNext(true);
    QTest::mouseClick(find<QPushButton>(*window, QStringLiteral("cmdRenClr")), Qt::LeftButton);
    QCOMPARE(m_messages.shown().last().text, QStringLiteral("好きな動物のデータをクリアします。よろしいですか？"));
    QCOMPARE(readBytes(file(QStringLiteral("好きな動物.txt"))), QByteArray());
    QCOMPARE(readBytes(file(QStringLiteral("好きな動物_履歴.txt"))), QByteArray());
    QTest::mouseClick(find<QPushButton>(*window, QStringLiteral("cmdModoru")), Qt::LeftButton);
    play(*window, {QStringLiteral("ねこ"), QStringLiteral("いぬ"), QStringLiteral("うさぎ")});
    QCOMPARE(label(*window, "lblOk"), QStringLiteral("3"));
    QVERIFY(readBytes(file(QStringLiteral("好きな動物_履歴.txt"))).startsWith(sjis(QStringLiteral("\"2024/05/18\",\"20:00:16\",\"001\""))));
}

// The topic history lies over the play area: what it covers is out of reach of Tab and of a
// screen reader, and comes back as it was, the focus too.
void TestRensou::topicHistoryHidesWhatItCovers()
{
    auto window = open();
    auto *button = find<QPushButton>(*window, QStringLiteral("cmdSyousai"));
    const QList<QWidget *> covered = {button, find<QLineEdit>(*window, QStringLiteral("txtKaitou")), find<Grid>(*window, QStringLiteral("msgRireki2"))};
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

void TestRensou::playCountsItsAnswersUnderItsTopic()
{
    writeBytes(file(QStringLiteral("好きな動物.txt")), sjis(QStringLiteral("ねこ\n")));
    writeBytes(file(QStringLiteral("好きな動物_履歴.txt")),
               sjis(QStringLiteral("\"2024/05/18\",\"09:00:00\",\"002\",\"ねこ\"\n")));
    PlaySetup setup;
    setup.timing = TimingMode::Count;
    setup.answers = 3;
    setup.topic = QStringLiteral("好きな動物");
    RensouPlay::Prepared prepared = RensouPlay::prepare(setup, *m_folder, m_clock.today());
    QVERIFY2(prepared.play, qPrintable(prepared.failure));
    RensouPlay *play = prepared.play.get();
    QCOMPARE(play->playOfTheDay(), 3);
    // During the countdown nothing counts and nothing is written.
    QVERIFY(!play->answer(QStringLiteral("いぬ"), m_clock.now()).outcome.counted);
    QVERIFY(!play->answered());
    QCOMPARE(readBytes(file(QStringLiteral("好きな動物.txt"))), sjis(QStringLiteral("ねこ\n")));

    for (int tick = 1; tick <= 3; ++tick)
        play->cycle().countdownTick(tick * 1000);
    play->cycle().countTick(5000); // two seconds into the play
    const QList<RensouRules::Kind> kinds{RensouRules::Kind::Existing, RensouRules::Kind::New,
                                         RensouRules::Kind::Duplicate};
    const QStringList answers{QStringLiteral("ねこ"), QStringLiteral("いぬ"), QStringLiteral("いぬ")};
    for (qsizetype i = 0; i < answers.size(); ++i) {
        const RensouPlay::Given given = play->answer(answers[i], m_clock.now());
        QVERIFY(given.outcome.counted);
        QCOMPARE(given.kind, kinds[i]);
        QCOMPARE(given.outcome.ended, i == answers.size() - 1);
    }
    QVERIFY(play->answered());
    QVERIFY(!play->answer(QStringLiteral("うま"), m_clock.now()).outcome.counted); // the play is over
    QCOMPARE(play->historyFields(),
             (HistoryRow{QStringLiteral("好きな動物"), QStringLiteral("3"), QStringLiteral("1"), QStringLiteral("1"),
                         QStringLiteral("1"), QStringLiteral("6"), QStringLiteral("3.00/秒"), QStringLiteral("2秒")}));
    QCOMPARE(readBytes(file(QStringLiteral("好きな動物.txt"))), sjis(QStringLiteral("ねこ\nいぬ\n")));
    QVERIFY(readBytes(file(QStringLiteral("好きな動物_履歴.txt")))
                .endsWith(sjis(QStringLiteral("\"2024/05/18\",\"20:00:00\",\"003\",\"いぬ\"\n"))));
}

void TestRensou::preparingAPlayReportsFilesItCannotMake()
{
    const DataFolder gone(m_dir->filePath(QStringLiteral("消えたフォルダ")));
    PlaySetup setup;
    setup.topic = QStringLiteral("好きな動物");
    const RensouPlay::Prepared prepared = RensouPlay::prepare(setup, gone, m_clock.today());
    QVERIFY(!prepared.play);
    QVERIFY(prepared.failure.contains(QStringLiteral("「好きな動物.txt」")));
    QVERIFY(prepared.failure.contains(QStringLiteral("「好きな動物_履歴.txt」")));
}

void TestRensou::startDrawsTheSameFirstTopicForASeed()
{
    writeBytes(file(QStringLiteral("連想心理題目.txt")),
               sjis(QStringLiteral("好きな動物\n夏といえば\n冬といえば\n赤いもの\n丸いもの\n")));
    FakeClock clock(QDateTime(QDate(2024, 5, 18), QTime(20, 0, 0)));
    MersenneRandomSource random(clock, 2024);
    RecordStore records(m_folder->path(PlayRecordFile::kFileName));
    const Services services{clock, random, m_messages, *m_folder, records};
    frmG5 window(services, m_state);
    window.Form_Load();
    stopTimers(window);
    click(window, "cmdStart");
    QCOMPARE(find<QLabel>(window, QStringLiteral("lblMondai"))->text(), QStringLiteral("冬といえば"));
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

// In count mode too, a best is more new answers, whatever its time, than the topic's plays.
void TestRensou::bestHasMoreNewAnswers()
{
    writeBytes(file(QStringLiteral("連想心理履歴.txt")),
               sjis(QStringLiteral("\"2024/05/17\",\"09:00:00\",\"好きな動物\",3,2,1,0,6,\"3.00/秒\",\"1秒\"\n"
                                   "\"2024/05/17\",\"09:10:00\",\"夏といえば\",3,3,0,0,10,\"1.00/秒\",\"5秒\"\n")));
    auto window = open();
    auto *best = find<QLabel>(*window, QStringLiteral("lblBest"));
    play(*window, {QStringLiteral("ねこ"), QStringLiteral("いぬ"), QStringLiteral("うさぎ")}, 30000);
    QVERIFY(!best->isHidden());
    QCOMPARE(label(*window, "lblRitu"), QStringLiteral("100%"));

    // The same answers again are all existing now.
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
    const TopicFiles topic(*m_folder, QStringLiteral("好きな動物"));
    for (int i = 0; i < 42; ++i)
        QVERIFY(topic.addAnswer(QString::number(i)).ok() && topic.logAnswer(m_clock.now(), 1, QString::number(i)).ok());
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
        m_clock.advanceMilliseconds(1000);
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

void TestRensou::answersAreKeptAsTheFilesHoldThem_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::newRow("comma") << QStringLiteral("a,b") << QStringLiteral("a，b");
    QTest::newRow("double quotes") << QStringLiteral("\"a\"") << QStringLiteral("＂a＂");
    QTest::newRow("blanks around") << QStringLiteral(" ねこ\u3000") << QStringLiteral("ねこ");
}

void TestRensou::answersAreKeptAsTheFilesHoldThem()
{
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    writeBytes(file(QStringLiteral("連想心理設定.txt")), sjis(QStringLiteral("1,60,\"答数\",1\n")));
    auto window = open();
    play(*window, {typed});
    QCOMPARE(find<Grid>(*window, QStringLiteral("msgRireki2"))->textMatrix(1, 1), kept);
    // Given again in the next play, the answer is known to the topic.
    play(*window, {typed});
    QCOMPARE(label(*window, "lblChu"), QStringLiteral("1"));
    QCOMPARE(label(*window, "lblOk"), QStringLiteral("0"));
    QCOMPARE(readBytes(file(QStringLiteral("好きな動物.txt"))), sjis(kept + QStringLiteral("\n")));
    QCOMPARE(readBytes(file(QStringLiteral("好きな動物_履歴.txt"))),
             sjis(QStringLiteral("\"2024/05/18\",\"20:00:08\",\"001\",\"%1\"\n"
                                 "\"2024/05/18\",\"20:00:16\",\"002\",\"%1\"\n")
                      .arg(kept)));
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
    QVERIFY(QDir(m_dir->path()).mkdir(blocked));
    const QString named = QStringLiteral("「%1」").arg(blocked);
    auto window = open();
    QVERIFY(!shownCritical(named)); // loading does not touch a topic's files

    chooseTopic(*window, 0);
    QVERIFY(shownCritical(named));
    m_messages.forget();
    click(*window, "cmdStart2");
    QVERIFY(shownCritical(named));
    QVERIFY(find<QPushButton>(*window, QStringLiteral("cmdStart"))->isEnabled()); // no play
    QVERIFY(!window->play());
    m_messages.forget();
    click(*window, "cmdSyousai");
    QVERIFY(shownCritical(named));
    QVERIFY(QFileInfo(file(blocked)).isDir());
    QVERIFY(QDir(file(blocked)).isEmpty());
}

void TestRensou::unreadableTopicListIsReportedAndKept()
{
    QFile::remove(file(QStringLiteral("連想心理題目.txt")));
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("連想心理題目.txt")));
    auto window = open();
    QVERIFY(shownCritical(QStringLiteral("「連想心理題目.txt」")));
    QCOMPARE(find<QComboBox>(*window, QStringLiteral("cboMondai"))->count(), 0);
    QVERIFY(QFileInfo(file(QStringLiteral("連想心理題目.txt"))).isDir());
}

QTEST_MAIN(TestRensou)
#include "tst_rensou.moc"
