#include "FileSizeLimit.h"
#include "TestFiles.h"

#include "platform/ListFormat.h"
#include "platform/ShiftJis.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <optional>
#include <vector>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kotohana;
using namespace kotohana::test;

class TestTextFiles : public QObject
{
    Q_OBJECT

private:
    QString pathOf(const QString &name) const { return QDir(m_dir.path()).filePath(name); }
    QTemporaryDir m_dir;

private Q_SLOTS:
    void encodesAsWindowsDoes_data();
    void encodesAsWindowsDoes();
    void inputMethodFormsAreWrittenAsWindowsShowsThem();
    void refusesWhatShiftJisCannotHold_data();
    void refusesWhatShiftJisCannotHold();
    void reportsUndecodableBytes();
    void decodesEveryByteAsTheConverterDoes();
    void splitsLinesAtCrLfOrLf_data();
    void splitsLinesAtCrLfOrLf();
    void lineReaderGivesTheLinesOfTheWholeText_data();
    void lineReaderGivesTheLinesOfTheWholeText();
    void writesAndAppendsCrLfLines();
    void appendAfterLineWithoutBreakKeepsBothLines();
    void unencodableTextWritesNothing();
    void failedRewriteLeavesOldFileWhole();
    void bytesAndCopiesAreWrittenAsTheyAre();
    void failedAppendLeavesOldFileWhole();
    void writeBeyondSizeLimitFailsWithoutEndingTheProgram();
    void fileErrorsAreToldInJapanese_data();
    void fileErrorsAreToldInJapanese();
    void onlyRegularFilesAreReadOrWritten_data();
    void onlyRegularFilesAreReadOrWritten();
    void filesBeyondTheLimitAreNotRead();
    void recognisesUtf8_data();
    void recognisesUtf8();
    void numbersInShortestForm_data();
    void numbersInShortestForm();
    void parsesOnlyWholeNumbers_data();
    void parsesOnlyWholeNumbers();
    void splitsFields_data();
    void splitsFields();
    void writerQuotesAndKeepsRecordsWhole();
};

void TestTextFiles::encodesAsWindowsDoes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("katakana") << QStringLiteral("データ") << QByteArray::fromHex("8366815b835e");
    QTest::newRow("backslash and tilde stay ASCII") << QStringLiteral("\\~") << QByteArray("\\~");
    QTest::newRow("full-width tilde") << QStringLiteral("～") << QByteArray::fromHex("8160");
    QTest::newRow("full-width minus") << QStringLiteral("－") << QByteArray::fromHex("817c");
    QTest::newRow("NEC circled digit") << QStringLiteral("①") << QByteArray::fromHex("8740");
    QTest::newRow("half-width kana") << QStringLiteral("ｶﾞ") << QByteArray::fromHex("b6de");
    QTest::newRow("ideographic space") << QStringLiteral("　") << QByteArray::fromHex("8140");
    QTest::newRow("control characters, not IBM's (0x7F as U+001A)")
        << QStringLiteral("\u001A\u001C\u007F") << QByteArray("\x1a\x1c\x7f");
}

void TestTextFiles::inputMethodFormsAreWrittenAsWindowsShowsThem()
{
    // Input methods type 〜 − ¥, which code page 932 holds as ～ － ￥.
    const EncodedText encoded = ShiftJis::encode(QStringLiteral("1〜2−3¥"));
    QVERIFY(encoded.ok());
    QCOMPARE(encoded.bytes, QByteArray::fromHex("3181603281") + QByteArray::fromHex("7c33818f"));
    QVERIFY(!ShiftJis::firstUnencodable(QStringLiteral("〜")));
}

void TestTextFiles::encodesAsWindowsDoes()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    const EncodedText encoded = ShiftJis::encode(text);
    QVERIFY(encoded.ok());
    QCOMPARE(encoded.bytes, bytes);
    const DecodedText decoded = ShiftJis::decode(bytes);
    QVERIFY(!decoded.hadInvalidBytes);
    QCOMPARE(decoded.text, text);
}

void TestTextFiles::refusesWhatShiftJisCannotHold_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<uint>("culprit");
    QTest::newRow("emoji") << QStringLiteral("ねこ😀です") << uint(0x1F600);
    QTest::newRow("hangul") << QStringLiteral("안녕") << uint(0xC548);
    QTest::newRow("accented latin") << QStringLiteral("café") << uint(0xE9);
}

void TestTextFiles::refusesWhatShiftJisCannotHold()
{
    QFETCH(QString, text);
    QFETCH(uint, culprit);
    const EncodedText encoded = ShiftJis::encode(text);
    QVERIFY(!encoded.ok());
    QCOMPARE(uint(*encoded.unencodable), culprit);
    QVERIFY(encoded.bytes.isEmpty());
    QVERIFY(ShiftJis::describeCharacter(*encoded.unencodable).contains(QStringLiteral("U+")));
}

void TestTextFiles::reportsUndecodableBytes()
{
    // A lone lead byte at the end, and bytes no Shift_JIS text holds.
    for (const QByteArray &bytes : {QByteArray("ok\x82", 3), QByteArray("\x85\x40", 2), QByteArray("a\xfd", 2)}) {
        const DecodedText decoded = ShiftJis::decode(bytes);
        QVERIFY2(decoded.hadInvalidBytes, bytes.toHex().constData());
    }
    writeBytes(pathOf(QStringLiteral("bad.txt")), QByteArray("\x82\xa0\r\n\xff\r\n", 6));
    const TextFile::ReadResult read = TextFile::read(pathOf(QStringLiteral("bad.txt")));
    QVERIFY(read.ok);
    QVERIFY(read.hadInvalidBytes);
    QCOMPARE(TextFile::lines(read.text).size(), 2);
    QCOMPARE(TextFile::lines(read.text).first(), QStringLiteral("あ"));
}

void TestTextFiles::decodesEveryByteAsTheConverterDoes()
{
    // The converter alone, each piece between the three control bytes it reads the IBM way.
    const auto converted = [](const QByteArray &bytes) {
        DecodedText result;
        qsizetype start = 0;
        for (qsizetype i = 0; i <= bytes.size(); ++i) {
            if (i < bytes.size() && bytes[i] != '\x1A' && bytes[i] != '\x1C' && bytes[i] != '\x7F')
                continue;
            QStringDecoder converter("windows-31j", QStringConverter::Flag::Stateless);
            result.text += QString(converter.decode(bytes.sliced(start, i - start))).replace(QChar(0xFFFD), QChar(0xFF1F));
            result.hadInvalidBytes |= converter.hasError();
            if (i < bytes.size())
                result.text += QChar(char16_t(bytes[i]));
            start = i + 1;
        }
        return result;
    };
    // Every byte and pair of bytes, and every three of the bytes where the reading changes.
    std::vector<QByteArray> texts;
    for (int first = 0; first < 256; ++first) {
        texts.push_back(QByteArray(1, char(first)));
        for (int second = 0; second < 256; ++second)
            texts.push_back(QByteArray(1, char(first)) + char(second));
    }
    const QByteArray edges("\x00\x0a\x1a\x1c\x3f\x40\x5c\x7e\x7f\x80\x81\x82\x9f\xa0\xa1\xdf\xe0\xef\xf0\xfc\xfd\xff", 22);
    for (const char a : edges)
        for (const char b : edges)
            for (const char c : edges)
                texts.push_back(QByteArray(1, a) + b + c);
    for (const QByteArray &bytes : texts) {
        const DecodedText expected = converted(bytes);
        const DecodedText decoded = ShiftJis::decode(bytes);
        QVERIFY2(decoded.text == expected.text && decoded.hadInvalidBytes == expected.hadInvalidBytes, bytes.toHex().constData());
    }
}

void TestTextFiles::splitsLinesAtCrLfOrLf_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty") << QString() << QStringList();
    QTest::newRow("one line with break") << QStringLiteral("a\r\n") << QStringList{QStringLiteral("a")};
    QTest::newRow("last line without break") << QStringLiteral("a\r\nb") << QStringList{QStringLiteral("a"), QStringLiteral("b")};
    QTest::newRow("bare LF") << QStringLiteral("a\nb\n") << QStringList{QStringLiteral("a"), QStringLiteral("b")};
    QTest::newRow("empty lines kept") << QStringLiteral("a\r\n\r\nb\r\n")
                                      << QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")};
}

void TestTextFiles::splitsLinesAtCrLfOrLf()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QStringList got;
    for (QStringView line : TextFile::lines(text))
        got.append(line.toString());
    QCOMPARE(got, lines);
}

void TestTextFiles::lineReaderGivesTheLinesOfTheWholeText_data()
{
    // The reader decodes pieces of some tens of kilobytes: long files cross piece boundaries.
    QTest::addColumn<QByteArray>("bytes");
    QByteArray many;
    for (int i = 0; i < 6000; ++i)
        many += sjis(
            QStringLiteral("\"2024/05/18\",\"21:05:%1\",\"四熟虫喰\",60,\"一石二鳥\",\n").arg(i % 60, 2, 10, QLatin1Char('0')));
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("short, last line without break") << sjis(QStringLiteral("一\ntwo\n三"));
    QTest::newRow("many CR LF lines") << many;
    QTest::newRow("bare LF and empty lines") << QByteArray(many).replace("\r\n", "\n") + QByteArray("\n\nend");
    QTest::newRow("final CR without LF") << many + QByteArray("last\r");
    QByteArray damaged = many;
    damaged.insert(48 * 1024 - 1, "\x81\x0a\xff"); // a lone lead byte and a byte that is no character
    QTest::newRow("bytes that are not Shift_JIS") << damaged;
    QTest::newRow("one line longer than a piece") << QByteArray(100 * 1024, 'x') + "\r\n" + many;
}

void TestTextFiles::lineReaderGivesTheLinesOfTheWholeText()
{
    QFETCH(QByteArray, bytes);
    const QString path = pathOf(QStringLiteral("pieces.txt"));
    writeBytes(path, bytes);
    const TextFile::ReadResult whole = TextFile::read(path);
    QStringList expected;
    for (QStringView line : TextFile::lines(whole.text))
        expected.append(line.toString());
    TextFile::LineReader reader(path);
    QVERIFY(reader.ok());
    QStringList got;
    QStringView line;
    while (reader.next(line))
        got.append(line.toString());
    QCOMPARE(got.size(), expected.size());
    QCOMPARE(got, expected);
    QCOMPARE(reader.hadInvalidBytes(), whole.hadInvalidBytes);

    TextFile::LineReader missing(pathOf(QStringLiteral("missing.txt")));
    QVERIFY(missing.ok());
    QVERIFY(!missing.exists());
    QVERIFY(!missing.next(line));
}

void TestTextFiles::writesAndAppendsCrLfLines()
{
    const QString path = pathOf(QStringLiteral("lines.txt"));
    QVERIFY(TextFile::writeLines(path, {QStringLiteral("一"), QStringLiteral("two")}).ok());
    QCOMPARE(readBytes(path), sjis(QStringLiteral("一\ntwo\n")));
    QVERIFY(TextFile::appendLine(path, QStringLiteral("三")).ok());
    QCOMPARE(readBytes(path), sjis(QStringLiteral("一\ntwo\n三\n")));

    const QString fresh = pathOf(QStringLiteral("fresh.txt"));
    QVERIFY(TextFile::appendLine(fresh, QStringLiteral("new")).ok());
    QCOMPARE(readBytes(fresh), QByteArray("new\r\n"));
    QVERIFY(TextFile::truncate(fresh).ok());
    QCOMPARE(readBytes(fresh), QByteArray());

    const TextFile::ReadResult missing = TextFile::read(pathOf(QStringLiteral("missing.txt")));
    QVERIFY(missing.ok);
    QVERIFY(!missing.exists);
    QVERIFY(missing.text.isEmpty());
}

void TestTextFiles::appendAfterLineWithoutBreakKeepsBothLines()
{
    const QString path = pathOf(QStringLiteral("edited.txt"));
    writeBytes(path, QByteArray("hand edited"));
    QVERIFY(TextFile::appendLine(path, QStringLiteral("appended")).ok());
    QCOMPARE(readBytes(path), QByteArray("hand edited\r\nappended\r\n"));
}

void TestTextFiles::unencodableTextWritesNothing()
{
    const QString path = pathOf(QStringLiteral("keep.txt"));
    writeBytes(path, QByteArray("old\r\n"));
    const FileResult rewrite = TextFile::writeLines(path, {QStringLiteral("fine"), QStringLiteral("bad😀")});
    QCOMPARE(rewrite.status, FileResult::Status::Unencodable);
    QCOMPARE(uint(*rewrite.unencodable), 0x1F600u);
    QVERIFY(rewrite.message.contains(QStringLiteral("😀")));
    const FileResult append = TextFile::appendLine(path, QStringLiteral("bad😀"));
    QCOMPARE(append.status, FileResult::Status::Unencodable);
    QCOMPARE(readBytes(path), QByteArray("old\r\n"));
}

void TestTextFiles::failedRewriteLeavesOldFileWhole()
{
    const QString path = pathOf(QStringLiteral("whole.txt"));
    const QByteArray old = sjis(QStringLiteral("\"ヘルプツアー\",1\n"));
    writeBytes(path, old);
    FileResult result;
    {
        const FileSizeLimit limit(64);
        result = TextFile::writeLines(path, QStringList(50, QStringLiteral("a line that will not fit")));
    }
    QCOMPARE(result.status, FileResult::Status::Failed);
    QVERIFY(result.message.contains(QStringLiteral("whole.txt")));
    QCOMPARE(readBytes(path), old);
    // No half-written temporary file is left behind either.
    QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral("whole.txt*")}, QDir::Files).size(), 1);
}

// Whatever the bytes are (not Shift_JIS, a bare LF, a NUL, no final line break), a copy is
// the same bytes; a copy that fails leaves the file it was to replace whole.
void TestTextFiles::bytesAndCopiesAreWrittenAsTheyAre()
{
    static const char oddBytes[] = "\xEF\xBB\xBF\xE6\x97\xA5\xE4\xBB\x98,\"a\"\"b\"\n\x00\x81\r\nend";
    const QByteArray odd(oddBytes, sizeof oddBytes - 1);
    const QString written = pathOf(QStringLiteral("表.csv"));
    QVERIFY(TextFile::writeBytes(written, odd).ok());
    QCOMPARE(readBytes(written), odd);

    const QString copied = pathOf(QStringLiteral("写し.txt"));
    writeBytes(copied, QByteArray("older and longer content\r\n"));
    QVERIFY(TextFile::copy(written, copied).ok());
    QCOMPARE(readBytes(copied), odd);
    QVERIFY(TextFile::copy(pathOf(QStringLiteral("empty.txt")), copied).message.contains(QStringLiteral("empty.txt")));
    writeBytes(pathOf(QStringLiteral("empty.txt")), QByteArray());
    QVERIFY(TextFile::copy(pathOf(QStringLiteral("empty.txt")), pathOf(QStringLiteral("empty copy.txt"))).ok());
    QCOMPARE(readBytes(pathOf(QStringLiteral("empty copy.txt"))), QByteArray());
    // A copy longer than the piece it goes through (1 MiB), and no whole number of pieces.
    QByteArray pattern(2 * 1024 * 1024 + 3, Qt::Uninitialized);
    for (qsizetype i = 0; i < pattern.size(); ++i)
        pattern[i] = char(i * 7 % 251);
    writeBytes(pathOf(QStringLiteral("long.txt")), pattern);
    QVERIFY(TextFile::copy(pathOf(QStringLiteral("long.txt")), pathOf(QStringLiteral("long copy.txt"))).ok());
    QCOMPARE(readBytes(pathOf(QStringLiteral("long copy.txt"))), pattern);

    const QString large = pathOf(QStringLiteral("large.txt"));
    writeBytes(large, QByteArray(200, 'x'));
    FileResult result;
    {
        const FileSizeLimit limit(64);
        result = TextFile::copy(large, copied);
    }
    QVERIFY(!result.ok());
    QVERIFY(result.message.contains(QStringLiteral("写し.txt")));
    QCOMPARE(readBytes(copied), odd);
    QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral("写し.txt*")}, QDir::Files).size(), 1);
}

void TestTextFiles::failedAppendLeavesOldFileWhole()
{
    const QString path = pathOf(QStringLiteral("append.txt"));
    const QByteArray old("first line\r\n");
    writeBytes(path, old);
    FileResult result;
    {
        const FileSizeLimit limit(20);
        result = TextFile::appendLine(path, QStringLiteral("a second line far too long for the limit"));
    }
    QCOMPARE(result.status, FileResult::Status::Failed);
    QCOMPARE(readBytes(path), old);
    // Taking an append back cuts the program's own line only, never one appended after it.
    TextFile::Appended appended;
    QVERIFY(TextFile::appendLine(path, u"second", &appended).ok() && TextFile::takeBack(path, appended).ok());
    QCOMPARE(readBytes(path), old);
    QVERIFY(TextFile::appendLine(path, u"second", &appended).ok() && TextFile::appendLine(path, u"another's").ok());
    QVERIFY(!TextFile::takeBack(path, appended).ok());
    QCOMPARE(readBytes(path), old + "second\r\nanother's\r\n");
}

void TestTextFiles::writeBeyondSizeLimitFailsWithoutEndingTheProgram()
{
    const QString path = pathOf(QStringLiteral("limited.txt"));
    const QByteArray old("first line\r\n");
    writeBytes(path, old);
    // A process of its own, starting from the system's default for the signal such a write
    // raises: the program's start-up call is all that keeps it alive.
    const pid_t child = fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_DFL);
        TextFile::failWritesBeyondSizeLimit();
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = 20;
        setrlimit(RLIMIT_FSIZE, &limit);
        const FileResult result = TextFile::appendLine(path, QStringLiteral("a second line far too long for the limit"));
        const bool reported = !result.ok()
            && result.message.startsWith(QStringLiteral("ファイル「limited.txt」に書き込めませんでした。"));
        _exit(reported ? 0 : 1);
    }
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY2(WIFEXITED(status), "the write ended the process");
    QCOMPARE(WEXITSTATUS(status), 0);
    QCOMPARE(readBytes(path), old);
}

void TestTextFiles::fileErrorsAreToldInJapanese_data()
{
    QTest::addColumn<QString>("situation");
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("reason");
    const QString folder = QStringLiteral("同じ名前のフォルダがあります");
    const QString missing = QStringLiteral("ファイルまたはフォルダが見つかりません");
    const QString denied = QStringLiteral("アクセスが許可されていません");
    const QString tooLarge = QStringLiteral("ファイルが大きくなりすぎました。ファイルの大きさの上限を超えています");
    for (const char *operation : {"rewrite", "append", "empty", "cut back", "read", "read lines"})
        QTest::addRow("folder in its place, %s", operation) << QStringLiteral("folder") << operation << folder;
    for (const char *operation : {"rewrite", "append", "empty", "cut back"})
        QTest::addRow("missing folder, %s", operation) << QStringLiteral("missing folder") << operation << missing;
    for (const char *operation : {"rewrite", "append"}) {
        QTest::addRow("size limit, %s", operation) << QStringLiteral("size limit") << operation << tooLarge;
        QTest::addRow("read-only folder, %s", operation) << QStringLiteral("read-only folder") << operation << denied;
        QTest::addRow("read-only file, %s", operation) << QStringLiteral("read-only file") << operation << denied;
    }
    for (const char *operation : {"read", "read lines"})
        QTest::addRow("unreadable file, %s", operation) << QStringLiteral("unreadable file") << operation << denied;
}

void TestTextFiles::fileErrorsAreToldInJapanese()
{
    QFETCH(QString, situation);
    QFETCH(QString, operation);
    QFETCH(QString, reason);
    const bool permissions = situation.startsWith(QStringLiteral("read-only")) || situation == QStringLiteral("unreadable file");
    if (permissions && geteuid() == 0)
        QSKIP("file permissions do not hold for root");
    QTemporaryDir dir;
    QString path = QDir(dir.path()).filePath(QStringLiteral("記録.txt"));
    std::optional<FileSizeLimit> limit;
    if (situation == QStringLiteral("folder")) {
        QVERIFY(QDir().mkdir(path));
    } else if (situation == QStringLiteral("missing folder")) {
        path = QDir(dir.path()).filePath(QStringLiteral("ない/記録.txt"));
    } else if (situation == QStringLiteral("size limit")) {
        limit.emplace(16);
    } else if (situation == QStringLiteral("read-only folder")) {
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    } else if (situation == QStringLiteral("read-only file")) {
        writeBytes(path, QByteArray("a\r\n"));
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
    } else if (situation == QStringLiteral("unreadable file")) {
        writeBytes(path, QByteArray("a\r\n"));
        QVERIFY(QFile::setPermissions(path, QFile::WriteOwner));
    }
    const QString line = QStringLiteral("a line longer than the limit of sixteen bytes");
    QString message;
    if (operation == QStringLiteral("rewrite")) {
        message = TextFile::writeLines(path, {line}).message;
    } else if (operation == QStringLiteral("append")) {
        message = TextFile::appendLine(path, line).message;
    } else if (operation == QStringLiteral("empty")) {
        message = TextFile::truncate(path).message;
    } else if (operation == QStringLiteral("cut back")) {
        message = TextFile::takeBack(path, {}).message;
    } else if (operation == QStringLiteral("read")) {
        message = TextFile::read(path).message;
    } else {
        TextFile::LineReader reader(path);
        QStringView next;
        while (reader.next(next)) { }
        message = reader.message();
    }
    limit.reset();
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString done = operation.startsWith(QStringLiteral("read")) ? QStringLiteral("を読み込めませんでした")
                                                                      : QStringLiteral("に書き込めませんでした");
    QCOMPARE(message, QStringLiteral("ファイル「%1」%2。\n（%3）").arg(QFileInfo(path).fileName(), done, reason));
}

void TestTextFiles::numbersInShortestForm_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << 60.0f << QStringLiteral("60");
    QTest::newRow("one decimal") << 47.3f << QStringLiteral("47.3");
    QTest::newRow("below one") << 0.5f << QStringLiteral("0.5");
    QTest::newRow("zero") << 0.0f << QStringLiteral("0");
    QTest::newRow("negative zero") << -0.0f << QStringLiteral("0");
    QTest::newRow("large") << 123456.0f << QStringLiteral("123456");
    QTest::newRow("negative") << -2.25f << QStringLiteral("-2.25");
    QTest::newRow("float noise") << 0.1f + 0.2f << QStringLiteral("0.3");
}

void TestTextFiles::numbersInShortestForm()
{
    QFETCH(float, value);
    QFETCH(QString, text);
    QCOMPARE(ListFormat::formatNumber(value), text);
    const std::optional<float> back = ListFormat::parseNumber(text);
    QVERIFY(back.has_value());
    QCOMPARE(ListFormat::formatNumber(*back), text);
}

void TestTextFiles::parsesOnlyWholeNumbers_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<float>("value");
    QTest::newRow("plain") << QStringLiteral("60") << true << 60.0f;
    QTest::newRow("blanks around") << QStringLiteral(" 47.3 ") << true << 47.3f;
    QTest::newRow("leading point") << QStringLiteral(".5") << true << 0.5f;
    QTest::newRow("plus sign") << QStringLiteral("+3") << true << 3.0f;
    QTest::newRow("exponent") << QStringLiteral("1E+2") << true << 100.0f;
    QTest::newRow("empty") << QString() << false << 0.0f;
    QTest::newRow("unit after number") << QStringLiteral("60秒") << false << 0.0f;
    QTest::newRow("comma decimal") << QStringLiteral("47,3") << false << 0.0f;
    QTest::newRow("infinity") << QStringLiteral("inf") << false << 0.0f;
    QTest::newRow("words") << QStringLiteral("abc") << false << 0.0f;
}

void TestTextFiles::parsesOnlyWholeNumbers()
{
    QFETCH(QString, field);
    QFETCH(bool, isNumber);
    QFETCH(float, value);
    const std::optional<float> parsed = ListFormat::parseNumber(field);
    QCOMPARE(parsed.has_value(), isNumber);
    if (isNumber)
        QCOMPARE(*parsed, value);
}

void TestTextFiles::splitsFields_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("appended record") << QStringLiteral(R"("a","b",60,"d",)")
                                     << QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("60"),
                                                    QStringLiteral("d"), QString()};
    QTest::newRow("rewritten record") << QStringLiteral(R"("a","b",60,"d","")")
                                      << QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("60"),
                                                     QStringLiteral("d"), QString()};
    QTest::newRow("comma inside quotes") << QStringLiteral(R"("x, y",1)")
                                         << QStringList{QStringLiteral("x, y"), QStringLiteral("1")};
    QTest::newRow("leading blanks skipped") << QStringLiteral(R"(  "a",   7)")
                                            << QStringList{QStringLiteral("a"), QStringLiteral("7")};
    QTest::newRow("spaces inside quotes kept") << QStringLiteral(R"(" a ")") << QStringList{QStringLiteral(" a ")};
    QTest::newRow("unclosed quote runs to the end") << QStringLiteral(R"("abc,def)") << QStringList{QStringLiteral("abc,def")};
    QTest::newRow("text after closing quote dropped")
        << QStringLiteral(R"("ab"cd,2)") << QStringList{QStringLiteral("ab"), QStringLiteral("2")};
    QTest::newRow("empty quoted") << QStringLiteral(R"("")") << QStringList{QString()};
    QTest::newRow("blank line") << QStringLiteral("   ") << QStringList{};
}

void TestTextFiles::splitsFields()
{
    QFETCH(QString, line);
    QFETCH(QStringList, fields);
    QStringList got;
    for (QStringView field : ListFormat::splitFields(line))
        got.append(field.toString());
    QCOMPARE(got, fields);
}

void TestTextFiles::writerQuotesAndKeepsRecordsWhole()
{
    ListFormat::LineWriter writer;
    writer.text(QStringLiteral("ヘルプツアー")).integer(1);
    QCOMPARE(writer.line(), QStringLiteral(R"("ヘルプツアー",1)"));

    // A quote or a line break would break the record; both are replaced, so it reads back whole.
    ListFormat::LineWriter risky;
    risky.text(QStringLiteral("彼は\"はい\"と\r\n言った")).number(47.3f).nothing();
    QCOMPARE(risky.line(), QStringLiteral(R"("彼は＂はい＂と 言った",47.3,)"));
    const ListFormat::Fields fields = ListFormat::splitFields(risky.line());
    QCOMPARE(fields.size(), 3);
    QCOMPARE(fields[0].toString(), QStringLiteral("彼は＂はい＂と 言った"));
}

void TestTextFiles::onlyRegularFilesAreReadOrWritten_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("a link to a device") << QStringLiteral("device");
    QTest::newRow("a pipe") << QStringLiteral("pipe");
    QTest::newRow("a folder") << QStringLiteral("folder");
}

// A device would be read until memory runs out and a pipe would block the program for good;
// what is written to either is lost. Each is refused with a message, and left as it was.
void TestTextFiles::onlyRegularFilesAreReadOrWritten()
{
    QFETCH(QString, kind);
    const QString path = pathOf(QStringLiteral("データ.txt"));
    if (kind == u"device")
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
    else if (kind == u"pipe")
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else
        QVERIFY(QDir().mkdir(path));

    const bool folder = kind == u"folder";
    const QString refused = folder
        ? QStringLiteral("ファイル「データ.txt」に書き込めませんでした。\n（同じ名前のフォルダがあります）")
        : QStringLiteral("ファイル「データ.txt」は普通のファイルではありません（フォルダや装置などです）。");
    const QString unread = folder
        ? QStringLiteral("ファイル「データ.txt」を読み込めませんでした。\n（同じ名前のフォルダがあります）")
        : refused;
    const TextFile::ReadResult read = TextFile::read(path);
    QVERIFY(read.exists && !read.ok);
    QCOMPARE(read.message, unread);
    TextFile::LineReader reader(path);
    QVERIFY(!reader.ok());
    QCOMPARE(reader.message(), unread);
    QStringView line;
    QVERIFY(!reader.next(line));
    QVERIFY(!TextFile::isUtf8(path));
    QCOMPARE(TextFile::copy(path, pathOf(QStringLiteral("copy.txt"))).message, unread);
    QVERIFY(!QFile::exists(pathOf(QStringLiteral("copy.txt"))));

    const QString source = pathOf(QStringLiteral("source.txt"));
    writeBytes(source, QByteArray("a\r\n"));
    for (const FileResult &written :
         {TextFile::appendLine(path, u"a"), TextFile::writeLines(path, {QStringLiteral("a")}), TextFile::truncate(path),
          TextFile::takeBack(path, {}), TextFile::writeBytes(path, "a"), TextFile::copy(source, path)}) {
        QVERIFY(!written.ok());
        QCOMPARE(written.message, refused);
    }
    const QFileInfo after(path);
    QCOMPARE(after.isSymLink(), kind == u"device");
    QCOMPARE(after.isDir(), kind == u"folder");
    QVERIFY(!after.isFile());
    QVERIFY(kind == u"folder" ? QDir().rmdir(path) : QFile::remove(path));
}

void TestTextFiles::filesBeyondTheLimitAreNotRead()
{
    const QString path = pathOf(QStringLiteral("大きい.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.resize(TextFile::kLargestFile)); // sparse: no disk space is taken
    QVERIFY(!TextFile::tooLarge(path));
    QVERIFY(file.resize(qint64(1) << 30));
    file.close();
    QVERIFY(TextFile::tooLarge(path));
    const QString refused = QStringLiteral("ファイル「大きい.txt」は 128 MB を超えているため、読み込みませんでした。");
    QCOMPARE(TextFile::read(path).message, refused);
    QVERIFY(!TextFile::read(path).ok);
    const TextFile::LineReader reader(path);
    QVERIFY(!reader.ok());
    QCOMPARE(reader.message(), refused);
    // Appending stays possible: it never reads the file.
    QVERIFY(TextFile::appendLine(path, u"a").ok());
    QVERIFY(QFile::remove(path));
}

void TestTextFiles::recognisesUtf8_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("utf8");
    const QByteArray line = QStringLiteral("\"2024/05/18\",\"21:05:09\",\"プラマイ\",60,\"日記\",\r\n").toUtf8();
    QTest::newRow("UTF-8") << line << true;
    // Pieces are read 64 KiB at a time; a character across a piece's end is still whole.
    QTest::newRow("UTF-8, long") << QByteArray(65535, 'a') + line.repeated(3) << true;
    QTest::newRow("Shift_JIS") << sjis(QStringLiteral("\"2024/05/18\",\"プラマイ\",60\n")) << false;
    QTest::newRow("ASCII only") << QByteArray("\"2024/05/18\",60\r\n") << false;
    QTest::newRow("UTF-8 cut off at the end") << line + QByteArray("\xe6\x97") << false;
    QTest::newRow("empty") << QByteArray() << false;
}

void TestTextFiles::recognisesUtf8()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, utf8);
    const QString path = pathOf(QStringLiteral("utf8.txt"));
    writeBytes(path, bytes);
    QCOMPARE(TextFile::isUtf8(path), utf8);
    QVERIFY(!TextFile::isUtf8(pathOf(QStringLiteral("ない.txt"))));
}

QTEST_GUILESS_MAIN(TestTextFiles)
#include "tst_textfiles.moc"
