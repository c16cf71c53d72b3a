#include "Desk.h"
#include "Plays.h"
#include "SequenceRandom.h"
#include "TestFiles.h"

#include "games/shiritori/ShiritoriPlay.h"
#include "games/shiritori/ShiritoriRules.h"
#include "platform/KanaConvert.h"
#include "platform/RandomSource.h"

#include <QDir>
#include <QTest>

#include <optional>
#include <random>

using namespace kotohana;
using namespace kotohana::test;

class TestShiritoriPlay : public QObject
{
    Q_OBJECT

private:
    std::optional<Desk> m_desk;
    QString dictionary() const { return m_desk->file(u"しりとり辞書.txt"); }

private Q_SLOTS:
    void init() { m_desk.emplace(QDateTime(QDate(2024, 5, 18), QTime(10, 0, 0)), 11); }

    void kanaConversion_data();
    void kanaConversion();
    void rules();
    void replyDrawsFromEveryCandidate();
    void replyMatchesTheWholeDictionary();
    void dictionaryLookUp();
    void firstWordForASeed();
    void playRepliesByDraw();
    void playJudgesAndLearns();
    void learnsWordsWithoutBlanks_data();
    void learnsWordsWithoutBlanks();
    void learningFailureIsReported_data();
    void learningFailureIsReported();
};

void TestShiritoriPlay::kanaConversion_data()
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

void TestShiritoriPlay::kanaConversion()
{
    QFETCH(QString, typed);
    QFETCH(QString, converted);
    QCOMPARE(toFullWidthHiragana(typed), converted);
}

void TestShiritoriPlay::rules()
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
    const WordIndex words({QStringLiteral("まど"), QStringLiteral("いす"), QStringLiteral("まめ"), QStringLiteral("まど")});
    QCOMPARE(reply(words, QStringLiteral("やま"), random).value(), QStringLiteral("まど")); // duplicates count
    QVERIFY(!reply(words, QStringLiteral("かぎ"), random));
}

void TestShiritoriPlay::replyDrawsFromEveryCandidate()
{
    using namespace ShiritoriRules;
    const WordIndex dictionary({QStringLiteral("まど"), QStringLiteral("いす"), QStringLiteral("まめ"), QStringLiteral("まど"),
                                QStringLiteral("やさい"), QStringLiteral("ままごと"), QString(), QStringLiteral("すいか"),
                                QStringLiteral("まり"), QStringLiteral("やま"), QStringLiteral("まど")});
    // The candidates in dictionary order, repeats included; a draw r picks number ⌊count × r⌋.
    const QStringList ma{QStringLiteral("まど"),     QStringLiteral("まめ"), QStringLiteral("まど"),
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

void TestShiritoriPlay::replyMatchesTheWholeDictionary()
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

void TestShiritoriPlay::dictionaryLookUp()
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

void TestShiritoriPlay::firstWordForASeed()
{
    FakeClock clock(QDateTime(QDate(2026, 12, 7), QTime(9, 30, 0)));
    MersenneRandomSource random(clock, 42);
    ShiritoriPlay play(countPlay(10), seedWords(), dictionary(), random);
    play.firstWord();
    QCOMPARE(play.computerWord(), QStringLiteral("だちょう"));
}

void TestShiritoriPlay::playRepliesByDraw()
{
    const QStringList words{QStringLiteral("ごりら"),   QStringLiteral("らくだ"),   QStringLiteral("らっこ"),
                            QStringLiteral("だちょう"), QStringLiteral("らいおん"), QStringLiteral("らま"),
                            QStringLiteral("だるま")};
    writeBytes(dictionary(), sjis(words.join(u'\n') + u'\n'));
    SequenceRandom random({0.0, 0.6, 0.3});
    ShiritoriPlay play(countPlay(5), words, dictionary(), random);
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

void TestShiritoriPlay::playJudgesAndLearns()
{
    writeBytes(dictionary(), sjis(QStringLiteral("ごりら\nらいおん\nらくだ\nだちょう\n")));
    const QStringList words{QStringLiteral("ごりら"), QStringLiteral("らいおん"), QStringLiteral("らくだ"),
                            QStringLiteral("だちょう")};
    SequenceRandom random({0.0});
    ShiritoriPlay play(countPlay(5), words, dictionary(), random);
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
    QCOMPARE(readBytes(dictionary()), sjis(QStringLiteral("ごりら\nらいおん\nらくだ\nだちょう\nうし\nしか\n")));
    QCOMPARE(play.historyFields(),
             (HistoryRow{QStringLiteral("6"), QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("7"),
                         QStringLiteral("60.0%"), QStringLiteral("1.00/秒"), QStringLiteral("7秒")}));
    QCOMPARE(play.recordText(), QStringLiteral("答数 : 5　新語 +2"));
}

void TestShiritoriPlay::learnsWordsWithoutBlanks_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("blank after") << QStringLiteral("どあ ");
    QTest::newRow("ideographic blank after") << QStringLiteral("どあ　");
    QTest::newRow("blanks around katakana") << QStringLiteral("　ドア\t");
}

void TestShiritoriPlay::learnsWordsWithoutBlanks()
{
    QFETCH(QString, typed);
    writeBytes(dictionary(), sjis(QStringLiteral("まど\n")));
    ShiritoriPlay play(countPlay(10), {QStringLiteral("まど")}, dictionary(), *m_desk->random);
    play.firstWord();
    begin(play);
    QVERIFY(play.answer(typed).outcome.correct);
    QCOMPARE(play.typed(), 2);
    QCOMPARE(readBytes(dictionary()), sjis(QStringLiteral("まど\nどあ\n")));
}

void TestShiritoriPlay::learningFailureIsReported_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("fileGone");
    QTest::addColumn<QString>("named"); // what the message names besides the file
    QTest::newRow("the file cannot be written") << QStringLiteral("どあ") << true << QString();
    QTest::newRow("a character the file cannot hold") << QStringLiteral("ど🐱") << false << QStringLiteral("🐱");
}

void TestShiritoriPlay::learningFailureIsReported()
{
    QFETCH(QString, typed);
    QFETCH(bool, fileGone);
    QFETCH(QString, named);
    if (fileGone)
        QVERIFY(QDir().mkdir(dictionary()));
    else
        writeBytes(dictionary(), sjis(QStringLiteral("まど\n")));
    ShiritoriPlay play(countPlay(1), {QStringLiteral("まど")}, dictionary(), *m_desk->random);
    play.firstWord();
    begin(play);
    const Outcome outcome = play.answer(typed).outcome;
    QVERIFY(outcome.counted && outcome.correct); // the answer itself was fair
    QCOMPARE(outcome.title, QStringLiteral("辞書追加"));
    QVERIFY2(outcome.message.contains(QStringLiteral("しりとり辞書.txt")) && outcome.message.contains(named),
             qPrintable(outcome.message));
    QCOMPARE(play.learned(), 0);
    QCOMPARE(play.dictionarySize(), 1);
    QCOMPARE(play.recordText(), QStringLiteral("答数 : 1　新語 +0"));
    if (!fileGone)
        QCOMPARE(readBytes(dictionary()), sjis(QStringLiteral("まど\n")));
}

QTEST_GUILESS_MAIN(TestShiritoriPlay)
#include "tst_shiritori_play.moc"
