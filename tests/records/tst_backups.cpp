#include "FakeClock.h"
#include "FileSizeLimit.h"
#include "TestFiles.h"

#include "platform/DataFolder.h"
#include "platform/TextFile.h"
#include "records/Backups.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace kotohana;
using namespace kotohana::test;

namespace {

const QStringList kOwnFiles{QStringLiteral("データ.txt"), QStringLiteral("設定.txt"), QStringLiteral("メモ.TXT"),
                            QStringLiteral("プラマイ履歴.txt"), QStringLiteral("しりとり辞書.txt")};

QString playLine(QDate day)
{
    return QStringLiteral("\"%1\",\"10:00:00\",\"プラマイ\",60,\"秒数 : 60  (＋) モード\",\n").arg(day.toString(u"yyyy/MM/dd"));
}

QDateTime midnight(QDate day)
{
    return QDateTime(day, QTime(0, 0, 0));
}

} // namespace

class TestBackups : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<DataFolder> m_folder;
    FakeClock m_clock;

    QString file(const QString &name) const { return QDir(m_dir->path()).filePath(name); }
    Backups backups() const { return Backups(*m_folder, m_clock, kOwnFiles); }
    QString backupRoot() const { return file(QStringLiteral("バックアップ")); }
    QStringList backupEntries() const
    {
        return QDir(backupRoot()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
    }

    // Starts the program on each day from `from` to `to`, a play saved on each (plays is the
    // record file's text so far).
    void playEveryDay(QDate from, QDate to, QString &plays)
    {
        for (QDate day = from; day <= to; day = day.addDays(1)) {
            m_clock.set(QDateTime(day, QTime(8, 0, 0)));
            const Backups::Result result = backups().makeDaily();
            QVERIFY2(result.failure.isEmpty(), qPrintable(result.failure));
            QVERIFY(result.made);
            plays += playLine(day);
            writeBytes(file(QStringLiteral("データ.txt")), sjis(plays));
        }
    }

    static QStringList days(QDate from, QDate to)
    {
        QStringList names;
        for (QDate day = from; day <= to; day = day.addDays(1))
            names.append(day.toString(u"yyyy-MM-dd"));
        return names;
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_folder = std::make_unique<DataFolder>(m_dir->path());
    }

    void firstStartOfEachDayCopiesTheFiles();
    void fourteenNewestDaysAreKept();
    void onlyBackupOfPlaysIsKept();
    void failedBackupLeavesNothingBehind();
    void onlyTheBackupsOwnAreRemoved();
    void deletedPlaysStayInTheBackups();
    void restoreBringsBackEveryByte();
    void failedRestoreChangesNothing_data();
    void failedRestoreChangesNothing();
    void onlyTheProgramsBackupsAreListed();
    void restoreWritesOnlyTheProgramsFiles();
    void failedRestoreSaysWhatWasPutBack();
};

void TestBackups::firstStartOfEachDayCopiesTheFiles()
{
    const QByteArray records = sjis(playLine(QDate(2024, 5, 17)));
    const QByteArray settings = sjis(QStringLiteral("\"ヘルプツアー\",1\n"));
    const QByteArray odd("\x81\x81\x82\xA0 not Shift_JIS, no line break");
    writeBytes(file(QStringLiteral("データ.txt")), records);
    writeBytes(file(QStringLiteral("設定.TXT")), settings); // the name as the data folder has it
    writeBytes(file(QStringLiteral("プラマイ履歴.txt")), odd);
    writeBytes(file(QStringLiteral("ほかのファイル.txt")), QByteArray("not the program's"));

    m_clock.set(QDateTime(QDate(2024, 5, 17), QTime(23, 59, 59)));
    QVERIFY(backups().makeDaily().made);
    m_clock.set(midnight(QDate(2024, 5, 18)));
    const Backups::Result result = backups().makeDaily();
    QVERIFY(result.made);
    QVERIFY(result.failure.isEmpty());
    QVERIFY(result.removed.isEmpty());
    QCOMPARE(backupEntries(), (QStringList{QStringLiteral("2024-05-17"), QStringLiteral("2024-05-18")}));
    const QDir today(backups().dayDirectory(QDate(2024, 5, 18)));
    QCOMPARE(today.path(), file(QStringLiteral("バックアップ/2024-05-18")));
    QCOMPARE(today.entryList(QDir::Files, QDir::Name),
             (QStringList{QStringLiteral("データ.txt"), QStringLiteral("プラマイ履歴.txt"), QStringLiteral("設定.TXT")}));
    // The marker names the backups' own folder and what they copied into it.
    QCOMPARE(readBytes(today.filePath(QStringLiteral(".kotohana-backup"))).toHex(),
             QByteArray("83528367836e836982cc836f8362834e8341836283760d0a8366815b835e2e7478740d0a90dd92e82e5458540d0a"
                        "83768389837d8343979a97f02e7478740d0a"));
    QCOMPARE(readBytes(today.filePath(QStringLiteral("データ.txt"))), records);
    QCOMPARE(readBytes(today.filePath(QStringLiteral("設定.TXT"))), settings);
    QCOMPARE(readBytes(today.filePath(QStringLiteral("プラマイ履歴.txt"))), odd);

    // A file larger than any of the program's can be is left out, and said.
    QFile huge(file(QStringLiteral("メモ.TXT")));
    QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(TextFile::kLargestFile + 1));
    huge.close();
    m_clock.set(midnight(QDate(2024, 5, 20)));
    QCOMPARE(backups().makeDaily().tooLarge, QStringList{QStringLiteral("メモ.TXT")});
    QVERIFY(!QFileInfo::exists(backups().dayDirectory(QDate(2024, 5, 20)) + QStringLiteral("/メモ.TXT")));
    QVERIFY(QFile::remove(file(QStringLiteral("メモ.TXT"))));
    QVERIFY(QDir(backups().dayDirectory(QDate(2024, 5, 20))).removeRecursively());

    // Later starts of the same day leave its backup as it was made.
    writeBytes(file(QStringLiteral("データ.txt")), records + records);
    m_clock.set(QDateTime(QDate(2024, 5, 18), QTime(23, 59, 59)));
    QVERIFY(!backups().makeDaily().made);
    QCOMPARE(readBytes(today.filePath(QStringLiteral("データ.txt"))), records);
    // The next day's first start copies the files as they are then.
    m_clock.set(midnight(QDate(2024, 5, 19)));
    QVERIFY(backups().makeDaily().made);
    QCOMPARE(readBytes(backups().dayDirectory(QDate(2024, 5, 19)) + QStringLiteral("/データ.txt")), records + records);
    // The data files themselves are only read.
    QCOMPARE(readBytes(file(QStringLiteral("データ.txt"))), records + records);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files).size(), 4);
}

void TestBackups::fourteenNewestDaysAreKept()
{
    QString plays;
    playEveryDay(QDate(2024, 5, 1), QDate(2024, 5, 14), plays);
    QCOMPARE(backupEntries(), days(QDate(2024, 5, 1), QDate(2024, 5, 14)));
    // Each day holds every play the days before held: the oldest days go.
    m_clock.set(QDateTime(QDate(2024, 5, 15), QTime(8, 0, 0)));
    QCOMPARE(backups().makeDaily().removed, QStringList{QStringLiteral("2024-05-01")});
    playEveryDay(QDate(2024, 5, 16), QDate(2024, 5, 20), plays);
    QCOMPARE(backupEntries(), days(QDate(2024, 5, 7), QDate(2024, 5, 20)));

    // Days without a start leave no backup; the fourteen newest backups stay, however old.
    m_clock.set(QDateTime(QDate(2024, 7, 1), QTime(8, 0, 0)));
    QCOMPARE(backups().makeDaily().removed, QStringList{QStringLiteral("2024-05-07")});
    QCOMPARE(backupEntries(), days(QDate(2024, 5, 8), QDate(2024, 5, 20)) + QStringList{QStringLiteral("2024-07-01")});
}

// A new start empties データ.txt: the last backup before it is the only one left with the
// plays before it, and stays when the days after it are pruned.
void TestBackups::onlyBackupOfPlaysIsKept()
{
    QString plays;
    playEveryDay(QDate(2024, 5, 1), QDate(2024, 5, 5), plays);
    m_clock.set(QDateTime(QDate(2024, 5, 6), QTime(8, 0, 0)));
    QVERIFY(backups().makeDaily().made); // holds the plays of May 1 to 5
    plays.clear();
    writeBytes(file(QStringLiteral("データ.txt")), QByteArray()); // the new start
    playEveryDay(QDate(2024, 5, 7), QDate(2024, 5, 30), plays);
    QCOMPARE(backupEntries(), QStringList{QStringLiteral("2024-05-06")} + days(QDate(2024, 5, 17), QDate(2024, 5, 30)));

    // A play deleted later: the newest backup with it stays too, the older ones go.
    plays.remove(playLine(QDate(2024, 5, 8)));
    writeBytes(file(QStringLiteral("データ.txt")), sjis(plays));
    playEveryDay(QDate(2024, 5, 31), QDate(2024, 6, 20), plays);
    QCOMPARE(backupEntries(),
             (QStringList{QStringLiteral("2024-05-06"), QStringLiteral("2024-05-30")})
                 + days(QDate(2024, 6, 7), QDate(2024, 6, 20)));
}

void TestBackups::failedBackupLeavesNothingBehind()
{
    writeBytes(file(QStringLiteral("データ.txt")), QByteArray(300, 'x'));
    writeBytes(file(QStringLiteral("メモ.TXT")), QByteArray(10, 'm'));
    m_clock.set(midnight(QDate(2024, 5, 18)));
    Backups::Result result;
    {
        const FileSizeLimit limit(100); // a full disk
        result = backups().makeDaily();
    }
    QVERIFY(!result.made);
    QVERIFY(result.failure.startsWith(QStringLiteral("今日のバックアップを作れませんでした。\n")));
    QVERIFY(result.failure.contains(QStringLiteral("データ.txt")));
    QVERIFY(backupEntries().isEmpty());
    QCOMPARE(readBytes(file(QStringLiteral("データ.txt"))), QByteArray(300, 'x'));
    // The next start tries again.
    QVERIFY(backups().makeDaily().made);
    QCOMPARE(readBytes(backups().dayDirectory(QDate(2024, 5, 18)) + QStringLiteral("/データ.txt")), QByteArray(300, 'x'));

    // No folder can be made where a file has the backup folder's name.
    QVERIFY(QDir(backupRoot()).removeRecursively());
    writeBytes(backupRoot(), QByteArray("a file"));
    result = backups().makeDaily();
    QVERIFY(!result.made);
    QCOMPARE(result.failure,
             QStringLiteral("今日のバックアップを作れませんでした。\nフォルダ「%1」を作れませんでした。")
                 .arg(QDir::toNativeSeparators(backupRoot())));
    QCOMPARE(readBytes(backupRoot()), QByteArray("a file"));
}

// What a stopped backup left is removed; what is not the backups' own is never touched: a folder
// named like a day without the marker, a link to the user's old backups on another disk, a
// file the user put into a backup.
void TestBackups::onlyTheBackupsOwnAreRemoved()
{
    const QByteArray marker = sjis(QStringLiteral("コトハナのバックアップ\nデータ.txt\n"));
    const auto make = [&](const QString &path, const QByteArray &markerBytes) {
        QVERIFY(QDir().mkpath(file(path)));
        writeBytes(file(path + QStringLiteral("/データ.txt")), sjis(playLine(QDate(2024, 4, 1))));
        if (!markerBytes.isEmpty())
            writeBytes(file(path + QStringLiteral("/.kotohana-backup")), markerBytes);
    };
    make(QStringLiteral("バックアップ/2024-05-17.part"), marker); // a backup stopped by a kill
    make(QStringLiteral("バックアップ/2024-05-16.part"), QByteArray()); // not the backups'
    make(QStringLiteral("バックアップ/2020-01-01"), QByteArray());
    make(QStringLiteral("バックアップ/2020-01-03"), sjis(QStringLiteral("ほかのソフト\nデータ.txt\n")));
    make(QStringLiteral("バックアップ/2020-01-04"), marker);
    writeBytes(file(QStringLiteral("バックアップ/2020-01-04/ノート.txt")), QByteArray("the user's"));
    QTemporaryDir elsewhere;
    writeBytes(QDir(elsewhere.path()).filePath(QStringLiteral("データ.txt")), sjis(playLine(QDate(2000, 1, 1))));
    make(QStringLiteral("バックアップ/2020-01-05"), marker); // its データ.txt a link, never read
    QVERIFY(QFile::remove(file(QStringLiteral("バックアップ/2020-01-05/データ.txt"))));
    QVERIFY(QFile::link(QDir(elsewhere.path()).filePath(QStringLiteral("データ.txt")),
                        file(QStringLiteral("バックアップ/2020-01-05/データ.txt"))));
    QVERIFY(QDir().mkpath(QDir(elsewhere.path()).filePath(QStringLiteral("2019-12-31"))));
    QVERIFY(QFile::link(elsewhere.path(), file(QStringLiteral("バックアップ/2020-01-02"))));
    QVERIFY(QDir().mkpath(file(QStringLiteral("バックアップ/2024-02-30"))));

    QString plays = playLine(QDate(2024, 4, 1)); // every backup holds it
    writeBytes(file(QStringLiteral("データ.txt")), sjis(plays));
    playEveryDay(QDate(2024, 5, 18), QDate(2024, 6, 10), plays);
    QCOMPARE(backupEntries(),
             (QStringList{QStringLiteral("2020-01-01"), QStringLiteral("2020-01-02"), QStringLiteral("2020-01-03"),
                          QStringLiteral("2020-01-04"), QStringLiteral("2020-01-05"), QStringLiteral("2024-02-30"),
                          QStringLiteral("2024-05-16.part")})
                 + days(QDate(2024, 5, 28), QDate(2024, 6, 10)));
    // Of the backups' own folder with the user's note, only what the backups copied went.
    QCOMPARE(QDir(file(QStringLiteral("バックアップ/2020-01-04"))).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("ノート.txt")});
    QCOMPARE(QDir(file(QStringLiteral("バックアップ/2020-01-05"))).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("データ.txt")});
    QCOMPARE(QDir(elsewhere.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             (QStringList{QStringLiteral("2019-12-31"), QStringLiteral("データ.txt")}));
    QCOMPARE(readBytes(file(QStringLiteral("バックアップ/2020-01-01/データ.txt"))), sjis(playLine(QDate(2024, 4, 1))));
}

// Before a new start or a deletion the day's backup is made anew: a play saved and deleted on
// the same day stays in the backups, however many days follow.
void TestBackups::deletedPlaysStayInTheBackups()
{
    QString plays;
    playEveryDay(QDate(2024, 5, 1), QDate(2024, 5, 3), plays);
    const QString morning = QStringLiteral("\"2024/05/03\",\"09:00:00\",\"しりとり\",30,\"\",\n");
    writeBytes(file(QStringLiteral("データ.txt")), sjis(plays + morning));
    QVERIFY(backups().refresh().made); // before the deletion
    writeBytes(file(QStringLiteral("データ.txt")), sjis(plays));
    QCOMPARE(readBytes(backups().dayDirectory(QDate(2024, 5, 3)) + QStringLiteral("/データ.txt")), sjis(plays + morning));
    playEveryDay(QDate(2024, 5, 4), QDate(2024, 6, 10), plays);
    QVERIFY(backupEntries().contains(QStringLiteral("2024-05-03")));
    QCOMPARE(backupEntries().size(), Backups::kKeptDays + 1);
}

// A new start by mistake, put right the same day from the day's backup: every file comes back
// as it was, and the data as they were just before stay in a backup of their own, which undoes
// the restore and is never pruned.
void TestBackups::restoreBringsBackEveryByte()
{
    const QByteArray records = sjis(playLine(QDate(2024, 5, 17)) + playLine(QDate(2024, 5, 18)));
    const QByteArray history("\x81\x81 not Shift_JIS, no line break");
    writeBytes(file(QStringLiteral("データ.txt")), records);
    writeBytes(file(QStringLiteral("設定.TXT")), QByteArray("\"ヘルプツアー\",1\r\n"));
    writeBytes(file(QStringLiteral("プラマイ履歴.txt")), history);
    m_clock.set(QDateTime(QDate(2024, 5, 18), QTime(8, 0, 0)));
    QVERIFY(backups().makeDaily().made);
    writeBytes(file(QStringLiteral("データ.txt")), QByteArray()); // the new start
    writeBytes(file(QStringLiteral("プラマイ履歴.txt")), QByteArray());
    writeBytes(file(QStringLiteral("しりとり辞書.txt")), QByteArray("learned since")); // not in the backup

    m_clock.set(QDateTime(QDate(2024, 5, 18), QTime(21, 5, 9)));
    Backups::Restored restored = backups().restore(backups().kept().front());
    QVERIFY2(restored.failure.isEmpty(), qPrintable(restored.failure));
    QCOMPARE(readBytes(file(QStringLiteral("データ.txt"))), records);
    QCOMPARE(readBytes(file(QStringLiteral("プラマイ履歴.txt"))), history);
    QCOMPARE(readBytes(file(QStringLiteral("設定.TXT"))), QByteArray("\"ヘルプツアー\",1\r\n"));
    QCOMPARE(readBytes(file(QStringLiteral("しりとり辞書.txt"))), QByteArray("learned since"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files).size(), 4); // no copy left beside them

    QCOMPARE(restored.before, file(QStringLiteral("バックアップ/2024-05-18_21-05-09_復元前")));
    const Backups::Kept before = backups().kept().front();
    QCOMPARE(before.directory, restored.before);
    QCOMPARE(before.plays, 0);
    QVERIFY(before.holdsRecords);
    m_clock.set(QDateTime(QDate(2024, 5, 18), QTime(21, 6, 0)));
    QVERIFY(backups().restore(before).failure.isEmpty());
    QCOMPARE(readBytes(file(QStringLiteral("データ.txt"))), QByteArray());
    QCOMPARE(readBytes(file(QStringLiteral("しりとり辞書.txt"))), QByteArray("learned since"));

    QString plays;
    playEveryDay(QDate(2024, 5, 19), QDate(2024, 6, 2), plays);
    QVERIFY(backupEntries().contains(QStringLiteral("2024-05-18_21-05-09_復元前")));
    QVERIFY(backupEntries().contains(QStringLiteral("2024-05-18_21-06-00_復元前")));
}

void TestBackups::failedRestoreChangesNothing_data()
{
    QTest::addColumn<bool>("diskFull");
    QTest::addColumn<QString>("reason");
    QTest::newRow("a folder in the backup") << false << QStringLiteral("同じ名前のフォルダがあります");
    QTest::newRow("a full disk") << true << QStringLiteral("ファイルが大きくなりすぎました");
}

// The files before the one that fails are already copied beside their files, and are taken back.
void TestBackups::failedRestoreChangesNothing()
{
    QFETCH(bool, diskFull);
    QFETCH(QString, reason);
    for (const QString &name : kOwnFiles)
        writeBytes(file(name), name.toUtf8());
    QVERIFY(backups().makeDaily().made);
    const QString copy = backups().dayDirectory(m_clock.today()) + QStringLiteral("/プラマイ履歴.txt");
    QVERIFY(QFile::remove(copy));
    if (diskFull)
        writeBytes(copy, QByteArray(300, 'x'));
    else
        QVERIFY(QDir().mkdir(copy));
    for (const QString &name : kOwnFiles)
        writeBytes(file(name), "now " + name.toUtf8());
    const QStringList files = QDir(m_dir->path()).entryList(QDir::Files);

    Backups::Restored restored;
    {
        const FileSizeLimit limit(diskFull ? 100 : RLIM_INFINITY);
        restored = backups().restore(backups().kept().front());
    }
    QVERIFY(restored.failure.startsWith(
        QStringLiteral("バックアップから復元できませんでした。\nいまのデータは、そのまま変わっていません。\n")));
    QVERIFY(restored.failure.contains(QStringLiteral("プラマイ履歴.txt")));
    QVERIFY2(restored.failure.contains(reason), qPrintable(restored.failure));
    for (const QString &name : kOwnFiles)
        QCOMPARE(readBytes(file(name)), "now " + name.toUtf8());
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), files);
    QVERIFY(QFileInfo::exists(restored.before + QStringLiteral("/データ.txt")));
}

// Offered are the folders the backups made, newest first: not a folder of the user's named like a
// day, not a link to a backup elsewhere, not one stopped part-way.
void TestBackups::onlyTheProgramsBackupsAreListed()
{
    writeBytes(file(QStringLiteral("データ.txt")), sjis(playLine(QDate(2024, 5, 16)) + playLine(QDate(2024, 5, 17))));
    m_clock.set(QDateTime(QDate(2024, 5, 17), QTime(8, 0, 0)));
    QVERIFY(backups().makeDaily().made);
    const QString day = backups().dayDirectory(QDate(2024, 5, 17));
    QVERIFY(backups().restore(backups().kept().front()).failure.isEmpty());
    m_clock.set(QDateTime(QDate(2024, 5, 18), QTime(8, 0, 0)));
    writeBytes(file(QStringLiteral("データ.txt")), QByteArray());
    QVERIFY(backups().makeDaily().made);

    for (const char16_t *name : {u"2020-01-01", u"2024-05-19.part", u"2024-02-30", u"2024-05-20_99-00-00_復元前"}) {
        const QString folder = file(QStringLiteral("バックアップ/") + QString::fromUtf16(name));
        QVERIFY(QDir().mkpath(folder));
        writeBytes(folder + QStringLiteral("/データ.txt"), sjis(playLine(QDate(2024, 4, 1))));
        if (QString::fromUtf16(name) != u"2020-01-01")
            QVERIFY(QFile::copy(day + QStringLiteral("/.kotohana-backup"), folder + QStringLiteral("/.kotohana-backup")));
    }
    QVERIFY(QFile::link(day, file(QStringLiteral("バックアップ/2024-05-21"))));

    QStringList listed;
    for (const Backups::Kept &backup : backups().kept())
        listed << QStringLiteral("%1 %2 %3 %4")
                      .arg(QDir(backup.directory).dirName())
                      .arg(backup.plays)
                      .arg(backup.lastPlay, backup.day.toString(u"MM/dd"));
    QCOMPARE(listed,
             (QStringList{QStringLiteral("2024-05-18 0  05/18"), QStringLiteral("2024-05-17_08-00-00_復元前 2 2024/05/17 05/17"),
                          QStringLiteral("2024-05-17 2 2024/05/17 05/17")}));
}

// A marker may list any name: only the program's own files are written, and each one the
// restore writes is first kept in the state before, with the permissions it had.
void TestBackups::restoreWritesOnlyTheProgramsFiles()
{
    const QString topic = QStringLiteral("好きな色.txt"); // a topic dropped from the list since
    const QStringList names{QStringLiteral("データ.txt"), QStringLiteral(".kotohana.lock"), QStringLiteral(".kotohana-backup"),
                            QStringLiteral("ほかの.txt"), topic};
    const QString backup = backupRoot() + QStringLiteral("/2024-05-17/");
    QVERIFY(QDir().mkpath(backup));
    for (const QString &name : names)
        writeBytes(backup + name, "old " + name.toUtf8());
    writeBytes(backup + names[2], sjis(QStringLiteral("コトハナのバックアップ\n") + names.join(u'\n')));
    for (const QString &name : names)
        writeBytes(file(name), "now " + name.toUtf8());
    const QFileDevice::Permissions ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    QVERIFY(QFile::setPermissions(file(names[0]), ownerOnly));

    const Backups::Restored restored = Backups(*m_folder, m_clock, kOwnFiles, [&](const DataFolder &) {
                                           return QStringList{topic};
                                       }).restore(backups().kept().front());
    QVERIFY2(restored.failure.isEmpty(), qPrintable(restored.failure));
    QCOMPARE(restored.skipped, names.mid(1, 3));
    for (const QString &name : names)
        QCOMPARE(readBytes(file(name)), (name == names[0] || name == topic ? "old " : "now ") + name.toUtf8());
    QCOMPARE(QFileInfo(file(names[0])).permissions() & (ownerOnly | QFileDevice::ReadGroup | QFileDevice::ReadOther), ownerOnly);
    QCOMPARE(readBytes(restored.before + u'/' + topic), "now " + topic.toUtf8());
}

// The third file cannot take its place: the two before it go back to what they were, and a file
// the folder did not have goes again.
void TestBackups::failedRestoreSaysWhatWasPutBack()
{
    for (const QString &name : kOwnFiles)
        writeBytes(file(name), name.toUtf8());
    QVERIFY(backups().makeDaily().made);
    for (const QString &name : kOwnFiles)
        writeBytes(file(name), "now " + name.toUtf8());
    QVERIFY(QFile::remove(file(QStringLiteral("設定.txt"))));

    Backups restoring = backups();
    restoring.watchReplacements([&](const QString &name) {
        if (name == u"メモ.TXT") { // a folder takes the file's place in that moment
            QVERIFY(QFile::remove(file(name)));
            QVERIFY(QDir().mkpath(file(name + QStringLiteral("/中身"))));
        }
    });
    const Backups::Restored restored = restoring.restore(backups().kept().front());
    QCOMPARE(restored.failure,
             QStringLiteral("バックアップから復元できませんでした。\nファイル「メモ.TXT」を置き換えられませんでした。\n"
                            "（同じ名前のフォルダがあります）\n途中まで復元した次のファイルは、元に戻しました。\n"
                            "　データ.txt\n　設定.txt\nほかのファイルは、そのまま変わっていません。"));
    QCOMPARE(readBytes(file(QStringLiteral("データ.txt"))), "now データ.txt");
    QVERIFY(!QFileInfo::exists(file(QStringLiteral("設定.txt"))));
    QCOMPARE(readBytes(file(QStringLiteral("しりとり辞書.txt"))), "now しりとり辞書.txt");
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden).size(), 3);
}

QTEST_GUILESS_MAIN(TestBackups)
#include "tst_backups.moc"
