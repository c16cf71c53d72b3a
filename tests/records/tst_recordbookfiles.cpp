#include "TestFiles.h"

#include "platform/DataFolder.h"
#include "platform/TextFile.h"
#include "records/MainSettings.h"
#include "records/Memo.h"
#include "records/PlayRecordFile.h"
#include "records/RecordRewrite.h"
#include "records/RecordStore.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <sys/stat.h>

using namespace kotohana;
using namespace kotohana::test;

class TestRecordBookFiles : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<DataFolder> m_folder;
    QString file(const QString &name) const { return m_folder->path(name); }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_folder = std::make_unique<DataFolder>(m_dir->path());
    }

    void helpTourFlag();
    void helpTourFlagFallsBackToOn_data();
    void helpTourFlagFallsBackToOn();
    void userNameAndTitle();
    void memoRoundTrip_data();
    void memoRoundTrip();
    void rewriteBacksUpUnreadLinesOnce();
    void rewriteWithoutUnreadLinesMakesNoBackup();
    void changesFindTheirRecordInTheFileAsItIs();
    void privateFilesStayPrivate_data();
    void privateFilesStayPrivate();
};

void TestRecordBookFiles::helpTourFlag()
{
    QVERIFY(MainSettings::writeHelpTourFlag(*m_folder, 0).ok());
    QCOMPARE(readBytes(file(QStringLiteral("設定.TXT"))), sjis(QStringLiteral("\"ヘルプツアー\",0\n")));
    QCOMPARE(MainSettings::readHelpTourFlag(*m_folder), 0);
    QVERIFY(MainSettings::writeHelpTourFlag(*m_folder, 1).ok());
    QCOMPARE(MainSettings::readHelpTourFlag(*m_folder), 1);
}

void TestRecordBookFiles::helpTourFlagFallsBackToOn_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("one field") << sjis(QStringLiteral("\"ヘルプツアー\"\n"));
    QTest::newRow("not a number") << sjis(QStringLiteral("\"ヘルプツアー\",はい\n"));
    QTest::newRow("beyond an int") << sjis(QStringLiteral("\"ヘルプツアー\",1e38\n"));
    QTest::newRow("below an int") << sjis(QStringLiteral("\"ヘルプツアー\",-3e9\n"));
}

void TestRecordBookFiles::helpTourFlagFallsBackToOn()
{
    QFETCH(QByteArray, content);
    QCOMPARE(MainSettings::readHelpTourFlag(*m_folder), 1); // missing
    writeBytes(file(QStringLiteral("設定.txt")), content);
    QCOMPARE(MainSettings::readHelpTourFlag(*m_folder), 1);
}

void TestRecordBookFiles::userNameAndTitle()
{
    QCOMPARE(MainSettings::readUserName(*m_folder), QString());
    QVERIFY(MainSettings::writeUserName(*m_folder, QString()).ok());
    QCOMPARE(readBytes(file(QStringLiteral("プライベート.txt"))), sjis(QStringLiteral("\"氏名\",\"\"\n")));
    QVERIFY(MainSettings::writeUserName(*m_folder, QStringLiteral("太郎")).ok());
    QCOMPARE(MainSettings::readUserName(*m_folder), QStringLiteral("太郎"));
    QCOMPARE(MainSettings::windowTitle(QStringLiteral("太郎")), QStringLiteral(" 太郎 の コトハナ"));
    QCOMPARE(MainSettings::windowTitle(QString()), QStringLiteral(" コトハナ"));
}

void TestRecordBookFiles::memoRoundTrip_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("two lines") << QStringLiteral("一行目\n二行目") << sjis(QStringLiteral("一行目\n二行目\n"));
    QTest::newRow("empty") << QString() << QByteArray("\r\n");
    QTest::newRow("ends with an empty line") << QStringLiteral("a\n") << QByteArray("a\r\n\r\n");
    QTest::newRow("blank lines inside") << QStringLiteral("a\n\n\nb") << QByteArray("a\r\n\r\n\r\nb\r\n");
}

void TestRecordBookFiles::memoRoundTrip()
{
    QFETCH(QString, typed);
    QFETCH(QByteArray, bytes);
    QVERIFY(Memo::save(*m_folder, typed).ok());
    QCOMPARE(readBytes(file(QStringLiteral("メモ.TXT"))), bytes);
    QString loaded = Memo::load(*m_folder).text;
    loaded.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QCOMPARE(loaded, typed);
}

void TestRecordBookFiles::rewriteBacksUpUnreadLinesOnce()
{
    const QByteArray original = sjis(QStringLiteral("\"2024/05/18\",\"21:05:09\",\"プラマイ\",60,\"a\",\n"
                                                    "手で書き足した行\n"));
    const QString records = file(QStringLiteral("データ.txt"));
    writeBytes(records, original);
    RecordStore store(records);
    const PlayRecordFile::ReadResult read = store.current();
    QCOMPARE(read.skippedLines, 1);

    const RecordRewrite first = RecordRewrite::rewrite(*m_folder, store, read.records, !read.lossless());
    QVERIFY(first.result.ok());
    QCOMPARE(first.backupName, QStringLiteral("データ.txt.bak"));
    QVERIFY(first.backupNotice().contains(QStringLiteral("データ.txt.bak")));
    QCOMPARE(readBytes(file(QStringLiteral("データ.txt.bak"))), original);
    QCOMPARE(readBytes(records), sjis(QStringLiteral("\"2024/05/18\",\"21:05:09\",\"プラマイ\",60,\"a\",\"\"\n")));

    // An older backup is never overwritten.
    writeBytes(records, original);
    store.current();
    const RecordRewrite second = RecordRewrite::truncate(*m_folder, store, true);
    QVERIFY(second.result.ok());
    QCOMPARE(second.backupName, QStringLiteral("データ.txt.bak2"));
    QCOMPARE(readBytes(file(QStringLiteral("データ.txt.bak"))), original);
    QCOMPARE(readBytes(records), QByteArray());
}

void TestRecordBookFiles::rewriteWithoutUnreadLinesMakesNoBackup()
{
    RecordStore store(file(QStringLiteral("データ.txt")));
    store.current();
    const RecordRewrite rewrite = RecordRewrite::rewrite(*m_folder, store, {}, false);
    QVERIFY(rewrite.result.ok());
    QVERIFY(rewrite.backupName.isEmpty());
    QVERIFY(rewrite.backupNotice().isEmpty());
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{QStringLiteral("データ.txt")});
}

void TestRecordBookFiles::changesFindTheirRecordInTheFileAsItIs()
{
    const QString records = file(QStringLiteral("データ.txt"));
    const auto line = [](const char *time, const char *diary) {
        return QStringLiteral("\"2024/05/18\",\"%1\",\"プラマイ\",60,\"%2\",\n").arg(QLatin1String(time), QLatin1String(diary));
    };
    // Two plays saved in the same second: the one nearest the list's place is the one meant.
    writeBytes(records, sjis(line("08:00:00", "a") + line("09:00:00", "b") + line("09:00:00", "c") + line("10:00:00", "d")));
    RecordStore store(records);
    const PlayRecord nine{QStringLiteral("2024/05/18"), QStringLiteral("09:00:00"), QStringLiteral("プラマイ"), 60, QString()};

    AppliedChange applied = applyChange(*m_folder, store, {nine, 2, QStringLiteral("朝")});
    QVERIFY(applied.found);
    QCOMPARE(applied.index, std::size_t(2));
    QVERIFY(applied.rewrite.result.ok());
    QCOMPARE(readBytes(records),
             sjis(QStringLiteral("\"2024/05/18\",\"08:00:00\",\"プラマイ\",60,\"a\",\"\"\n"
                                 "\"2024/05/18\",\"09:00:00\",\"プラマイ\",60,\"b\",\"\"\n"
                                 "\"2024/05/18\",\"09:00:00\",\"プラマイ\",60,\"朝\",\"\"\n"
                                 "\"2024/05/18\",\"10:00:00\",\"プラマイ\",60,\"d\",\"\"\n")));

    // Lines put in front since the list was read: the record is found further down.
    writeBytes(records, sjis(line("06:00:00", "x") + line("07:00:00", "y") + line("08:00:00", "a") + line("10:00:00", "d")));
    const PlayRecord eight{QStringLiteral("2024/05/18"), QStringLiteral("08:00:00"), QStringLiteral("プラマイ"), 60, QString()};
    applied = applyChange(*m_folder, store, {eight, 0, std::nullopt});
    QVERIFY(applied.found);
    QCOMPARE(applied.index, std::size_t(2));
    QCOMPARE(store.current().records.size(), std::size_t(3));
    QCOMPARE(store.current().records[1].time, QStringLiteral("07:00:00"));

    // Gone: nothing is written.
    const QByteArray before = readBytes(records);
    applied = applyChange(*m_folder, store, {eight, 2, QStringLiteral("z")});
    QVERIFY(!applied.found);
    QCOMPARE(readBytes(records), before);

    // Two plays of different games in the same second: the game tells which one is meant.
    writeBytes(records, sjis(line("09:00:00", "b") + QStringLiteral("\"2024/05/18\",\"09:00:00\",\"しりとり\",5,\"s\",\n")));
    const PlayRecord shiritori{QStringLiteral("2024/05/18"), QStringLiteral("09:00:00"), QStringLiteral("しりとり"), 5, QString()};
    QCOMPARE(applyChange(*m_folder, store, {shiritori, 0, QStringLiteral("夜")}).index, std::size_t(1));
    QCOMPARE(store.current().records[0].diary, QStringLiteral("b"));

    // The last record deleted empties the file; lines that are not records are backed up first.
    writeBytes(records, sjis(line("08:00:00", "a") + QStringLiteral("手で書いた行\n")));
    applied = applyChange(*m_folder, store, {eight, 0, std::nullopt});
    QVERIFY(applied.rewrite.result.ok());
    QCOMPARE(readBytes(records), QByteArray());
    QCOMPARE(applied.rewrite.backupName, QStringLiteral("データ.txt.bak"));
}

void TestRecordBookFiles::privateFilesStayPrivate_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("change");
    QTest::newRow("diary edit") << QStringLiteral("データ.txt") << 0;
    QTest::newRow("deletion") << QStringLiteral("データ.txt") << 1;
    QTest::newRow("user name") << QStringLiteral("プライベート.txt") << 2;
    QTest::newRow("new copy") << QStringLiteral("プライベート.txt") << 3;
}

// A file only its owner may read is still so after the program rewrote it, and so is a copy of it.
void TestRecordBookFiles::privateFilesStayPrivate()
{
    QFETCH(QString, name);
    QFETCH(int, change);
    const QString path = file(name);
    const QString line = QStringLiteral("\"2024/05/18\",\"%1\",\"プラマイ\",60,\"a\",\"\"\n");
    writeBytes(path, sjis(line.arg(u"08:00:00") + line.arg(u"09:00:00")));
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    RecordStore store(path);
    const PlayRecord play{QStringLiteral("2024/05/18"), QStringLiteral("08:00:00"), QStringLiteral("プラマイ"), 60, QString()};
    const QString copy = file(QStringLiteral("写し.txt"));
    const FileResult done = change == 2 ? MainSettings::writeUserName(*m_folder, QStringLiteral("花子"))
        : change == 3
        ? TextFile::copy(path, copy)
        : applyChange(*m_folder, store, {play, 0, change == 0 ? std::optional(QStringLiteral("朝")) : std::nullopt}).rewrite.result;
    QVERIFY(done.ok());
    struct stat status {
    };
    QCOMPARE(::stat(QFile::encodeName(change == 3 ? copy : path).constData(), &status), 0);
    QCOMPARE(status.st_mode & 07777, 0600u);
}

QTEST_GUILESS_MAIN(TestRecordBookFiles)
#include "tst_recordbookfiles.moc"
