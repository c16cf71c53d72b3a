#include "FakeClock.h"
#include "ScriptedMessageBoxes.h"
#include "SequenceRandom.h"
#include "TestFiles.h"
#include "Widgets.h"

#include "games/barabara/BarabaraPlay.h"
#include "games/barabara/frmG3.h"
#include "games/common/PersonalBest.h"
#include "games/common/ProgramState.h"
#include "games/shiritori/ShiritoriPlay.h"
#include "games/shiritori/ShiritoriRules.h"
#include "games/shiritori/frmG2.h"
#include "games/yojijukugo/YojiPlay.h"
#include "games/yojijukugo/frmG4.h"
#include "platform/DataFolder.h"
#include "platform/KanaConvert.h"
#include "records/RecordStore.h"
#include "records/Services.h"
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
#include <optional>
#include <random>

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
    std::unique_ptr<RecordStore> m_records;
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

    // The game's history file holding these lines, as the game window reads it.
    std::vector<HistoryRow> history(const char16_t *name, const HistoryLayout &layout, const QString &lines) const
    {
        writeBytes(file(name), sjis(lines));
        return HistoryFile(file(name), layout).readAll().rows;
    }

    void useSettings(const char16_t *name, const QString &line) { writeBytes(file(name), sjis(line + u'\n')); }

    // The settings of a count-mode play of that many answers.
    static PlaySetup countPlay(int answers, const QString &mode = {})
    {
        return {TimingMode::Count, 60, answers, mode, {}};
    }
    // Takes a play through its countdown, as the window's ticks would.
    static void begin(Play &play)
    {
        for (qint64 ms = 1000; ms <= 3000; ms += 1000)
            play.cycle().countdownTick(ms);
    }

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
        m_dir = std::make_unique<QTemporaryDir>();
        m_folder = std::make_unique<DataFolder>(m_dir->path());
        m_records = std::make_unique<RecordStore>(m_folder->path(PlayRecordFile::kFileName));
        m_random = std::make_unique<MersenneRandomSource>(m_clock, 11);
        m_services = std::make_unique<Services>(Services{m_clock, *m_random, m_messages, *m_folder, *m_records});
        m_state = ProgramState();
        m_clock.set(QDateTime(QDate(2024, 5, 18), QTime(10, 0, 0)));
        m_messages.forget();
    }

    void kanaConversion_data();
    void kanaConversion();
    void shiritoriRules();
    void shiritoriReplyDrawsFromEveryCandidate();
    void shiritoriReplyMatchesTheWholeDictionary();
    void shiritoriLearningCheck();
    void shiritoriPlayRepliesByDraw();
    void shiritoriPlayLearnsWords();
    void dictionaryListing();
    void shiritoriRefusesWordsItCannotStore();
    void missingDictionaryIsRestored();
    void unreadableDictionaryIsLeftAlone();
    void barabaraScramblesFairly();
    void barabaraPlay();
    void yojiRules();
    void yojiDesignatedWindows();
    void yojiPlaySavesItsLevel();

    void firstQuestionForASeed_data();
    void firstQuestionForASeed();
    void shiritoriPlayJudgesAndLearns();
    void shiritoriLearnsWordsWithoutBlanks_data();
    void shiritoriLearnsWordsWithoutBlanks();
    void shiritoriLearningFailureIsReported_data();
    void shiritoriLearningFailureIsReported();
    void escapeOutsidePlay_data();
    void escapeOutsidePlay();
    void barabaraPlayJudges();
    void yojiPlayJudgesAndListsWhatItAsked();
    void yojiLevelChosenDuringAndAfterAPlay();
    void yojiSolvedListIsTheQuestionAsked();
    void yojiDesignatedWindowsOutliveTheWindow();
    void shiritoriBestCountsCorrectAnswers();
    void barabaraBestInCountModeIsTheTime();
    void yojiBestKeepsToItsLevel();
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
    const WordIndex words(
        {QStringLiteral("まど"), QStringLiteral("いす"), QStringLiteral("まめ"), QStringLiteral("まど")});
    QCOMPARE(reply(words, QStringLiteral("やま"), random).value(), QStringLiteral("まど")); // duplicates count
    QVERIFY(!reply(words, QStringLiteral("かぎ"), random));
}

void TestWordGames::shiritoriReplyDrawsFromEveryCandidate()
{
    using namespace ShiritoriRules;
    const WordIndex dictionary({QStringLiteral("まど"), QStringLiteral("いす"), QStringLiteral("まめ"),
                                QStringLiteral("まど"), QStringLiteral("やさい"), QStringLiteral("ままごと"),
                                QString(), QStringLiteral("すいか"), QStringLiteral("まり"), QStringLiteral("やま"),
                                QStringLiteral("まど")});
    // The candidates in dictionary order, repeats included; a draw r picks number ⌊count × r⌋.
    const QStringList ma{QStringLiteral("まど"), QStringLiteral("まめ"),  QStringLiteral("まど"),
                         QStringLiteral("ままごと"), QStringLiteral("まり"), QStringLiteral("まど")};
    QCOMPARE(dictionary.count(u"ま"), ma.size());
    for (qsizetype k = 0; k < ma.size(); ++k) {
        SequenceRandom random({(double(k) + 0.5) / double(ma.size())});
        QCOMPARE(reply(dictionary, QStringLiteral("やま"), random).value(), ma.at(k));
    }
    SequenceRandom last({0.999});
    QCOMPARE(reply(dictionary, QStringLiteral("かま"), last).value(), QStringLiteral("まど"));
    // A small kana asks for its large form: おもちゃ → や.
    SequenceRandom second({0.5});
    QCOMPARE(reply(dictionary, QStringLiteral("おもちゃ"), second).value(), QStringLiteral("やま"));
    SequenceRandom first({0.0});
    QCOMPARE(reply(dictionary, QStringLiteral("おもちゃ"), first).value(), QStringLiteral("やさい"));
    QVERIFY(!reply(dictionary, QStringLiteral("かぎ"), first));
    QCOMPARE(dictionary.count(u""), 11);
    QCOMPARE(dictionary.at(u"", 6), QString());
}

void TestWordGames::shiritoriReplyMatchesTheWholeDictionary()
{
    // A dictionary of short words over a few kana, many repeated, against the reply read
    // straight from its definition: every word beginning with the chain kana, in order.
    using namespace ShiritoriRules;
    const QString kana = QStringLiteral("かきくまみむやゆよっ");
    std::mt19937 engine(7);
    QStringList words;
    for (int i = 0; i < 3000; ++i) {
        QString word;
        for (int n = 1 + int(engine() % 3); n > 0; --n)
            word += kana[qsizetype(engine() % std::uint32_t(kana.size()))];
        words.append(word);
    }
    const WordIndex dictionary(words);
    for (const QString &answer : {QStringLiteral("しか"), QStringLiteral("いま"), QStringLiteral("きゅ"),
                                 QStringLiteral("おもちゃ"), QStringLiteral("らっ"), QStringLiteral("かぎ")}) {
        QStringList candidates;
        for (const QString &word : words) {
            if (word.startsWith(chainKana(answer)))
                candidates.append(word);
        }
        for (const double r : {0.0, 0.13, 0.31, 0.5, 0.77, 0.9999}) {
            SequenceRandom random({r});
            const std::optional<QString> picked = reply(dictionary, answer, random);
            if (candidates.isEmpty())
                QVERIFY(!picked);
            else
                QCOMPARE(picked.value(), candidates.at(qsizetype(double(candidates.size()) * r)));
        }
    }
}

void TestWordGames::shiritoriPlayRepliesByDraw()
{
    const QStringList words{QStringLiteral("ごりら"), QStringLiteral("らくだ"), QStringLiteral("らっこ"),
                            QStringLiteral("だちょう"), QStringLiteral("らいおん"), QStringLiteral("らま"),
                            QStringLiteral("だるま")};
    writeBytes(file(u"しりとり辞書.txt"), sjis(words.join(u'\n') + u'\n'));
    SequenceRandom random({0.0, 0.6, 0.3});
    ShiritoriPlay play(countPlay(5), words, file(u"しりとり辞書.txt"), random);
    play.firstWord();
    QCOMPARE(play.computerWord(), QStringLiteral("ごりら"));
    begin(play);
    const auto chained = [&](const char16_t *answer) { return play.answer(QString::fromUtf16(answer)).chained; };
    // だ: だちょう, だるま; 0.6 draws the second.
    QCOMPARE(chained(u"らくだ"), (QStringList{QStringLiteral("らくだ"), QStringLiteral("だるま")}));
    // ら: らくだ, らっこ, らいおん, らま; 0.3 draws the second.
    QCOMPARE(chained(u"まくら"), (QStringList{QStringLiteral("まくら"), QStringLiteral("らっこ")}));
    // No word begins with ま: the player's own word comes back.
    QCOMPARE(chained(u"こま"), (QStringList{QStringLiteral("こま"), QStringLiteral("こま")}));
    QCOMPARE(play.learned(), 2);
    QCOMPARE(play.dictionarySize(), 9);
}

void TestWordGames::shiritoriLearningCheck()
{
    const ShiritoriRules::WordIndex dictionary(
        {QStringLiteral("まど"), QStringLiteral("すいか"), QStringLiteral("まめ"), QStringLiteral("まど")});
    QVERIFY(dictionary.contains(QStringLiteral("まど")));
    QVERIFY(dictionary.contains(QStringLiteral("まめ")));
    QVERIFY(dictionary.contains(QStringLiteral("すいか")));
    QVERIFY(!dictionary.contains(QStringLiteral("ま")));
    QVERIFY(!dictionary.contains(QStringLiteral("まどべ")));
    QVERIFY(!dictionary.contains(QStringLiteral("すい")));
    QVERIFY(!dictionary.contains(QStringLiteral("いか")));
    QVERIFY(!dictionary.contains(QString()));
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

void TestWordGames::dictionaryListing()
{
    writeBytes(file(u"しりとり辞書.txt"), sjis(QStringLiteral("ごりら\nらっぱ,ぱせり\nごりら\n")));
    auto window = open<frmG2>();
    QCOMPARE(find<QGroupBox>(*window, QStringLiteral("fraJisyo"))->title(), QStringLiteral("覚えた言葉 4個"));
    auto *listing = find<QListView>(*window, QStringLiteral("lstJisyo"));
    QStringList shown;
    for (int row = 0; row < listing->model()->rowCount(); ++row)
        shown.append(listing->model()->index(row, 0).data().toString());
    QCOMPARE(shown, (QStringList{QStringLiteral("ごりら"), QStringLiteral("らっぱ"), QStringLiteral("ぱせり"),
                                 QStringLiteral("ごりら")}));
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

void TestWordGames::shiritoriRefusesWordsItCannotStore()
{
    writeBytes(file(u"しりとり辞書.txt"), sjis(QStringLiteral("ごりら\n")));
    auto window = open<frmG2>();
    start(*window);
    type(*window, QStringLiteral("ら🐱"));
    QCOMPARE(m_messages.shown().size(), 1);
    QVERIFY(m_messages.shown().last().text.contains(QStringLiteral("🐱")));
    QVERIFY(m_messages.shown().last().text.contains(QStringLiteral("しりとり辞書.txt")));
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
    QVERIFY(find<QListView>(*window, QStringLiteral("lstJisyo"))->model()->rowCount() > 100);
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

void TestWordGames::firstQuestionForASeed_data()
{
    QTest::addColumn<QString>("game");
    QTest::addColumn<QString>("first");
    QTest::newRow("しりとり") << QStringLiteral("しりとり") << QStringLiteral("だちょう");
    QTest::newRow("バラバラ") << QStringLiteral("バラバラ") << QStringLiteral("だちょう/うちだょ");
    QTest::newRow("四熟虫喰") << QStringLiteral("四熟虫喰") << QStringLiteral("十□十□");
}

void TestWordGames::firstQuestionForASeed()
{
    QFETCH(QString, game);
    QFETCH(QString, first);
    FakeClock clock(QDateTime(QDate(2026, 12, 7), QTime(9, 30, 0)));
    MersenneRandomSource random(clock, 42);
    const QStringList words{QStringLiteral("りんご"), QStringLiteral("ごりら"), QStringLiteral("らっぱ"),
                            QStringLiteral("ぱんだ"), QStringLiteral("だちょう"), QStringLiteral("うさぎ"),
                            QStringLiteral("ぎんこう"), QStringLiteral("うちわ")};
    const QStringList idioms{QStringLiteral("一石二鳥"), QStringLiteral("四面楚歌"), QStringLiteral("温故知新"),
                             QStringLiteral("十人十色"), QStringLiteral("花鳥風月")};
    QString asked;
    if (game == QStringLiteral("しりとり")) {
        ShiritoriPlay play(countPlay(10), words, file(u"しりとり辞書.txt"), random);
        play.firstWord();
        asked = play.computerWord();
    } else if (game == QStringLiteral("バラバラ")) {
        BarabaraPlay play(countPlay(10), words, random);
        play.newQuestion();
        asked = play.question().answer + u'/' + play.question().scrambled;
    } else {
        const YojiRules::Windows designated{};
        YojiPlay play(countPlay(10, QStringLiteral("2:ノーマル")), idioms, designated, random);
        play.newQuestion();
        for (int window = 0; window < 4; ++window)
            asked += play.shown(window).isEmpty() ? QStringLiteral("□") : play.shown(window);
    }
    QCOMPARE(asked, first);
}

void TestWordGames::shiritoriPlayJudgesAndLearns()
{
    writeBytes(file(u"しりとり辞書.txt"),
               sjis(QStringLiteral("ごりら\nらいおん\nらくだ\nだちょう\n")));
    const QStringList words{QStringLiteral("ごりら"), QStringLiteral("らいおん"), QStringLiteral("らくだ"),
                            QStringLiteral("だちょう")};
    SequenceRandom random({0.0});
    ShiritoriPlay play(countPlay(5), words, file(u"しりとり辞書.txt"), random);
    play.firstWord();
    QCOMPARE(play.computerWord(), QStringLiteral("ごりら"));
    begin(play);

    ShiritoriPlay::Reply reply = play.answer(QStringLiteral("ラクダ"));
    QVERIFY(reply.outcome.counted && reply.outcome.correct && reply.outcome.message.isEmpty());
    QCOMPARE(reply.chained, (QStringList{QStringLiteral("らくだ"), QStringLiteral("だちょう")}));
    // No word begins with し: the computer answers with the player's own word.
    reply = play.answer(QStringLiteral("うし"));
    QCOMPARE(reply.chained, (QStringList{QStringLiteral("うし"), QStringLiteral("うし")}));
    reply = play.answer(QStringLiteral("しか"));
    QCOMPARE(play.computerWord(), QStringLiteral("しか"));

    reply = play.answer(QStringLiteral("かれー"));
    QVERIFY(!reply.outcome.counted);
    QCOMPARE(reply.outcome.title, QStringLiteral("置き換え"));
    reply = play.answer(QStringLiteral("かばん"));
    QVERIFY(reply.outcome.counted && !reply.outcome.correct);
    QCOMPARE(reply.outcome.message, QStringLiteral("最後が『ん』じゃだめです！"));
    QVERIFY(reply.chained.isEmpty());
    play.cycle().countTick(10000);
    reply = play.answer(QStringLiteral("しか")); // a word of the player's own: used once only
    QCOMPARE(reply.outcome.message, QStringLiteral("既に使った回答です！"));
    QVERIFY(reply.outcome.ended);

    QCOMPARE(play.learned(), 2);
    QCOMPARE(readBytes(file(u"しりとり辞書.txt")),
             sjis(QStringLiteral("ごりら\nらいおん\nらくだ\nだちょう\nうし\nしか\n")));
    QCOMPARE(play.historyFields(), (HistoryRow{QStringLiteral("6"), QStringLiteral("3"), QStringLiteral("2"),
                                               QStringLiteral("7"), QStringLiteral("60.0%"),
                                               QStringLiteral("1.00/秒"), QStringLiteral("7秒")}));
    QCOMPARE(play.recordText(), QStringLiteral("答数 : 5　新語 +2"));
}

void TestWordGames::shiritoriLearnsWordsWithoutBlanks_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("throughWindow");
    QTest::newRow("play, blank after") << QStringLiteral("どあ ") << false;
    QTest::newRow("play, ideographic blank after") << QStringLiteral("どあ　") << false;
    QTest::newRow("play, blanks around katakana") << QStringLiteral("　ドア\t") << false;
    QTest::newRow("window, blank after") << QStringLiteral("どあ ") << true;
    QTest::newRow("window, ideographic blank after") << QStringLiteral("どあ　") << true;
}

void TestWordGames::shiritoriLearnsWordsWithoutBlanks()
{
    QFETCH(QString, typed);
    QFETCH(bool, throughWindow);
    writeBytes(file(u"しりとり辞書.txt"), sjis(QStringLiteral("まど\n")));
    if (throughWindow) {
        auto window = open<frmG2>();
        start(*window);
        type(*window, typed);
        QCOMPARE(items(find<QListWidget>(*window, QStringLiteral("lstRireki"))),
                 (QStringList{QStringLiteral("まど"), QStringLiteral("どあ"), QStringLiteral("どあ")}));
    } else {
        ShiritoriPlay play(countPlay(10), {QStringLiteral("まど")}, file(u"しりとり辞書.txt"), *m_random);
        play.firstWord();
        begin(play);
        QVERIFY(play.answer(typed).outcome.correct);
        QCOMPARE(play.typed(), 2);
    }
    QCOMPARE(readBytes(file(u"しりとり辞書.txt")), sjis(QStringLiteral("まど\nどあ\n")));
}

void TestWordGames::shiritoriLearningFailureIsReported_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("fileGone");
    QTest::newRow("the file cannot be written") << QStringLiteral("どあ") << true;
    QTest::newRow("a character the file cannot hold") << QStringLiteral("ど🐱") << false;
}

void TestWordGames::shiritoriLearningFailureIsReported()
{
    QFETCH(QString, typed);
    QFETCH(bool, fileGone);
    if (fileGone)
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("しりとり辞書.txt")));
    else
        writeBytes(file(u"しりとり辞書.txt"), sjis(QStringLiteral("まど\n")));
    ShiritoriPlay play(countPlay(1), {QStringLiteral("まど")}, file(u"しりとり辞書.txt"), *m_random);
    play.firstWord();
    begin(play);
    const Outcome outcome = play.answer(typed).outcome;
    QVERIFY(outcome.counted && outcome.correct); // the answer itself was fair
    QCOMPARE(outcome.title, QStringLiteral("辞書追加"));
    QVERIFY2(outcome.message.contains(QStringLiteral("しりとり辞書.txt")), qPrintable(outcome.message));
    QCOMPARE(play.learned(), 0);
    QCOMPARE(play.dictionarySize(), 1);
    QCOMPARE(play.recordText(), QStringLiteral("答数 : 1　新語 +0"));
    if (!fileGone)
        QCOMPARE(readBytes(file(u"しりとり辞書.txt")), sjis(QStringLiteral("まど\n")));
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
    const QString fewerCorrect =
        QStringLiteral("\"2024/05/17\",\"10:00:00\",5000,1,9,3,\"10.0%\",\"0.05/秒\",\"60秒\"\n");
    const QString otherLimit =
        QStringLiteral("\"2024/05/17\",\"11:00:00\",5000,9,0,27,\"100.0%\",\"0.30/秒\",\"30秒\"\n");
    QVERIFY(isPersonalBest(play, layout, history(u"しりとり履歴.txt", layout, fewerCorrect + otherLimit)));
    const QString asManyCorrect =
        QStringLiteral("\"2024/05/17\",\"12:00:00\",3,2,0,6,\"100.0%\",\"0.10/秒\",\"60秒\"\n");
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
    YojiPlay play({TimingMode::Time, 60, 10, QStringLiteral("2:ノーマル"), {}}, {QStringLiteral("一石二鳥")}, designated,
                  random);
    play.newQuestion();
    begin(play);
    QVERIFY(play.answer(QStringLiteral("一石二鳥")).outcome.correct);
    QVERIFY(play.answer(QStringLiteral("一石二鳥")).outcome.correct);
    QVERIFY(play.cycle().timeTick(63000)->ended);

    const HistoryLayout layout = frmG4::definition().history;
    const QString lines =
        QStringLiteral("\"2024/05/17\",\"10:00:00\",1,1,0,4,\"100.0%\",\"0.07/秒\",\"60秒\",\"2\"\n"
                       "\"2024/05/17\",\"11:00:00\",9,9,0,36,\"100.0%\",\"0.60/秒\",\"60秒\",\"1\"\n"
                       "\"2024/05/17\",\"12:00:00\",9,9,0,36,\"100.0%\",\"0.40/秒\",\"90秒\",\"2\"\n");
    QVERIFY(isPersonalBest(play, layout, history(u"四熟虫喰履歴.txt", layout, lines)));
    const QString better = QStringLiteral("\"2024/05/17\",\"13:00:00\",3,3,0,12,\"100.0%\",\"0.20/秒\",\"60秒\",\"2\"\n");
    QVERIFY(!isPersonalBest(play, layout, history(u"四熟虫喰履歴.txt", layout, lines + better)));
}

void TestWordGames::barabaraPlayJudges()
{
    // The word, then its characters from positions 3, 1 and 1 of the pool: らちか.
    SequenceRandom random({0.0, 0.9, 0.0, 0.9});
    BarabaraPlay play(countPlay(3), {QStringLiteral("ちから")}, random);
    play.newQuestion();
    QCOMPARE(play.shown(), QStringLiteral("らちか"));
    begin(play);

    BarabaraPlay::Checked checked = play.answer(QStringLiteral("からち"));
    QVERIFY(checked.outcome.counted && !checked.outcome.correct);
    QCOMPARE(checked.outcome.message, QStringLiteral("違います！！"));
    QVERIFY(checked.solved.isEmpty());
    checked = play.answer(QStringLiteral(" ちから　"));
    QVERIFY(checked.outcome.correct);
    QCOMPARE(checked.solved, QStringLiteral("らちか"));
    // A revealed word is solved as it was shown.
    play.reveal();
    QCOMPARE(play.shown(), QStringLiteral("ちから"));
    checked = play.answer(QStringLiteral("ちから"));
    QCOMPARE(checked.solved, QStringLiteral("ちから"));
    QVERIFY(checked.outcome.ended);
    QCOMPARE(play.shown(), QStringLiteral("らちか")); // the next word is scrambled again
    QCOMPARE(play.historyFields().mid(0, 4),
             (HistoryRow{QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("6")}));
    QCOMPARE(play.recordText(), QStringLiteral("答数 : 3"));
}

void TestWordGames::yojiPlayJudgesAndListsWhatItAsked()
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
    QCOMPARE(m_messages.shown().last().title, QStringLiteral("表示部指定"));
    QTest::mouseClick(find<QLabel>(*window, QStringLiteral("lblMondai1")), Qt::LeftButton);
    QTest::mouseClick(find<QLabel>(*window, QStringLiteral("lblMondai3")), Qt::LeftButton);
    click(*window, "cmdEnd");
    window.reset();

    m_messages.forget();
    auto again = open<frmG4>();
    QCOMPARE(find<QLabel>(*again, QStringLiteral("lblPmode"))->text(), QStringLiteral("S:指定"));
    for (int i = 1; i <= 4; ++i)
        QCOMPARE(windowOpen(*again, i), i == 1 || i == 3);
    start(*again);
    QVERIFY(m_messages.shown().isEmpty());
    QCOMPARE(windows(*again), QStringLiteral("一□二□"));
}

QTEST_MAIN(TestWordGames)
#include "tst_wordgames.moc"
