#include "TestFiles.h"

#include "platform/ListFormat.h"
#include "platform/ShiftJis.h"
#include "records/PlayRecordFile.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace kotohana;
using namespace kotohana::test;

namespace {

PlayRecord plamaiPlay()
{
    return {QStringLiteral("2024/05/18"), QStringLiteral("21:05:09"), QStringLiteral("プラマイ"), 60.0f,
            QStringLiteral("秒数 : 60  (＋) モード")};
}

// The record above as a game appends it, in Shift_JIS with CR LF.
const QByteArray kAppendedBytes = QByteArray::fromHex(
    "22323032342f30352f3138222c2232313a30353a3039222c2283768389837d8343222c36302c2295629094203a203630202028817b2920"
    "8382815b8368222c0d0a");

} // namespace

class TestPlayRecordFile : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString path() const { return QDir(m_dir.path()).filePath(QStringLiteral("データ.txt")); }

private Q_SLOTS:
    void init() { QFile::remove(path()); }
    void appendedAndRewrittenBytes();
    void appendedLineDoesNotSwallowTheNext();
    void readsWhatItWrites();
    void sameSecondPlaysStayApart();
    void missingOrEmptyFileIsEmptyList();
    void skipsAndCountsLinesThatAreNotRecords();
    void undecodableBytesAreReported();
    void startNoticeTellsWhatWasNotRead_data();
    void startNoticeTellsWhatWasNotRead();
    void readsEveryLineAsItsText_data();
    void readsEveryLineAsItsText();
    void secondsAreTheNearestFloat();
    void rowTextBecomesSinglePrecisionSeconds();
    void truncateEmptiesTheFile();
};

void TestPlayRecordFile::appendedAndRewrittenBytes()
{
    const PlayRecordFile file(path());
    QVERIFY(file.append(plamaiPlay()).ok());
    QCOMPARE(readBytes(path()), kAppendedBytes);

    QVERIFY(file.rewrite({plamaiPlay()}).ok());
    QByteArray rewritten = kAppendedBytes;
    rewritten.insert(rewritten.size() - 2, "\"\"");
    QCOMPARE(readBytes(path()), rewritten);

    const PlayRecordFile::ReadResult read = file.readAll();
    QVERIFY(read.lossless());
    QCOMPARE(read.records, std::vector<PlayRecord>{plamaiPlay()});
}

void TestPlayRecordFile::appendedLineDoesNotSwallowTheNext()
{
    writeBytes(path(),
               sjis(QStringLiteral("\"2024/05/18\",\"21:05:09\",\"しりとり\",47.3,\"答数 : 10　新語 +2\",\n"
                                   "\"2024/05/18\",\"21:10:00\",\"バラバラ\",60,\"秒数 : 60\",\"\"\n")));
    const PlayRecordFile::ReadResult read = PlayRecordFile(path()).readAll();
    QCOMPARE(read.skippedLines, 0);
    QCOMPARE(read.records.size(), std::size_t(2));
    QCOMPARE(read.records[0].item, QStringLiteral("しりとり"));
    QCOMPARE(read.records[0].seconds, 47.3f);
    QCOMPARE(read.records[0].diary, QStringLiteral("答数 : 10　新語 +2"));
    QCOMPARE(read.records[1].item, QStringLiteral("バラバラ"));
    QCOMPARE(read.records[1].diary, QStringLiteral("秒数 : 60"));
}

void TestPlayRecordFile::readsWhatItWrites()
{
    const PlayRecordFile file(path());
    const std::vector<PlayRecord> records{
        plamaiPlay(),
        {QStringLiteral("2024/05/19"), QStringLiteral("07:00:01"), QStringLiteral("四熟虫喰"), 47.3f,
         QStringLiteral("答数 : 20  2:ノーマルモード")},
        {QStringLiteral("2024/05/19"), QStringLiteral("07:03:00"), QStringLiteral("カラパニ"), 12.5f,
         QStringLiteral("日記, カンマ入り")},
    };
    for (const PlayRecord &record : records)
        QVERIFY(file.append(record).ok());
    QCOMPARE(file.readAll().records, records);
    // Rewriting what was read reproduces the same records.
    QVERIFY(file.rewrite(file.readAll().records).ok());
    QCOMPARE(file.readAll().records, records);
}

void TestPlayRecordFile::sameSecondPlaysStayApart()
{
    const PlayRecordFile file(path());
    PlayRecord second = plamaiPlay();
    second.item = QStringLiteral("しりとり");
    QVERIFY(file.append(plamaiPlay()).ok());
    QVERIFY(file.append(second).ok());
    const auto records = file.readAll().records;
    QCOMPARE(records.size(), std::size_t(2));
    QCOMPARE(records[0].item, QStringLiteral("プラマイ"));
    QCOMPARE(records[1].item, QStringLiteral("しりとり"));
}

void TestPlayRecordFile::missingOrEmptyFileIsEmptyList()
{
    const PlayRecordFile file(path());
    QVERIFY(file.readAll().ok);
    QVERIFY(file.readAll().records.empty());
    writeBytes(path(), QByteArray());
    QVERIFY(file.readAll().records.empty());
    QVERIFY(file.readAll().lossless());
}

void TestPlayRecordFile::skipsAndCountsLinesThatAreNotRecords()
{
    writeBytes(path(),
               sjis(QStringLiteral("\"2024/05/18\",\"21:05:09\",\"プラマイ\",60,\"a\",\n"
                                   "\"2024/05/18\",\"21:06:00\",\"プラマイ\"\n" // too few fields
                                   "\"2024/05/18\",\"21:07:00\",\"プラマイ\",六十,\"b\",\n" // seconds not a number
                                   "\n" // blank: not counted
                                   "\"2024/05/18\",\"21:08:00\",\"プラマイ\",60,\"c\",\"\",7\n" // too many fields
                                   "\"2024/05/18\",\"21:08:10\",\"プラマイ\",3e38,\"e\",\n" // longer than a day
                                   "\"2024/05/18\",\"21:08:20\",\"プラマイ\",86401,\"f\",\n"
                                   "\"2024/05/18\",\"21:08:30\",\"プラマイ\",-3e38,\"g\",\n" // negative
                                   "\"2024/05/18\",\"21:08:40\",\"プラマイ\",-1,\"h\",\n"
                                   "\"2024/05/18\",\"21:08:50\",\"プラマイ\",86400,\"i\",\n" // a whole day
                                   "\"2024/05/18\",\"21:09:00\",\"プラマイ\",30,\"d\",\n")));
    const PlayRecordFile::ReadResult read = PlayRecordFile(path()).readAll();
    QCOMPARE(read.records.size(), std::size_t(3));
    QCOMPARE(read.records[0].diary, QStringLiteral("a"));
    QCOMPARE(read.records[1].diary, QStringLiteral("i"));
    QCOMPARE(read.records[2].diary, QStringLiteral("d"));
    QCOMPARE(read.skippedLines, 7);
    QVERIFY(!read.lossless());
}

void TestPlayRecordFile::undecodableBytesAreReported()
{
    QByteArray bytes = sjis(QStringLiteral("\"2024/05/18\",\"21:05:09\",\"プラマイ\",60,\"a"));
    bytes += QByteArray("\xff", 1);
    bytes += "\",\r\n";
    writeBytes(path(), bytes);
    const PlayRecordFile::ReadResult read = PlayRecordFile(path()).readAll();
    QVERIFY(read.hadInvalidBytes);
    QVERIFY(!read.lossless());
    QCOMPARE(read.records.size(), std::size_t(1));
}

void TestPlayRecordFile::readsEveryLineAsItsText_data()
{
    QTest::addColumn<QByteArray>("line");
    const QByteArray head = sjis(QStringLiteral("\"2024/05/18\",\"21:05:09\",\"プラマイ\","));
    const QByteArray diary = sjis(QStringLiteral(",\"秒数 : 60\","));
    QTest::newRow("appended") << head + "43.8" + diary;
    QTest::newRow("rewritten") << head + "60" + diary + "\"\"";
    QTest::newRow("blanks around fields") << QByteArray(" \"2024/05/18\" ,\t\"21:05:09\",\"a\", 60 ,\"b\" ,");
    QTest::newRow("quoted seconds") << QByteArray("\"2024/05/18\",\"21:05:09\",\"a\",\"60\",\"b\",");
    QTest::newRow("text after a closing quote") << QByteArray("\"2024/05/18\"x,\"21:05:09\",\"a\",60,\"b\",");
    QTest::newRow("a sixth field") << head + "60" + diary + "\"memo\"";
    QTest::newRow("not Shift_JIS in the sixth field") << head + "60" + diary + "\"\xff\"";
    QTest::newRow("not Shift_JIS between fields") << QByteArray("\"2024/05/18\"\x85\x40,\"21:05:09\",\"a\",60,\"b\",");
    QTest::newRow("not Shift_JIS in a line that is no record") << QByteArray("\"\xff\",1");
    QTest::newRow("not Shift_JIS in the item") << QByteArray("\"2024/05/18\",\"21:05:09\",\"\x81\",60,\"b\",");
    QTest::newRow("a wide space before the seconds") << head + sjis(QStringLiteral("　60")) + diary;
    for (const char *seconds : {"47.29999", "1e2", "+5", "0060.50", "60.", ".5", "00000060", "12345678", "86400", "86400.001",
                                "-0", "0.0001", "6 0", "0x10", "inf"})
        QTest::newRow(seconds) << head + seconds + diary;
}

// The line's fields are found in its bytes: whatever the line holds, the record, the lines left
// out and the bytes that are not Shift_JIS are those its decoded text gives.
void TestPlayRecordFile::readsEveryLineAsItsText()
{
    QFETCH(QByteArray, line);
    writeBytes(path(), line + "\r\n" + line);
    const PlayRecordFile::ReadResult read = PlayRecordFile(path()).readAll();
    const DecodedText text = ShiftJis::decode(line);
    const std::optional<PlayRecord> record = PlayRecordFile::recordOf(text.text, nullptr);
    const std::vector<PlayRecord> expected = record ? std::vector<PlayRecord>{*record, *record} : std::vector<PlayRecord>{};
    QCOMPARE(read.records, expected);
    QCOMPARE(read.skippedLines, record ? 0 : 2);
    QCOMPARE(read.hadInvalidBytes, text.hadInvalidBytes);
}

// Seconds as the games write them are read without the general number reader: each is the float
// nearest its text all the same.
void TestPlayRecordFile::secondsAreTheNearestFloat()
{
    QRandomGenerator draws(7);
    QStringList texts{QStringLiteral("86399.999"), QStringLiteral("0.001"), QStringLiteral("0"), QStringLiteral("16777217")};
    for (int i = 0; i < 20000; ++i) {
        const int decimals = int(draws.bounded(4));
        const QString whole = QString::number(draws.bounded(86400));
        texts << (decimals == 0 ? whole
                                : whole + u'.' + QString::number(draws.bounded(1000)).rightJustified(3, u'0').left(decimals));
    }
    QByteArray bytes;
    for (const QString &seconds : texts)
        bytes += "\"2024/05/18\",\"21:05:09\",\"a\"," + seconds.toLatin1() + ",\"b\",\r\n";
    writeBytes(path(), bytes);
    const PlayRecordFile::ReadResult read = PlayRecordFile(path()).readAll();
    QCOMPARE(read.records.size() + std::size_t(read.skippedLines), std::size_t(texts.size()));
    for (qsizetype i = 0, kept = 0; i < texts.size(); ++i) {
        const std::optional<float> expected = ListFormat::parseNumber(texts[i]);
        if (!expected || *expected > PlayRecord::kMostSeconds)
            continue;
        QCOMPARE(read.records[std::size_t(kept++)].seconds, *expected);
    }
}

void TestPlayRecordFile::rowTextBecomesSinglePrecisionSeconds()
{
    const PlayRecord record = PlayRecordFile::fromListRow(u"2024/05/18", u"21:05:09", u"プラマイ", u"47.3", u"日記");
    QCOMPARE(record.seconds, 47.3f);
    QCOMPARE(PlayRecordFile::rewrittenLine(record), QStringLiteral("\"2024/05/18\",\"21:05:09\",\"プラマイ\",47.3,\"日記\",\"\""));
    QCOMPARE(PlayRecordFile::fromListRow(u"", u"", u"", u"", u"").seconds, 0.0f);
}

void TestPlayRecordFile::truncateEmptiesTheFile()
{
    const PlayRecordFile file(path());
    QVERIFY(file.append(plamaiPlay()).ok());
    QVERIFY(file.truncate().ok());
    QCOMPARE(readBytes(path()), QByteArray());
}

void TestPlayRecordFile::startNoticeTellsWhatWasNotRead_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("otherEncoding");
    QTest::addColumn<QString>("notice");
    const QString record = QStringLiteral("\"2024/05/18\",\"21:05:09\",\"プラマイ\",60,\"日記\",\n");
    const QString kept = QStringLiteral("ファイルはそのまま残してあります。");
    QTest::newRow("read whole") << sjis(record) << false << QString();
    QTest::newRow("lines that are not records")
        << sjis(record + QStringLiteral("メモ\n\"2024/05/18\",\"21:06:00\"\n") + record) << false
        << QStringLiteral("データ.txt の 2 行を記録として読めませんでした。\n") + kept;
    QTest::newRow("saved as UTF-8")
        << QString(record + QStringLiteral("\"2024/05/18\",60\n")).replace(QStringLiteral("\n"), QStringLiteral("\r\n")).toUtf8()
        << true
        << QStringLiteral("データ.txt は Shift_JIS ではなく、別の文字コード（UTF-8）で書かれているようです。"
                          "日本語の部分は正しく表示されません。Shift_JIS で保存し直してから、もう一度起動してください。\n"
                          "データ.txt の 1 行を記録として読めませんでした。\n")
            + kept;
    QTest::newRow("bytes that are not text")
        << sjis(record) + QByteArray("\"2024/05/18\",\"21:07:00\",\"\xff\",1,\"\",\r\n") << false
        << QStringLiteral("データ.txt に Shift_JIS として読めない文字がありました。"
                          "その文字は「？」などに置き換えて表示しています。\n")
            + kept;
}

// The notice at start names what was not read; the file itself is never changed by reading.
void TestPlayRecordFile::startNoticeTellsWhatWasNotRead()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, otherEncoding);
    QFETCH(QString, notice);
    writeBytes(path(), bytes);
    const PlayRecordFile::ReadResult read = PlayRecordFile(path()).readAll();
    QVERIFY(read.ok);
    QCOMPARE(read.otherEncoding, otherEncoding);
    QCOMPARE(PlayRecordFile::startNotice(read), notice);
    QCOMPARE(readBytes(path()), bytes);
}

QTEST_GUILESS_MAIN(TestPlayRecordFile)
#include "tst_playrecordfile.moc"
