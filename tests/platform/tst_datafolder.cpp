#include "FileSizeLimit.h"
#include "TestFiles.h"

#include "platform/DataFolder.h"
#include "platform/FolderLock.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kotohana;
using namespace kotohana::test;

class TestDataFolder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void namesMatchWithoutRegardToCase();
    void refusesNamesOutsideItsFiles_data();
    void refusesNamesOutsideItsFiles();
    void choosesTheFolder();
    void deliversOnlyMissingFiles();
    void oneCopyToAFolder();
    void locksThisComputerCannotJudge_data();
    void locksThisComputerCannotJudge();
    void removesOnlyLeftoversOfItsOwnSaves();
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

void TestDataFolder::refusesNamesOutsideItsFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("NUL") << QStringLiteral("データ.txt") + QChar(u'\0') + QStringLiteral(".txt");
    QTest::newRow("tab") << QStringLiteral("データ\t.txt");
    QTest::newRow("line feed") << QStringLiteral("データ.txt\n");
    QTest::newRow("delete") << QStringLiteral("データ\u007F.txt");
    QTest::newRow("C1 control") << QStringLiteral("データ\u0085.txt");
    QTest::newRow("slash") << QStringLiteral("../データ.txt");
    QTest::newRow("backslash") << QStringLiteral("sub\\データ.txt");
    QTest::newRow("two dots") << QStringLiteral("..");
    QTest::newRow("two dots inside") << QStringLiteral("データ..txt");
    QTest::newRow("empty") << QString();
}

void TestDataFolder::refusesNamesOutsideItsFiles()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    const QString records = QDir(dir.path()).filePath(QStringLiteral("sub/データ.txt"));
    const QString outside = QDir(dir.path()).filePath(QStringLiteral("データ.txt"));
    writeBytes(records, QByteArray("x"));
    writeBytes(outside, QByteArray("y"));
    const DataFolder folder(QDir(dir.path()).filePath(QStringLiteral("sub")));

    QVERIFY(!DataFolder::acceptsName(name));
    QCOMPARE(folder.path(name), QString());
    QVERIFY(!folder.contains(name));
    QVERIFY(!TextFile::truncate(folder.path(name)).ok());
    QVERIFY(!TextFile::writeLines(folder.path(name), {QStringLiteral("a")}).ok());
    QVERIFY(!TextFile::appendLine(folder.path(name), QStringLiteral("a")).ok());
    QVERIFY(!TextFile::takeBack(folder.path(name), {}).ok());
    QVERIFY(!TextFile::read(folder.path(name)).exists);
    QCOMPARE(readBytes(records), QByteArray("x"));
    QCOMPARE(readBytes(outside), QByteArray("y"));
    QCOMPARE(QDir(folder.directory()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("データ.txt")});
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

void TestDataFolder::oneCopyToAFolder()
{
    QTemporaryDir dir;
    {
        const FolderLock first(dir.path());
        QCOMPARE(first.state(), FolderLock::State::Held);
        const FolderLock second(dir.path());
        QCOMPARE(second.state(), FolderLock::State::HeldElsewhere);
    }
    // The first copy ended: the folder is free again.
    QCOMPARE(FolderLock(dir.path()).state(), FolderLock::State::Held);

    // A copy that was killed leaves its lock file behind; its process is gone, so the next
    // start takes the folder.
    const pid_t child = fork();
    if (child == 0) {
        QLockFile held(QDir(dir.path()).filePath(QString::fromUtf16(FolderLock::kFileName)));
        _exit(held.tryLock(0) ? 0 : 1);
    }
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    QVERIFY(QFile::exists(QDir(dir.path()).filePath(QString::fromUtf16(FolderLock::kFileName))));
    QCOMPARE(FolderLock(dir.path()).state(), FolderLock::State::Held);

    QCOMPARE(FolderLock(dir.filePath(QStringLiteral("無い/フォルダー"))).state(), FolderLock::State::NotLockable);
}

void TestDataFolder::locksThisComputerCannotJudge_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("canTakeOver");
    using State = FolderLock::State;
    QTest::newRow("another computer's") << "other-pc" << int(State::OtherComputer) << true;
    QTest::newRow("empty") << "empty" << int(State::Damaged) << true;
    QTest::newRow("garbled") << "garbled" << int(State::Damaged) << true;
    QTest::newRow("pipe") << "pipe" << int(State::NotAFile) << true; // never opened: it would wait for ever
    QTest::newRow("empty folder") << "folder" << int(State::NotAFile) << true;
    QTest::newRow("folder with a file") << "full folder" << int(State::NotAFile) << false;
    QTest::newRow("link") << "link" << int(State::NotAFile) << false;
}

// A lock this computer cannot judge is told for what it is and taken over only on request;
// what cannot be removed safely stays.
void TestDataFolder::locksThisComputerCannotJudge()
{
    QFETCH(QString, kind);
    QFETCH(int, state);
    QFETCH(bool, canTakeOver);
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QString::fromUtf16(FolderLock::kFileName));
    if (kind == u"other-pc")
        writeBytes(path, QByteArray("4242\nkotohana\nother-pc\n"));
    else if (kind == u"empty")
        writeBytes(path, QByteArray());
    else if (kind == u"garbled")
        writeBytes(path, QByteArray("\x81\x81 not a lock"));
    else if (kind == u"pipe")
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (kind == u"link")
        QVERIFY(QFile::link(QDir(dir.path()).filePath(QStringLiteral("ユーザーのファイル")), path));
    else
        QVERIFY(QDir().mkdir(path));
    if (kind == u"full folder")
        writeBytes(QDir(path).filePath(QStringLiteral("メモ.txt")), QByteArray("the user's"));

    FolderLock lock(dir.path());
    QCOMPARE(int(lock.state()), state);
    QCOMPARE(lock.otherComputer(), kind == u"other-pc" ? QStringLiteral("other-pc") : QString());
    QCOMPARE(lock.canTakeOver(), canTakeOver);
    QCOMPARE(lock.takeOver(), canTakeOver);
    QCOMPARE(lock.state() == FolderLock::State::Held, canTakeOver);
    if (kind == u"full folder")
        QCOMPARE(readBytes(QDir(path).filePath(QStringLiteral("メモ.txt"))), QByteArray("the user's"));
}

void TestDataFolder::removesOnlyLeftoversOfItsOwnSaves()
{
    QTemporaryDir dir;
    const DataFolder folder(dir.path());
    const QStringList leftovers{QStringLiteral("データ.txt.kotohana-tmp-OThc1f"), QStringLiteral("設定.TXT.kotohana-tmp-aBcDeF"),
                                QStringLiteral("プラマイ履歴.txt.kotohana-tmp-QwErTy")};
    // The user's own copies, whatever their names, and what another program's saves leave.
    const QStringList kept{QStringLiteral("データ.txt"),
                           QStringLiteral("データ.txt.MyCopy"),
                           QStringLiteral("データ.txt.OldBak"),
                           QStringLiteral("設定.txt.BackUp"),
                           QStringLiteral("メモ.TXT.myMemo"),
                           QStringLiteral("プラマイ履歴.txt.KeepMe"),
                           QStringLiteral("データ.txt.OThcrf"),
                           QStringLiteral("データ.txt.bak"),
                           QStringLiteral("データ.txt.kotohana-tmp-OThc"),
                           QStringLiteral("データ.txt.kotohana-tmp-OThcrfx"),
                           QStringLiteral("日記.txt.kotohana-tmp-OThcrf"),
                           QStringLiteral("データ.kotohana-tmp-OThcrf"),
                           QStringLiteral(".kotohana-tmp-OThcrf")};
    for (const QString &name : leftovers + kept)
        writeBytes(QDir(dir.path()).filePath(name), QByteArray("x"));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("メモ.TXT.kotohana-tmp-AbCdEf"))); // a folder is never a leftover
    // Nor a link, though named like one.
    QVERIFY(QFile::link(QDir(dir.path()).filePath(QStringLiteral("データ.txt.MyCopy")),
                        QDir(dir.path()).filePath(QStringLiteral("データ.txt.kotohana-tmp-L1nkEd"))));

    const QStringList removed = folder.removeLeftovers({QStringLiteral("データ.txt"), QStringLiteral("設定.txt"),
                                                        QStringLiteral("メモ.TXT"), QStringLiteral("プラマイ履歴.txt")});
    QCOMPARE(QSet<QString>(removed.begin(), removed.end()), QSet<QString>(leftovers.begin(), leftovers.end()));
    QStringList left = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    QStringList expected = kept
        + QStringList{QStringLiteral("メモ.TXT.kotohana-tmp-AbCdEf"), QStringLiteral("データ.txt.kotohana-tmp-L1nkEd")};
    left.sort();
    expected.sort();
    QCOMPARE(left, expected);
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
