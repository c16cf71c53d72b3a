#include "Desk.h"
#include "Plays.h"
#include "TestFiles.h"
#include "Widgets.h"

#include "games/barabara/BarabaraPlay.h"
#include "games/barabara/frmG3.h"
#include "games/common/PersonalBest.h"
#include "games/common/ProgramState.h"
#include "games/shiritori/ShiritoriPlay.h"
#include "games/shiritori/frmG2.h"
#include "games/yojijukugo/YojiPlay.h"
#include "games/yojijukugo/frmG4.h"
#include "records/Services.h"
#include "ui/Colors.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <memory>
#include <optional>

using namespace kotohana;
using namespace kotohana::test;

class TestWordGames : public QObject
{
    Q_OBJECT

private:
    std::optional<Desk> m_desk;
    ProgramState m_state;

    QString file(const char16_t *name) const { return m_desk->file(name); }
    template <typename Window>
    std::unique_ptr<Window> open()
    {
        return openGame<Window>(m_desk->services, m_state);
    }

    void start(GameWindow &window) { startPlay(window, m_desk->clock); }

    void elapse(GameWindow &window, qint64 ms)
    {
        m_desk->clock.advanceMilliseconds(ms);
        window.tmrPlay_Timer();
    }

    static void type(const QWidget &window, const QString &text) { typeAnswer(window, text); }

    static QStringList items(QListWidget *list)
    {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i)
            texts.append(list->item(i)->text());
        return texts;
    }

    // The game's history file holding these lines, as the game window reads it.
    std::vector<HistoryRow> history(const char16_t *name, const HistoryLayout &layout, const QString &lines) const
    {
        writeBytes(file(name), sjis(lines));
        return HistoryFile(file(name), layout).readAll().rows;
    }

    void useSettings(const char16_t *name, const QString &line) { writeBytes(file(name), sjis(line + u'\n')); }

    static QString windowText(const QWidget &window, int index)
    {
        return find<QLabel>(window, QStringLiteral("lblMondai%1").arg(index))->text();
    }
    // The four windows of 四熟虫喰 as the player sees them, an empty one as "□".
    static QString windows(const QWidget &window)
    {
        QString text;
        for (int i = 1; i <= 4; ++i) {
            const QString c = windowText(window, i);
            text += c.isEmpty() ? QStringLiteral("□") : c;
        }
        return text;
    }
    static bool windowOpen(const QWidget &window, int index)
    {
        return find<QLabel>(window, QStringLiteral("lblMondai%1").arg(index))->palette().color(QPalette::Window)
            == QColor(255, 255, 255);
    }
    static void chooseLevel(const QWidget &window, const QString &level)
    {
        auto *list = find<QComboBox>(window, QStringLiteral("cboHide"));
        list->setCurrentText(level);
        Q_EMIT list->activated(list->currentIndex());
    }

private Q_SLOTS:
    void init()
    {
        m_desk.emplace(QDateTime(QDate(2024, 5, 18), QTime(10, 0, 0)), 11);
        m_state = ProgramState();
    }

    void shiritoriPlayLearnsWords();
    void dictionaryListing();
    void missingDictionaryIsRestored();
    void unreadableDictionaryIsLeftAlone();
    void barabaraPlay();
    void yojiDesignatedWindows();
    void yojiEscapeRevealsTheIdiom();

    void shiritoriLearnsWordsWithoutBlanks();
    void escapeOutsidePlay_data();
    void escapeOutsidePlay();
    void yojiLevelChosenDuringAndAfterAPlay();
    void yojiSolvedListIsTheQuestionAsked();
    void yojiDesignatedWindowsOutliveTheWindow();
    void shiritoriBestCountsCorrectAnswers();
    void barabaraBestInCountModeIsTheTime();
    void yojiBestKeepsToItsLevel();
};

void TestWordGames::shiritoriPlayLearnsWords()
{
    writeBytes(file(u"しりとり辞書.txt"), sjis(QStringLiteral("ごりら\n")));
    useSettings(u"しりとり設定.txt", QStringLiteral("4,60,\"答数\",1"));
    auto window = open<frmG2>();
    QCOMPARE(find<QGroupBox>(*window, QStringLiteral("fraJisyo"))->title(), QStringLiteral("覚えた言葉 1個"));
    start(*window);
    QCOMPARE(find<QLabel>(*window, QStringLiteral("lblMondai"))->text(), QStringLiteral("ごりら"));
    elapse(*window, 5000);

    type(*window, QStringLiteral("ラッパ"));
    auto *chain = find<QListWidget>(*window, QStringLiteral("lstRireki"));
    // No word begins with ぱ: the player's own word is the computer's.
    QCOMPARE(items(chain), (QStringList{QStringLiteral("ごりら"), QStringLiteral("らっぱ"), QStringLiteral("らっぱ")}));
    type(*window, QStringLiteral("ﾊﾟﾝ"));
    QCOMPARE(m_desk->messages.shown().last().text, QStringLiteral("最後が『ん』じゃだめです！"));
    QCOMPARE(m_desk->messages.shown().last().icon, ScriptedMessageBoxes::Icon::Critical);
    type(*window, QStringLiteral("ぱせり"));
    type(*window, QStringLiteral("ぱせり"));

    // The fourth counted answer ended the play and saved it.
    QCOMPARE(m_desk->messages.shown().last().title, QStringLiteral("辞書追加"));
    QCOMPARE(m_desk->messages.shown().last().text, QStringLiteral("新しい文字を 2 個覚えました！"));
    QCOMPARE(find<QGroupBox>(*window, QStringLiteral("fraJisyo"))->title(), QStringLiteral("覚えた言葉 3個"));
    QCOMPARE(readBytes(file(u"しりとり履歴.txt")),
             sjis(QStringLiteral("\"2024/05/18\",\"10:00:08\",3,2,2,6,\"50.0%\",\"1.20/秒\",\"5秒\"\n")));
    QCOMPARE(readBytes(file(u"データ.txt")),
             sjis(QStringLiteral("\"2024/05/18\",\"10:00:08\",\"しりとり\",5,\"答数 : 4　新語 +2\",\n")));

    // Enter after the end clears the box and goes to "スタート".
    find<QLineEdit>(*window, QStringLiteral("txtKaitou"))->setText(QStringLiteral("りす"));
    QTest::keyClick(find<QLineEdit>(*window, QStringLiteral("txtKaitou")), Qt::Key_Return);
    QVERIFY(find<QLineEdit>(*window, QStringLiteral("txtKaitou"))->text().isEmpty());
    QCOMPARE(window->focusWidget(), find<QPushButton>(*window, QStringLiteral("cmdStart")));

    // The next play knows the learned words and never learns them twice.
    start(*window);
    m_desk->messages.forget();
    const QString first = find<QLabel>(*window, QStringLiteral("lblMondai"))->text();
    QVERIFY(QStringList({QStringLiteral("ごりら"), QStringLiteral("らっぱ"), QStringLiteral("ぱせり")}).contains(first));
}

void TestWordGames::dictionaryListing()
{
    writeBytes(file(u"しりとり辞書.txt"), sjis(QStringLiteral("ごりら\nらっぱ,ぱせり\nごりら\n")));
    auto window = open<frmG2>();
    QCOMPARE(find<QGroupBox>(*window, QStringLiteral("fraJisyo"))->title(), QStringLiteral("覚えた言葉 4個"));
    auto *listing = find<QListView>(*window, QStringLiteral("lstJisyo"));
    QStringList shown;
    for (int row = 0; row < listing->model()->rowCount(); ++row)
        shown.append(listing->model()->index(row, 0).data().toString());
    QCOMPARE(shown,
             (QStringList{QStringLiteral("ごりら"), QStringLiteral("らっぱ"), QStringLiteral("ぱせり"), QStringLiteral("ごりら")}));
    // The listing only shows the dictionary: no key opens an entry for editing.
    listing->setCurrentIndex(listing->model()->index(1, 0));
    for (const Qt::Key key : {Qt::Key_F2, Qt::Key_Return, Qt::Key_A})
        QTest::keyClick(listing, key);
    QVERIFY(!listing->findChild<QLineEdit *>());
    QCOMPARE(listing->model()->index(1, 0).data().toString(), QStringLiteral("らっぱ"));
    // The play's list covers the listing: out of sight, out of the Tab order.
    window->show();
    start(*window);
    QVERIFY(!listing->isVisible());
    QVERIFY(find<QListWidget>(*window, QStringLiteral("lstRireki"))->isVisible());
}

void TestWordGames::unreadableDictionaryIsLeftAlone()
{
    QVERIFY(QDir(m_desk->dir.path()).mkdir(QStringLiteral("しりとり辞書.txt"))); // there, but no file to read
    auto window = open<frmG2>();
    QCOMPARE(m_desk->messages.shown().size(), 1);
    QCOMPARE(m_desk->messages.shown().first().icon, ScriptedMessageBoxes::Icon::Critical);
    QVERIFY(QFileInfo(file(u"しりとり辞書.txt")).isDir());
    click(*window, "cmdStart");
    QVERIFY(find<QPushButton>(*window, QStringLiteral("cmdStart"))->isEnabled()); // no word, no play
}

void TestWordGames::missingDictionaryIsRestored()
{
    auto window = open<frmG3>();
    QCOMPARE(m_desk->messages.shown().size(), 1);
    QVERIFY(m_desk->messages.shown().first().text.contains(QStringLiteral("バラバラ辞書.txt")));
    QVERIFY(find<QListView>(*window, QStringLiteral("lstJisyo"))->model()->rowCount() > 100);
    QVERIFY(m_desk->folder.contains(u"バラバラ辞書.txt"));
}

void TestWordGames::barabaraPlay()
{
    // Two words of the same letters: only the one drawn is right.
    writeBytes(file(u"バラバラ辞書.txt"), sjis(QStringLiteral("ちから\nからち\n")));
    useSettings(u"バラバラ設定.txt", QStringLiteral("3,60,\"答数\",1"));
    auto window = open<frmG3>();
    QCOMPARE(find<QGroupBox>(*window, QStringLiteral("fraJisyo"))->title(), QStringLiteral("登録ワード一覧 2個"));
    start(*window);
    auto *question = find<QLabel>(*window, QStringLiteral("lblMondai"));
    QTest::keyClick(find<QLineEdit>(*window, QStringLiteral("txtKaitou")), Qt::Key_Escape);
    const QString answer = question->text();
    QVERIFY(answer == QStringLiteral("ちから") || answer == QStringLiteral("からち"));
    const QString other = answer == QStringLiteral("ちから") ? QStringLiteral("からち") : QStringLiteral("ちから");
    type(*window, other);
    QCOMPARE(m_desk->messages.shown().last().text, QStringLiteral("違います！！"));
    QCOMPARE(question->text(), answer); // a wrong answer leaves the question
    type(*window, QStringLiteral("チカラ"));
    elapse(*window, 4000);
    type(*window, answer); // revealed, then typed: right
    QCOMPARE(items(find<QListWidget>(*window, QStringLiteral("lstRireki"))), QStringList{answer});
    QCOMPARE(readBytes(file(u"バラバラ履歴.txt")),
             sjis(QStringLiteral("\"2024/05/18\",\"10:00:07\",3,1,2,3,\"33.3%\",\"0.75/秒\",\"4秒\"\n")));
    QCOMPARE(readBytes(file(u"データ.txt")), sjis(QStringLiteral("\"2024/05/18\",\"10:00:07\",\"バラバラ\",4,\"答数 : 3\",\n")));
}

void TestWordGames::yojiDesignatedWindows()
{
    writeBytes(file(u"四熟虫喰辞書.txt"), sjis(QStringLiteral("一石二鳥　いっせきにちょう\n")));
    useSettings(u"四熟虫喰設定.txt", QStringLiteral("10,60,\"S:指定\",\"秒数\",1"));
    auto window = open<frmG4>();
    QVERIFY(m_desk->messages.shown().isEmpty()); // the load shows the level without asking
    QTest::mouseClick(find<QPushButton>(*window, QStringLiteral("cmdStart")), Qt::LeftButton);
    QCOMPARE(m_desk->messages.shown().last().title, QStringLiteral("スタートチェック"));
    QCOMPARE(m_desk->messages.shown().last().icon, ScriptedMessageBoxes::Icon::Exclamation);
    QVERIFY(find<QPushButton>(*window, QStringLiteral("cmdStart"))->isEnabled());

    QTest::mouseClick(find<QLabel>(*window, QStringLiteral("lblMondai1")), Qt::LeftButton);
    QTest::mouseClick(find<QLabel>(*window, QStringLiteral("lblMondai3")), Qt::LeftButton);
    start(*window);
    QCOMPARE(windows(*window), QStringLiteral("一□二□"));
    QCOMPARE(find<QLabel>(*window, QStringLiteral("lblMondai2"))->palette().color(QPalette::Window), windowsColor(kButtonFace));
    type(*window, QStringLiteral("一石二鳥"));
    QCOMPARE(items(find<QListWidget>(*window, QStringLiteral("lstRireki"))), QStringList{QStringLiteral("一□二□")});

    // Choosing S again closes every window, and a start without one is refused.
    auto *level = find<QComboBox>(*window, QStringLiteral("cboHide"));
    Q_EMIT level->activated(level->currentIndex());
    QCOMPARE(m_desk->messages.shown().last().title, QStringLiteral("表示部指定"));
}

// Escape shows the idiom whole until the next question.
void TestWordGames::yojiEscapeRevealsTheIdiom()
{
    writeBytes(file(u"四熟虫喰辞書.txt"), sjis(QStringLiteral("一石二鳥　いっせきにちょう\nab\n")));
    useSettings(u"四熟虫喰設定.txt", QStringLiteral("2,60,\"2:ノーマル\",\"答数\",1"));
    auto window = open<frmG4>();
    QCOMPARE(find<QLabel>(*window, QStringLiteral("lblPmode"))->text(), QStringLiteral("2:ノーマル"));
    start(*window);
    QTest::keyClick(find<QLineEdit>(*window, QStringLiteral("txtKaitou")), Qt::Key_Escape);
    QCOMPARE(windows(*window), QStringLiteral("一石二鳥"));
    type(*window, QStringLiteral("一石二鳥"));
    QCOMPARE(items(find<QListWidget>(*window, QStringLiteral("lstRireki"))), QStringList{QStringLiteral("一石二鳥")});
    QCOMPARE(windows(*window).count(u'□'), 2);
}

// What is typed reaches the play as it was typed: the play leaves out the blanks around it.
void TestWordGames::shiritoriLearnsWordsWithoutBlanks()
{
    writeBytes(file(u"しりとり辞書.txt"), sjis(QStringLiteral("まど\n")));
    auto window = open<frmG2>();
    start(*window);
    type(*window, QStringLiteral("どあ　"));
    QCOMPARE(items(find<QListWidget>(*window, QStringLiteral("lstRireki"))),
             (QStringList{QStringLiteral("まど"), QStringLiteral("どあ"), QStringLiteral("どあ")}));
    QCOMPARE(readBytes(file(u"しりとり辞書.txt")), sjis(QStringLiteral("まど\nどあ\n")));
}

void TestWordGames::escapeOutsidePlay_data()
{
    QTest::addColumn<int>("game");
    QTest::addColumn<QString>("left");
    QTest::addColumn<bool>("focusToStart");
    QTest::newRow("しりとり leaves the text") << 2 << QStringLiteral("りんご") << false;
    QTest::newRow("バラバラ clears and goes to スタート") << 3 << QString() << true;
    QTest::newRow("四熟虫喰 clears") << 4 << QString() << false;
}

void TestWordGames::escapeOutsidePlay()
{
    QFETCH(int, game);
    QFETCH(QString, left);
    QFETCH(bool, focusToStart);
    writeBytes(file(u"しりとり辞書.txt"), sjis(QStringLiteral("まど\n")));
    writeBytes(file(u"バラバラ辞書.txt"), sjis(QStringLiteral("ちから\n")));
    writeBytes(file(u"四熟虫喰辞書.txt"), sjis(QStringLiteral("一石二鳥\n")));
    std::unique_ptr<GameWindow> window;
    if (game == 2)
        window = open<frmG2>();
    else if (game == 3)
        window = open<frmG3>();
    else
        window = open<frmG4>();
    auto *box = find<QLineEdit>(*window, QStringLiteral("txtKaitou"));
    box->setFocus();
    box->setText(QStringLiteral("りんご"));
    QTest::keyClick(box, Qt::Key_Escape);
    QCOMPARE(box->text(), left);
    QCOMPARE(window->focusWidget() == find<QPushButton>(*window, QStringLiteral("cmdStart")), focusToStart);
}

// The history's first count is the dictionary's size: a best is more correct answers.
void TestWordGames::shiritoriBestCountsCorrectAnswers()
{
    writeBytes(file(u"しりとり辞書.txt"), sjis(QStringLiteral("ごりら\n")));
    SequenceRandom random({0.0});
    ShiritoriPlay play({TimingMode::Time, 60, 10, {}, {}}, {QStringLiteral("ごりら")}, file(u"しりとり辞書.txt"), random);
    play.firstWord();
    begin(play);
    QVERIFY(play.answer(QStringLiteral("らくだ")).outcome.correct);
    QVERIFY(play.answer(QStringLiteral("だるま")).outcome.correct);
    QVERIFY(!play.answer(QStringLiteral("まかろん")).outcome.correct);
    QVERIFY(play.cycle().timeTick(63000)->ended);

    const HistoryLayout layout = frmG2::definition().history;
    const QString fewerCorrect = QStringLiteral("\"2024/05/17\",\"10:00:00\",5000,1,9,3,\"10.0%\",\"0.05/秒\",\"60秒\"\n");
    const QString otherLimit = QStringLiteral("\"2024/05/17\",\"11:00:00\",5000,9,0,27,\"100.0%\",\"0.30/秒\",\"30秒\"\n");
    QVERIFY(isPersonalBest(play, layout, history(u"しりとり履歴.txt", layout, fewerCorrect + otherLimit)));
    const QString asManyCorrect = QStringLiteral("\"2024/05/17\",\"12:00:00\",3,2,0,6,\"100.0%\",\"0.10/秒\",\"60秒\"\n");
    QVERIFY(!isPersonalBest(play, layout, history(u"しりとり履歴.txt", layout, fewerCorrect + asManyCorrect)));
}

// Answers in count mode are correct + wrong; of plays with as many correct answers, the faster
// is the best.
void TestWordGames::barabaraBestInCountModeIsTheTime()
{
    SequenceRandom random({0.0, 0.9, 0.0, 0.9});
    BarabaraPlay play(countPlay(3), {QStringLiteral("ちから")}, random);
    play.newQuestion();
    begin(play);
    play.cycle().countTick(23500);
    QVERIFY(!play.answer(QStringLiteral("からち")).outcome.correct);
    QVERIFY(play.answer(QStringLiteral("ちから")).outcome.correct);
    QVERIFY(play.answer(QStringLiteral("ちから")).outcome.ended);

    const HistoryLayout layout = frmG3::definition().history;
    const QString slower = QStringLiteral("\"2024/05/17\",\"10:00:00\",3,2,1,6,\"66.7%\",\"0.29/秒\",\"21秒\"\n");
    // Its first count says 3, but it had five answers.
    const QString fiveAnswers = QStringLiteral("\"2024/05/17\",\"11:00:00\",3,4,1,12,\"80.0%\",\"1.20/秒\",\"10秒\"\n");
    QVERIFY(isPersonalBest(play, layout, history(u"バラバラ履歴.txt", layout, slower + fiveAnswers)));
    const QString asFast = QStringLiteral("\"2024/05/17\",\"12:00:00\",3,2,1,6,\"66.7%\",\"0.29/秒\",\"20.5秒\"\n");
    QVERIFY(!isPersonalBest(play, layout, history(u"バラバラ履歴.txt", layout, slower + asFast)));
}

// The history keeps the level's first character; plays of other levels do not count.
void TestWordGames::yojiBestKeepsToItsLevel()
{
    SequenceRandom random({0.0, 0.5, 0.5});
    const YojiRules::Windows designated{};
    YojiPlay play({TimingMode::Time, 60, 10, QStringLiteral("2:ノーマル"), {}}, {QStringLiteral("一石二鳥")}, designated, random);
    play.newQuestion();
    begin(play);
    QVERIFY(play.answer(QStringLiteral("一石二鳥")).outcome.correct);
    QVERIFY(play.answer(QStringLiteral("一石二鳥")).outcome.correct);
    QVERIFY(play.cycle().timeTick(63000)->ended);

    const HistoryLayout layout = frmG4::definition().history;
    const QString lines = QStringLiteral("\"2024/05/17\",\"10:00:00\",1,1,0,4,\"100.0%\",\"0.07/秒\",\"60秒\",\"2\"\n"
                                         "\"2024/05/17\",\"11:00:00\",9,9,0,36,\"100.0%\",\"0.60/秒\",\"60秒\",\"1\"\n"
                                         "\"2024/05/17\",\"12:00:00\",9,9,0,36,\"100.0%\",\"0.40/秒\",\"90秒\",\"2\"\n");
    QVERIFY(isPersonalBest(play, layout, history(u"四熟虫喰履歴.txt", layout, lines)));
    const QString better = QStringLiteral("\"2024/05/17\",\"13:00:00\",3,3,0,12,\"100.0%\",\"0.20/秒\",\"60秒\",\"2\"\n");
    QVERIFY(!isPersonalBest(play, layout, history(u"四熟虫喰履歴.txt", layout, lines + better)));
}

void TestWordGames::yojiLevelChosenDuringAndAfterAPlay()
{
    writeBytes(file(u"四熟虫喰辞書.txt"), sjis(QStringLiteral("一石二鳥\n")));
    useSettings(u"四熟虫喰設定.txt", QStringLiteral("2,60,\"0:隠さない\",\"答数\",0"));
    auto window = open<frmG4>();
    start(*window);
    QCOMPARE(windows(*window), QStringLiteral("一石二鳥"));
    // A level chosen during the play leaves the question alone and rules the next one.
    chooseLevel(*window, QStringLiteral("3:ハード"));
    QCOMPARE(windows(*window), QStringLiteral("一石二鳥"));
    elapse(*window, 4000);
    type(*window, QStringLiteral("一石二鳥"));
    QCOMPARE(windows(*window).count(QStringLiteral("□")), 3);
    type(*window, QStringLiteral("一石二鳥"));
    QVERIFY(find<QPushButton>(*window, QStringLiteral("cmdStart"))->isEnabled());
    QVERIFY(!QFileInfo::exists(file(u"四熟虫喰履歴.txt"))); // manual saving

    // Once the play is over, the list no longer touches it.
    chooseLevel(*window, QStringLiteral("1:イージー"));
    click(*window, "cmdHozon");
    QCOMPARE(readBytes(file(u"四熟虫喰履歴.txt")),
             sjis(QStringLiteral("\"2024/05/18\",\"10:00:07\",2,2,0,8,\"100.0%\",\"2.00/秒\",\"4秒\",\"3\"\n")));
    QCOMPARE(readBytes(file(u"データ.txt")),
             sjis(QStringLiteral("\"2024/05/18\",\"10:00:07\",\"四熟虫喰\",4,\"答数 : 2  3:ハードモード\",\n")));
}

void TestWordGames::yojiSolvedListIsTheQuestionAsked()
{
    writeBytes(file(u"四熟虫喰辞書.txt"), sjis(QStringLiteral("一石二鳥\n")));
    useSettings(u"四熟虫喰設定.txt", QStringLiteral("5,60,\"0:隠さない\",\"答数\",1"));
    auto window = open<frmG4>();
    start(*window);
    type(*window, QStringLiteral("一石二鳥"));
    QCOMPARE(items(find<QListWidget>(*window, QStringLiteral("lstRireki"))), QStringList{QStringLiteral("一石二鳥")});
    // Choosing S closes the windows on screen: the solved list records them as they stand.
    chooseLevel(*window, QStringLiteral("S:指定"));
    QCOMPARE(windows(*window), QStringLiteral("□□□□"));
    type(*window, QStringLiteral("一石二鳥"));
    QCOMPARE(items(find<QListWidget>(*window, QStringLiteral("lstRireki"))),
             (QStringList{QStringLiteral("一石二鳥"), QStringLiteral("□□□□")}));
    // The next question opens only what the player opens: window 2.
    QTest::mouseClick(find<QLabel>(*window, QStringLiteral("lblMondai2")), Qt::LeftButton);
    type(*window, QStringLiteral("一石二鳥"));
    QCOMPARE(windows(*window), QStringLiteral("□石□□"));
}

void TestWordGames::yojiDesignatedWindowsOutliveTheWindow()
{
    writeBytes(file(u"四熟虫喰辞書.txt"), sjis(QStringLiteral("一石二鳥\n")));
    useSettings(u"四熟虫喰設定.txt", QStringLiteral("10,60,\"1:イージー\",\"秒数\",1"));
    auto window = open<frmG4>();
    chooseLevel(*window, QStringLiteral("S:指定"));
    QCOMPARE(m_desk->messages.shown().last().title, QStringLiteral("表示部指定"));
    QTest::mouseClick(find<QLabel>(*window, QStringLiteral("lblMondai1")), Qt::LeftButton);
    QTest::mouseClick(find<QLabel>(*window, QStringLiteral("lblMondai3")), Qt::LeftButton);
    click(*window, "cmdEnd");
    window.reset();

    m_desk->messages.forget();
    auto again = open<frmG4>();
    QCOMPARE(find<QLabel>(*again, QStringLiteral("lblPmode"))->text(), QStringLiteral("S:指定"));
    for (int i = 1; i <= 4; ++i)
        QCOMPARE(windowOpen(*again, i), i == 1 || i == 3);
    start(*again);
    QVERIFY(m_desk->messages.shown().isEmpty());
    QCOMPARE(windows(*again), QStringLiteral("一□二□"));
}

QTEST_MAIN(TestWordGames)
#include "tst_wordgames.moc"
