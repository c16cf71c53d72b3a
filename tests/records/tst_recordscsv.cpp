#include "CsvReader.h"

#include "records/RecordsCsv.h"

#include <QTest>

using namespace kotohana;
using namespace kotohana::test;

namespace {

const QStringList kHeadings{QStringLiteral("日付"), QStringLiteral("時間"), QStringLiteral("項目"), QStringLiteral("秒"),
                            QStringLiteral("一言日記")};

PlayRecord record(const QString &diary, float seconds = 60, const QString &item = QStringLiteral("プラマイ"))
{
    return {QStringLiteral("2024/05/18"), QStringLiteral("08:00:00"), item, seconds, diary};
}

} // namespace

class TestRecordsCsv : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void exactBytes();
    void everyFieldReadsBack_data();
    void everyFieldReadsBack();
    void noRecordsLeaveTheHeadings();
    void formulasStayText();
    void testReaderRefusesWhatTheStandardDoesNot_data();
    void testReaderRefusesWhatTheStandardDoesNot();
};

void TestRecordsCsv::exactBytes()
{
    const QByteArray csv = recordsCsv({record(QStringLiteral("秒数 : 60  (＋) モード")),
                                       record(QStringLiteral("a,\"b\"\r\nc"), 12.5f, QStringLiteral("しりとり"))});
    QCOMPARE(csv,
             QByteArray("\xEF\xBB\xBF")
                 + QStringLiteral("日付,時間,項目,秒,一言日記\r\n"
                                  "2024/05/18,08:00:00,プラマイ,60,秒数 : 60  (＋) モード\r\n"
                                  "2024/05/18,08:00:00,しりとり,12.5,\"a,\"\"b\"\"\r\nc\"\r\n")
                       .toUtf8());
}

void TestRecordsCsv::everyFieldReadsBack_data()
{
    QTest::addColumn<QString>("diary");
    QTest::addColumn<QString>("item");
    QTest::addColumn<float>("seconds");
    QTest::addColumn<QString>("secondsText");
    QTest::newRow("plain") << QStringLiteral("秒数 : 60  (＋) モード") << QStringLiteral("プラマイ") << 60.0f
                           << QStringLiteral("60");
    QTest::newRow("empty diary") << QString() << QStringLiteral("バラバラ") << 47.3f << QStringLiteral("47.3");
    QTest::newRow("comma") << QStringLiteral("朝,昼,晩") << QStringLiteral("しりとり") << 0.1f << QStringLiteral("0.1");
    QTest::newRow("quotes") << QStringLiteral("\"名言\"と言った\"") << QStringLiteral("連想心理") << 30.0f << QStringLiteral("30");
    QTest::newRow("only a quote") << QStringLiteral("\"") << QStringLiteral("カラパニ") << 30.0f << QStringLiteral("30");
    QTest::newRow("CR LF") << QStringLiteral("一行目\r\n二行目") << QStringLiteral("ボキャブラ") << 30.0f << QStringLiteral("30");
    QTest::newRow("bare LF and CR") << QStringLiteral("a\nb\rc\n") << QStringLiteral("四熟虫喰") << 30.0f << QStringLiteral("30");
    QTest::newRow("everything at once") << QStringLiteral(",\"\r\n\"\",") << QStringLiteral("プラマイ") << 86400.0f
                                        << QStringLiteral("86400");
    QTest::newRow("blanks kept") << QStringLiteral("  前後に空白　") << QStringLiteral("プラマイ") << 60.0f << QStringLiteral("60");
    QTest::newRow("an item with a comma") << QStringLiteral("手で書いた") << QStringLiteral("なぞ,なぞ") << 5.5f
                                          << QStringLiteral("5.5");
}

void TestRecordsCsv::everyFieldReadsBack()
{
    QFETCH(QString, diary);
    QFETCH(QString, item);
    QFETCH(float, seconds);
    QFETCH(QString, secondsText);
    const PlayRecord before{QStringLiteral("2024/05/17"), QStringLiteral("23:59:59"), QStringLiteral("プラマイ"), 60,
                            QStringLiteral("前")};
    const PlayRecord after{QStringLiteral("2024/05/19"), QStringLiteral("00:00:00"), QStringLiteral("しりとり"), 30,
                           QStringLiteral("後")};
    const CsvContent read = readCsv(recordsCsv({before, record(diary, seconds, item), after}));
    QVERIFY2(read.error.isEmpty(), qPrintable(read.error));
    QCOMPARE(read.rows.size(), std::size_t(4));
    QCOMPARE(read.rows[0], kHeadings);
    QCOMPARE(read.rows[1],
             (QStringList{QStringLiteral("2024/05/17"), QStringLiteral("23:59:59"), QStringLiteral("プラマイ"),
                          QStringLiteral("60"), QStringLiteral("前")}));
    QCOMPARE(read.rows[2], (QStringList{QStringLiteral("2024/05/18"), QStringLiteral("08:00:00"), item, secondsText, diary}));
    QCOMPARE(read.rows[3],
             (QStringList{QStringLiteral("2024/05/19"), QStringLiteral("00:00:00"), QStringLiteral("しりとり"),
                          QStringLiteral("30"), QStringLiteral("後")}));
}

void TestRecordsCsv::noRecordsLeaveTheHeadings()
{
    const CsvContent read = readCsv(recordsCsv({}));
    QVERIFY(read.error.isEmpty());
    QCOMPARE(read.rows.size(), std::size_t(1));
    QCOMPARE(read.rows[0], kHeadings);
}

// What a spreadsheet would run as a formula starts with an apostrophe, which makes it text.
void TestRecordsCsv::formulasStayText()
{
    const CsvContent read = readCsv(recordsCsv(
        {{QStringLiteral("=1+1"), QStringLiteral("+1"), QStringLiteral("-2+3"), 60, QStringLiteral("@SUM(A1)")},
         {QStringLiteral("\t=1"), QStringLiteral("\r=1"), QStringLiteral("=cmd|' /C calc'!A0"), 1, QStringLiteral("a=b")}}));
    QCOMPARE(read.rows[1], (QStringList{"'=1+1", "'+1", "'-2+3", "60", "'@SUM(A1)"}));
    QCOMPARE(read.rows[2], (QStringList{"'\t=1", "'\r=1", "'=cmd|' /C calc'!A0", "1", "a=b"}));
}

// The reader that checks the writer must itself tell a broken file.
void TestRecordsCsv::testReaderRefusesWhatTheStandardDoesNot_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("no byte order mark") << QByteArray("a,b\r\n");
    QTest::newRow("bare LF") << QByteArray("\xEF\xBB\xBF"
                                           "a,b\n");
    QTest::newRow("quote in a bare field") << QByteArray("\xEF\xBB\xBF"
                                                         "a\"b\r\n");
    QTest::newRow("unclosed quote") << QByteArray("\xEF\xBB\xBF"
                                                  "\"a,b\r\n");
    QTest::newRow("text after the closing quote") << QByteArray("\xEF\xBB\xBF"
                                                                "\"a\"b\r\n");
    QTest::newRow("last row unended") << QByteArray("\xEF\xBB\xBF"
                                                    "a,b");
    QTest::newRow("not UTF-8") << QByteArray("\xEF\xBB\xBF"
                                             "\x93\xfa\r\n");
}

void TestRecordsCsv::testReaderRefusesWhatTheStandardDoesNot()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(!readCsv(bytes).error.isEmpty());
}

QTEST_GUILESS_MAIN(TestRecordsCsv)
#include "tst_recordscsv.moc"
