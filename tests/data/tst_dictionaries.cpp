#include "data/DeliveredFiles.h"
#include "platform/ShiftJis.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QTest>

using namespace kotohana;

namespace {

QStringList delivered(const QString &name)
{
    QFile file(QDir(deliveredFilesDirectory()).filePath(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("no delivered file %s", qPrintable(name));
    QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

bool hiragana(QChar c)
{
    return c >= QChar(0x3041) && c <= QChar(0x3096);
}

bool kanji(QChar c)
{
    return (c >= QChar(0x4E00) && c <= QChar(0x9FFF)) || c == QChar(0x3005);
}

} // namespace

class TestDictionaries : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyDeliveredFileFitsShiftJis();
    void shiritoriWords();
    void everyShiritoriWordCanBeFollowed();
    void barabaraWords();
    void idioms();
    void kanaList();
};

void TestDictionaries::everyDeliveredFileFitsShiftJis()
{
    const QStringList names = QDir(deliveredFilesDirectory()).entryList(QDir::Files);
    QVERIFY(names.size() >= 9);
    for (const QString &name : names) {
        const QStringList lines = delivered(name);
        for (const QString &line : lines) {
            QVERIFY2(!ShiftJis::firstUnencodable(line), qPrintable(name + u':' + line));
            QVERIFY2(!line.endsWith(u'\r'), qPrintable(name));
        }
    }
}

void TestDictionaries::shiritoriWords()
{
    const QStringList words = delivered(QStringLiteral("しりとり辞書.txt"));
    QVERIFY(words.size() >= 2500);
    QCOMPARE(QSet<QString>(words.begin(), words.end()).size(), words.size());
    for (const QString &word : words) {
        QVERIFY2(word.size() >= 2 && word.size() <= 6, qPrintable(word));
        QVERIFY2(hiragana(word.front()) && hiragana(word.back()), qPrintable(word));
        for (QChar c : word)
            QVERIFY2(hiragana(c) || c == u'ー', qPrintable(word));
        // The computer plays its words as they are: after one ending in ん
        // every answer of the play would be wrong.
        QVERIFY2(!word.endsWith(u'ん'), qPrintable(word));
        QVERIFY2(!QStringLiteral("っゎゐゑー").contains(word.back()), qPrintable(word));
    }
}

void TestDictionaries::everyShiritoriWordCanBeFollowed()
{
    const QStringList words = delivered(QStringLiteral("しりとり辞書.txt"));
    QHash<QChar, int> starts;
    for (const QString &word : words)
        ++starts[word.front()];
    const QString small = QStringLiteral("ぁぃぅぇぉゃゅょ");
    const QString large = QStringLiteral("あいうえおやゆよ");
    for (const QString &word : words) {
        // The chain kana as the game takes it: the last character, small kana
        // folded, っ and ー left as they are.
        QChar chain = word.back();
        if (small.contains(chain))
            chain = large.at(small.indexOf(chain));
        QVERIFY2(starts.value(chain) >= 10, qPrintable(word));
    }
    // The kana few words start with are still there to start a chain from.
    for (QChar kana : QStringLiteral("ぬぴぺぽずぞるあかさたなはまやらわ"))
        QVERIFY2(starts.value(kana) >= 10, qPrintable(QString(kana)));
}

void TestDictionaries::barabaraWords()
{
    const QStringList words = delivered(QStringLiteral("バラバラ辞書.txt"));
    QVERIFY(words.size() >= 1000);
    QCOMPARE(QSet<QString>(words.begin(), words.end()).size(), words.size());
    for (const QString &word : words) {
        QVERIFY2(word.size() >= 3 && word.size() <= 7, qPrintable(word));
        QVERIFY2(!word.contains(u',') && !word.contains(u'"') && !word.contains(u' '), qPrintable(word));
        QVERIFY2(word.count(word.front()) < word.size(), qPrintable(word)); // a scramble must be possible
    }
}

void TestDictionaries::idioms()
{
    const QStringList entries = delivered(QStringLiteral("四熟虫喰辞書.txt"));
    QVERIFY(entries.size() >= 600);
    QSet<QString> idioms;
    for (const QString &entry : entries) {
        // The idiom, one ideographic space, the reading in hiragana.
        QVERIFY2(entry.size() > 5 && entry.at(4) == QChar(0x3000), qPrintable(entry));
        QVERIFY2(kanji(entry.at(0)) && entry.at(0) != QChar(0x3005), qPrintable(entry));
        for (int i = 1; i < 4; ++i)
            QVERIFY2(kanji(entry.at(i)), qPrintable(entry));
        const QString reading = entry.mid(5);
        QVERIFY2(reading.size() >= 4, qPrintable(entry));
        for (QChar c : reading)
            QVERIFY2(hiragana(c), qPrintable(entry));
        QVERIFY2(!entry.contains(u','), qPrintable(entry));
        idioms.insert(entry.left(4));
    }
    QCOMPARE(idioms.size(), entries.size());
    const QStringList wellKnown = QStringLiteral("八方美人 順風満帆 言行一致 自画自賛 質実剛健 "
                                                 "大胆不敵 用意周到 理路整然 完全無欠 七転八起")
                                      .split(u' ');
    for (const QString &known : wellKnown)
        QVERIFY2(idioms.contains(known), qPrintable(known));
}

void TestDictionaries::kanaList()
{
    const QStringList kana = delivered(QStringLiteral("ボキャブラかな.TXT"));
    QCOMPARE(kana.size(), 71);
    QCOMPARE(kana.at(0), QStringLiteral("あ"));
    QCOMPARE(kana.at(45), QStringLiteral("ん")); // the 46 basic kana come first
    QCOMPARE(kana.at(46), QStringLiteral("が"));
    QCOMPARE(QSet<QString>(kana.begin(), kana.end()).size(), kana.size());
    QVERIFY(delivered(QStringLiteral("ボキャブラ不要.TXT")).isEmpty());
}

QTEST_GUILESS_MAIN(TestDictionaries)
#include "tst_dictionaries.moc"
