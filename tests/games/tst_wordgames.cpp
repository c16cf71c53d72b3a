#include "FakeClock.h"
#include "ScriptedMessageBoxes.h"
#include "SequenceRandom.h"
#include "TestFiles.h"
#include "Widgets.h"

#include "games/barabara/BarabaraRules.h"
#include "games/barabara/frmG3.h"
#include "games/shiritori/ShiritoriRules.h"
#include "games/shiritori/frmG2.h"
#include "games/yojijukugo/YojiRules.h"
#include "games/yojijukugo/frmG4.h"
#include "platform/DataFolder.h"
#include "platform/KanaConvert.h"
#include "platform/ProgramState.h"
#include "platform/Services.h"
#include "ui/Colors.h"
#include "ui/Grid.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace kotohana;
using namespace kotohana::test;

class TestWordGames : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    FakeClock m_clock;
    std::unique_ptr<RandomSource> m_random;
    ScriptedMessageBoxes m_messages;
    std::unique_ptr<DataFolder> m_folder;
    std::unique_ptr<Services> m_services;
    ProgramState m_state;

    QString file(const char16_t *name) const { return m_folder->path(QStringView(name)); }

    template <typename Window>
    std::unique_ptr<Window> open()
    {
        auto window = std::make_unique<Window>(*m_services, m_state);
        window->Form_Load();
        stopTimers(*window);
        return window;
    }


    void start(GameWindow &window) { startPlay(window, m_clock); }

    void elapse(GameWindow &window, qint64 ms)
    {
        m_clock.advanceMilliseconds(ms);
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

    void useSettings(const char16_t *name, const QString &line) { writeBytes(file(name), sjis(line + u'\n')); }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_folder = std::make_unique<DataFolder>(m_dir->path());
        m_random = std::make_unique<MersenneRandomSource>(m_clock, 11);
        m_services = std::make_unique<Services>(Services{m_clock, *m_random, m_messages, *m_folder});
        m_state = ProgramState();
        m_state.helpTourFlag = 0;
        m_clock.set(QDateTime(QDate(2024, 5, 18), QTime(10, 0, 0)));
        m_messages.forget();
    }

    void kanaConversion_data();
    void kanaConversion();
    void shiritoriRules();
    void shiritoriPlayLearnsWords();
    void shiritoriRefusesWordsItCannotStore();
    void missingDictionaryIsRestored();
    void unreadableDictionaryIsLeftAlone();
    void barabaraScramblesFairly();
    void barabaraPlay();
    void yojiRules();
    void yojiDesignatedWindows();
    void yojiPlaySavesItsLevel();
};

void TestWordGames::kanaConversion_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("converted");
    QTest::newRow("katakana") << QStringLiteral("ゴリラ") << QStringLiteral("ごりら");
    QTest::newRow("half-width with voiced marks") << QStringLiteral("ｶﾞｯｺｳ") << QStringLiteral("がっこう");
    QTest::newRow("half-width n") << QStringLiteral("ﾊﾟﾝ") << QStringLiteral("ぱん");
    QTest::newRow("long vowel kept") << QStringLiteral("ラーメン") << QStringLiteral("らーめん");
    QTest::newRow("half-width long vowel") << QStringLiteral("ｹｰｷ") << QStringLiteral("けーき");
    QTest::newRow("letters and digits") << QStringLiteral("abc12") << QStringLiteral("ａｂｃ１２");
    QTest::newRow("kanji unchanged") << QStringLiteral("猫") << QStringLiteral("猫");
}

void TestWordGames::kanaConversion()
{
    QFETCH(QString, typed);
    QFETCH(QString, converted);
    QCOMPARE(toFullWidthHiragana(typed), converted);
}

void TestWordGames::shiritoriRules()
{
    using namespace ShiritoriRules;
    QCOMPARE(chainKana(QStringLiteral("おもちゃ")), QStringLiteral("や"));
    QCOMPARE(chainKana(QStringLiteral("きって")), QStringLiteral("て"));
    QCOMPARE(chainKana(QStringLiteral("こっぷ")), QStringLiteral("ぷ"));
    QCOMPARE(chainKana(QStringLiteral("らっ")), QStringLiteral("っ"));
    const QStringList used{QStringLiteral("やかん"), QStringLiteral("やさい")};
    QCOMPARE(judge(QStringLiteral("やかん"), QStringLiteral("おもちゃ"), used), Verdict::EndsWithN);
    QCOMPARE(judge(QStringLiteral("やーー"), QStringLiteral("おもちゃ"), used), Verdict::EndsWithLong);
    QCOMPARE(judge(QStringLiteral("やさい"), QStringLiteral("おもちゃ"), used), Verdict::Repeated);
    QCOMPARE(judge(QStringLiteral("ちず"), QStringLiteral("おもちゃ"), used), Verdict::NoChain);
    QCOMPARE(judge(QStringLiteral("やま"), QStringLiteral("おもちゃ"), used), Verdict::Accepted);

    SequenceRandom random({0.99});
    const QStringList words{QStringLiteral("まど"), QStringLiteral("いす"), QStringLiteral("まめ"), QStringLiteral("まど")};
    QCOMPARE(reply(words, QStringLiteral("やま"), random).value(), QStringLiteral("まど")); // duplicates count
    QVERIFY(!reply(words, QStringLiteral("かぎ"), random));
}

void TestWordGames::shiritoriPlayLearnsWords()
{
    writeBytes(file(u"しりとり辞書.txt"), sjis(QStringLiteral("ごりら\n")));
    useSettings(u"しりとり設定.txt", QStringLiteral("4,60,\"答数\",1"));
    auto window = open<frmG2>();
    QCOMPARE(find<QGroupBox>(*window, QStringLiteral("fraJisyo"))->title(), QStringLiteral("覚えた言葉 1個"));
    start(*window);
    QCOMPARE(find<QLabel>(*window, QStringLiteral("lblMondai"))->text(), QStringLiteral("ごりら"));
    elapse(*window, 5000);

    type(*window, QStringLiteral("ラッパ")); // katakana is the hiragana word
    auto *chain = find<QListWidget>(*window, QStringLiteral("lstRireki"));
    // No word begins with ぱ: the player's own word is the computer's.
    QCOMPARE(items(chain), (QStringList{QStringLiteral("ごりら"), QStringLiteral("らっぱ"), QStringLiteral("らっぱ")}));
    QCOMPARE(readBytes(file(u"しりとり辞書.txt")), sjis(QStringLiteral("ごりら\nらっぱ\n")));

    type(*window, QStringLiteral("ﾊﾟﾝ"));
    QCOMPARE(m_messages.shown().last().text, QStringLiteral("最後が『ん』じゃだめです！"));
    QCOMPARE(m_messages.shown().last().icon, ScriptedMessageBoxes::Icon::Critical);
    type(*window, QStringLiteral("パセリー"));
    QCOMPARE(m_messages.shown().last().title, QStringLiteral("置き換え"));
    QCOMPARE(find<QLabel>(*window, QStringLiteral("lblMoji_T"))->text(), QStringLiteral("2")); // ー counts nothing
    type(*window, QStringLiteral("ぱせり"));
    type(*window, QStringLiteral("ぱせり"));
    QCOMPARE(m_messages.shown().at(m_messages.shown().size() - 2).text, QStringLiteral("既に使った回答です！"));

    // The fourth counted answer ended the play and saved it.
    QCOMPARE(m_messages.shown().last().title, QStringLiteral("辞書追加"));
    QCOMPARE(m_messages.shown().last().text, QStringLiteral("新しい文字を 2 個覚えました！"));
    QCOMPARE(find<QGroupBox>(*window, QStringLiteral("fraJisyo"))->title(), QStringLiteral("覚えた言葉 3個"));
    QCOMPARE(readBytes(file(u"しりとり履歴.txt")),
             sjis(QStringLiteral("\"2024/05/18\",\"10:00:08\",3,2,2,6,\"50.0%\",\"1.20/秒\",\"5秒\"\n")));
    QCOMPARE(readBytes(file(u"データ.txt")),
             sjis(QStringLiteral("\"2024/05/18\",\"10:00:08\",\"しりとり\",5,\"答数 : 4　新語 +2\",\n")));
    QCOMPARE(readBytes(file(u"しりとり辞書.txt")), sjis(QStringLiteral("ごりら\nらっぱ\nぱせり\n")));

    // Enter after the end clears the box and goes to "スタート".
    find<QLineEdit>(*window, QStringLiteral("txtKaitou"))->setText(QStringLiteral("りす"));
    QTest::keyClick(find<QLineEdit>(*window, QStringLiteral("txtKaitou")), Qt::Key_Return);
    QVERIFY(find<QLineEdit>(*window, QStringLiteral("txtKaitou"))->text().isEmpty());
    QCOMPARE(window->focusWidget(), find<QPushButton>(*window, QStringLiteral("cmdStart")));

    // The next play knows the learned words and never learns them twice.
    start(*window);
    m_messages.forget();
    const QString first = find<QLabel>(*window, QStringLiteral("lblMondai"))->text();
    QVERIFY(QStringList({QStringLiteral("ごりら"), QStringLiteral("らっぱ"), QStringLiteral("ぱせり")}).contains(first));
}

void TestWordGames::shiritoriRefusesWordsItCannotStore()
{
    writeBytes(file(u"しりとり辞書.txt"), sjis(QStringLiteral("ごりら\n")));
    auto window = open<frmG2>();
    start(*window);
    type(*window, QStringLiteral("ら🐱"));
    QCOMPARE(m_messages.shown().size(), 1);
    QVERIFY(m_messages.shown().last().text.contains(QStringLiteral("🐱")));
    QCOMPARE(readBytes(file(u"しりとり辞書.txt")), sjis(QStringLiteral("ごりら\n")));
    QCOMPARE(find<QLabel>(*window, QStringLiteral("lblOk"))->text(), QStringLiteral("1")); // still a fair answer
}

void TestWordGames::unreadableDictionaryIsLeftAlone()
{
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("しりとり辞書.txt"))); // there, but no file to read
    auto window = open<frmG2>();
    QCOMPARE(m_messages.shown().size(), 1);
    QCOMPARE(m_messages.shown().first().icon, ScriptedMessageBoxes::Icon::Critical);
    QVERIFY(QFileInfo(file(u"しりとり辞書.txt")).isDir());
    click(*window, "cmdStart");
    QVERIFY(find<QPushButton>(*window, QStringLiteral("cmdStart"))->isEnabled()); // no word, no play
}

void TestWordGames::missingDictionaryIsRestored()
{
    auto window = open<frmG3>();
    QCOMPARE(m_messages.shown().size(), 1);
    QVERIFY(m_messages.shown().first().text.contains(QStringLiteral("バラバラ辞書.txt")));
    QVERIFY(find<QListWidget>(*window, QStringLiteral("lstJisyo"))->count() > 100);
    QVERIFY(m_folder->contains(u"バラバラ辞書.txt"));
}

void TestWordGames::barabaraScramblesFairly()
{
    QHash<QString, int> seen;
    for (int i = 0; i < 1200; ++i) {
        m_clock.advanceMilliseconds(17);
        const BarabaraRules::Question q = BarabaraRules::make({QStringLiteral("あいう")}, *m_random);
        QCOMPARE(q.answer, QStringLiteral("あいう"));
        ++seen[q.scrambled];
    }
    QCOMPARE(seen.size(), 6); // every arrangement, the word itself included
    for (int count : seen)
        QVERIFY(count > 120 && count < 280);
    QCOMPARE(BarabaraRules::make({QStringLiteral("木")}, *m_random).scrambled, QStringLiteral("木"));
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
    const QString scrambled = question->text();
    QTest::keyClick(find<QLineEdit>(*window, QStringLiteral("txtKaitou")), Qt::Key_Escape);
    const QString answer = question->text();
    QVERIFY(answer == QStringLiteral("ちから") || answer == QStringLiteral("からち"));
    const QString other = answer == QStringLiteral("ちから") ? QStringLiteral("からち") : QStringLiteral("ちから");
    type(*window, other);
    QCOMPARE(m_messages.shown().last().text, QStringLiteral("違います！！"));
    QCOMPARE(question->text(), answer); // a wrong answer leaves the question
    type(*window, QStringLiteral("チカラ"));
    elapse(*window, 4000);
    type(*window, answer); // revealed, then typed: right
    QCOMPARE(items(find<QListWidget>(*window, QStringLiteral("lstRireki"))), QStringList{answer});
    QCOMPARE(readBytes(file(u"バラバラ履歴.txt")),
             sjis(QStringLiteral("\"2024/05/18\",\"10:00:07\",3,1,2,3,\"33.3%\",\"0.75/秒\",\"4秒\"\n")));
    QCOMPARE(readBytes(file(u"データ.txt")),
             sjis(QStringLiteral("\"2024/05/18\",\"10:00:07\",\"バラバラ\",4,\"答数 : 3\",\n")));
    Q_UNUSED(scrambled);
}

void TestWordGames::yojiRules()
{
    QCOMPARE(YojiRules::idioms({QStringLiteral("一石二鳥　いっせきにちょう"), QStringLiteral("短い"),
                                QStringLiteral("四面楚歌")}),
             (QStringList{QStringLiteral("一石二鳥"), QStringLiteral("四面楚歌")}));
    const QStringList idioms{QStringLiteral("一石二鳥")};
    const auto eaten = [](const YojiRules::Question &q) {
        return int(std::count(q.open.begin(), q.open.end(), false));
    };
    for (int i = 0; i < 20; ++i) {
        m_clock.advanceMilliseconds(13);
        QCOMPARE(eaten(YojiRules::make(idioms, QStringLiteral("0:隠さない"), {}, *m_random)), 0);
        QCOMPARE(eaten(YojiRules::make(idioms, QStringLiteral("2:ノーマル"), {}, *m_random)), 2);
        QCOMPARE(eaten(YojiRules::make(idioms, QStringLiteral("3:ハード"), {}, *m_random)), 3);
    }
    // R draws how many: a draw below a quarter eats nothing.
    SequenceRandom low({0.1});
    QCOMPARE(eaten(YojiRules::make(idioms, QStringLiteral("R:ランダム"), {}, low)), 0);
    SequenceRandom high({0.9});
    QCOMPARE(eaten(YojiRules::make(idioms, QStringLiteral("R:ランダム"), {}, high)), 3);
    const YojiRules::Question designated =
        YojiRules::make(idioms, QStringLiteral("S:指定"), {true, false, true, false}, *m_random);
    QCOMPARE(designated.open, (YojiRules::Windows{true, false, true, false}));
}

void TestWordGames::yojiDesignatedWindows()
{
    writeBytes(file(u"四熟虫喰辞書.txt"), sjis(QStringLiteral("一石二鳥　いっせきにちょう\n")));
    useSettings(u"四熟虫喰設定.txt", QStringLiteral("10,60,\"S:指定\",\"秒数\",1"));
    auto window = open<frmG4>();
    QVERIFY(m_messages.shown().isEmpty()); // the load shows the level without asking
    QTest::mouseClick(find<QPushButton>(*window, QStringLiteral("cmdStart")), Qt::LeftButton);
    QCOMPARE(m_messages.shown().last().title, QStringLiteral("スタートチェック"));
    QCOMPARE(m_messages.shown().last().icon, ScriptedMessageBoxes::Icon::Exclamation);
    QVERIFY(find<QPushButton>(*window, QStringLiteral("cmdStart"))->isEnabled());

    QTest::mouseClick(find<QLabel>(*window, QStringLiteral("lblMondai1")), Qt::LeftButton);
    QTest::mouseClick(find<QLabel>(*window, QStringLiteral("lblMondai3")), Qt::LeftButton);
    start(*window);
    const auto shown = [&] {
        QString text;
        for (int i = 1; i <= 4; ++i) {
            const QString c = find<QLabel>(*window, QStringLiteral("lblMondai%1").arg(i))->text();
            text += c.isEmpty() ? QStringLiteral("□") : c;
        }
        return text;
    };
    QCOMPARE(shown(), QStringLiteral("一□二□"));
    QCOMPARE(find<QLabel>(*window, QStringLiteral("lblMondai2"))->palette().color(QPalette::Window),
             windowsColor(kButtonFace));
    type(*window, QStringLiteral("石鳥")); // only the missing characters: wrong
    QCOMPARE(m_messages.shown().last().text, QStringLiteral("違います！！"));
    type(*window, QStringLiteral("一石二鳥"));
    QCOMPARE(items(find<QListWidget>(*window, QStringLiteral("lstRireki"))), QStringList{QStringLiteral("一□二□")});

    // Choosing S again closes every window, and a start without one is refused.
    auto *level = find<QComboBox>(*window, QStringLiteral("cboHide"));
    Q_EMIT level->activated(level->currentIndex());
    QCOMPARE(m_messages.shown().last().title, QStringLiteral("表示部指定"));
}

void TestWordGames::yojiPlaySavesItsLevel()
{
    writeBytes(file(u"四熟虫喰辞書.txt"), sjis(QStringLiteral("一石二鳥　いっせきにちょう\nab\n")));
    useSettings(u"四熟虫喰設定.txt", QStringLiteral("2,60,\"2:ノーマル\",\"答数\",1"));
    auto window = open<frmG4>();
    QCOMPARE(find<QLabel>(*window, QStringLiteral("lblPmode"))->text(), QStringLiteral("2:ノーマル"));
    start(*window);
    QTest::keyClick(find<QLineEdit>(*window, QStringLiteral("txtKaitou")), Qt::Key_Escape);
    QCOMPARE(find<QLabel>(*window, QStringLiteral("lblMondai2"))->text(), QStringLiteral("石"));
    elapse(*window, 10000);
    type(*window, QStringLiteral("一石二鳥"));
    QCOMPARE(items(find<QListWidget>(*window, QStringLiteral("lstRireki"))), QStringList{QStringLiteral("一石二鳥")});
    type(*window, QStringLiteral("一石二鳥"));
    QCOMPARE(readBytes(file(u"四熟虫喰履歴.txt")),
             sjis(QStringLiteral("\"2024/05/18\",\"10:00:13\",2,2,0,8,\"100.0%\",\"0.80/秒\",\"10秒\",\"2\"\n")));
    QCOMPARE(readBytes(file(u"データ.txt")),
             sjis(QStringLiteral("\"2024/05/18\",\"10:00:13\",\"四熟虫喰\",10,\"答数 : 2  2:ノーマルモード\",\n")));
}

QTEST_MAIN(TestWordGames)
#include "tst_wordgames.moc"
