#include "FileSizeLimit.h"
#include "TestFiles.h"

#include "platform/DataFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace kotohana;
using namespace kotohana::test;

class TestDataFolder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void namesMatchWithoutRegardToCase();
    void choosesTheFolder();
    void deliversOnlyMissingFiles();
    void tellsWhetherTheFolderCanBeWritten();
};

void TestDataFolder::namesMatchWithoutRegardToCase()
{
    QTemporaryDir dir;
    const DataFolder folder(dir.path());
    writeBytes(QDir(dir.path()).filePath(QStringLiteral("データ.TXT")), QByteArray("x"));
    QCOMPARE(folder.path(u"データ.txt"), QDir(dir.path()).filePath(QStringLiteral("データ.TXT")));
    QVERIFY(folder.contains(u"データ.txt"));
    QCOMPARE(readBytes(folder.path(u"データ.txt")), QByteArray("x"));
    // A file that does not exist yet is named as asked.
    QCOMPARE(folder.path(u"設定.TXT"), QDir(dir.path()).filePath(QStringLiteral("設定.TXT")));
    QVERIFY(!folder.contains(u"設定.txt"));
}

void TestDataFolder::choosesTheFolder()
{
    QTemporaryDir program;
    QTemporaryDir user;
    QTemporaryDir given;
    const QStringList noArgument{QStringLiteral("kotohana")};
    QCOMPARE(DataFolder::choose(noArgument, program.path(), user.path()), QDir(user.path()).absolutePath());
    QCOMPARE(DataFolder::choose({QStringLiteral("kotohana"), given.path()}, program.path(), user.path()),
             QDir(given.path()).absolutePath());
    // A portable copy: the program's folder already holds the record file.
    writeBytes(QDir(program.path()).filePath(QStringLiteral("データ.TXT")), QByteArray());
    QCOMPARE(DataFolder::choose(noArgument, program.path(), user.path()), QDir(program.path()).absolutePath());
    QCOMPARE(DataFolder::choose({QStringLiteral("kotohana"), given.path()}, program.path(), user.path()),
             QDir(given.path()).absolutePath());
}

void TestDataFolder::deliversOnlyMissingFiles()
{
    QTemporaryDir source;
    writeBytes(QDir(source.path()).filePath(QStringLiteral("設定.txt")), QByteArray("\"ヘルプツアー\",1\n"));
    writeBytes(QDir(source.path()).filePath(QStringLiteral("データ.txt")), QByteArray());
    writeBytes(QDir(source.path()).filePath(QStringLiteral("辞書.txt")), QByteArray("いぬ\nねこ"));

    QTemporaryDir target;
    const DataFolder folder(target.path());
    const QByteArray kept = sjis(QStringLiteral("\"ヘルプツアー\",0\n"));
    writeBytes(QDir(target.path()).filePath(QStringLiteral("設定.TXT")), kept);

    const DataFolder::Delivery delivery = folder.deliverMissing(source.path());
    QVERIFY(delivery.failures.isEmpty());
    QCOMPARE(delivery.created, (QStringList{QStringLiteral("データ.txt"), QStringLiteral("辞書.txt")}));
    QCOMPARE(readBytes(folder.path(u"設定.txt")), kept);
    QCOMPARE(readBytes(folder.path(u"データ.txt")), QByteArray());
    QCOMPARE(readBytes(folder.path(u"辞書.txt")), sjis(QStringLiteral("いぬ\nねこ\n")));

    // A second start finds everything in place.
    QVERIFY(folder.deliverMissing(source.path()).created.isEmpty());
}

void TestDataFolder::tellsWhetherTheFolderCanBeWritten()
{
    QTemporaryDir dir;
    const DataFolder folder(dir.path());
    QVERIFY(folder.writable());
    {
        // Writes fail as on a full or read-only disk, even for root.
        const FileSizeLimit nothingWritten(0);
        QVERIFY(!folder.writable());
    }
    QVERIFY(folder.writable());
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
    QVERIFY(!DataFolder(QDir(dir.path()).filePath(QStringLiteral("ない"))).writable());

    if (::geteuid() == 0)
        QSKIP("root writes into a folder without write permission");
    QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    const bool writable = folder.writable();
    QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QVERIFY(!writable);
}

QTEST_GUILESS_MAIN(TestDataFolder)
#include "tst_datafolder.moc"
