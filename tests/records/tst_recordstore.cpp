#include "TestFiles.h"

#include "platform/DataFolder.h"
#include "records/RecordRewrite.h"
#include "records/RecordStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTime>

#include <algorithm>
#include <chrono>
#include <future>

#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kotohana;
using namespace kotohana::test;

namespace {

const QString kTwoRecords = QStringLiteral("\"2024/05/18\",\"21:05:09\",\"プラマイ\",60,\"秒数 : 60  (＋) モード\",\n"
                                           "\"2024/05/18\",\"21:07:30\",\"しりとり\",41.3,\"答数 : 10\",\n");

void appendBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::Append));
    file.write(bytes);
}

} // namespace

class TestRecordStore : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_path;

    // What reading the file afresh gives: the store must always agree with it.
    std::vector<PlayRecord> fresh() const { return PlayRecordFile(m_path).readAll().records; }

private Q_SLOTS:
    void init()
    {
        m_path = QDir(m_dir.path()).filePath(QStringLiteral("データ.txt"));
        writeBytes(m_path, sjis(kTwoRecords));
    }

    void readsOnceWhileNothingChanges()
    {
        RecordStore store(m_path);
        QCOMPARE(store.current().records.size(), std::size_t(2));
        QCOMPARE(store.current().records.size(), std::size_t(2));
        QCOMPARE(store.reads(), 1);
        QCOMPARE(store.current().records, fresh());
    }

    // A data folder of mode 000 hides データ.txt: it cannot be read, and is no empty file.
    void unsearchableFolderIsNoEmptyFile()
    {
        if (::geteuid() == 0)
            QSKIP("root searches every folder");
        QVERIFY(QFile::setPermissions(m_dir.path(), {}));
        const bool read = RecordStore(m_path).current().ok;
        QVERIFY(QFile::setPermissions(m_dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
        QVERIFY(!read);
    }

    void outsideChangesAreSeen()
    {
        RecordStore store(m_path);
        store.current();
        // Another program appends a record.
        appendBytes(m_path, sjis(QStringLiteral("\"2024/05/19\",\"07:00:00\",\"カラパニ\",30,\"\",\n")));
        QCOMPARE(store.current().records.size(), std::size_t(3));
        QCOMPARE(store.current().records, fresh());

        // An editor saves a new file of the very same size in its place.
        QByteArray edited = readBytes(m_path);
        edited.replace(sjis(QStringLiteral("07:00:00")), sjis(QStringLiteral("08:00:00")));
        QCOMPARE(edited.size(), readBytes(m_path).size());
        const QString saved = m_path + QStringLiteral(".new");
        writeBytes(saved, edited);
        QVERIFY(QFile::remove(m_path));
        QVERIFY(QFile::rename(saved, m_path));
        QCOMPARE(store.current().records.back().time, QStringLiteral("08:00:00"));

        // The same size written in place, its modification time set back: the change time tells.
        QFile file(m_path);
        const QDateTime modified = QFileInfo(m_path).lastModified();
        edited.replace(sjis(QStringLiteral("08:00:00")), sjis(QStringLiteral("09:00:00")));
        QVERIFY(file.open(QIODevice::ReadWrite));
        file.write(edited);
        QVERIFY(file.setFileTime(modified, QFileDevice::FileModificationTime));
        file.close();
        QCOMPARE(store.current().records.back().time, QStringLiteral("09:00:00"));

        // The file taken away, then back.
        QVERIFY(QFile::remove(m_path));
        QVERIFY(store.current().records.empty());
        writeBytes(m_path, sjis(kTwoRecords));
        QCOMPARE(store.current().records, fresh());
    }

    // A same-size edit within the step of a coarse file clock (FAT keeps two seconds) leaves the
    // stamp as it was; an edit through a shared map, which sets no time at all, stands in for it.
    void anEditWithinTheClocksStepIsSeen()
    {
        QFile file(m_path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        auto *bytes = reinterpret_cast<volatile char *>(file.map(0, file.size()));
        bytes[0] = '"'; // the first write through the map sets the times, here to a whole second
        QVERIFY(file.setFileTime(QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch()),
                                 QFileDevice::FileModificationTime));
        RecordStore store(m_path);
        store.current();
        bytes[readBytes(m_path).indexOf("21:07:30") + 4] = '8';
        QCOMPARE(store.current().records.back().time, QStringLiteral("21:08:30"));
        // A diary saved on another row keeps the edit.
        QVERIFY(applyChange(DataFolder(m_dir.path()), store, {fresh().front(), 0, QStringLiteral("日記")}).rewrite.result.ok()
                && fresh().back().time == u"21:08:30");
    }

    void ownChangesFollowTheFile()
    {
        RecordStore store(m_path);
        store.current();
        // Texts the line format and the code page change on the way: a quote, a line break, a
        // single-precision number, the wave dash and minus sign input methods type.
        QVERIFY(store
                    .append({QStringLiteral("2024/05/19"), QStringLiteral("07:00:00"), QStringLiteral("連想心理"), 12.3f,
                             QStringLiteral("\"引用\"\n改行 波〜線−")})
                    .ok());
        QCOMPARE(store.current().records, fresh());
        QCOMPARE(store.current().records.back().diary, QStringLiteral("＂引用＂ 改行 波～線－"));
        QCOMPARE(store.reads(), 1); // an append needs no read

        std::vector<PlayRecord> edited = fresh();
        edited.front().diary = QStringLiteral("よくできた〜");
        edited.erase(edited.begin() + 1);
        QVERIFY(store.rewrite(edited).ok());
        QCOMPARE(store.current().records, fresh());
        QCOMPARE(store.current().records.size(), std::size_t(2));

        QVERIFY(store.truncate().ok());
        QVERIFY(store.current().records.empty());
        QCOMPARE(readBytes(m_path), QByteArray());
    }

    // A list on screen holds the records it shows; the store's changes must not alter them.
    void snapshotsOutliveChanges()
    {
        writeBytes(m_path, sjis(kTwoRecords.repeated(1500))); // the file's bytes compared in pieces of all sizes
        RecordStore store(m_path);
        const std::shared_ptr<const PlayRecordFile::ReadResult> shown = store.snapshot();
        const std::vector<PlayRecord> before = shown->records;
        QVERIFY(
            store.append({QStringLiteral("2024/05/19"), QStringLiteral("07:00:00"), QStringLiteral("カラパニ"), 30, QString()}).ok());
        QCOMPARE(store.current().records.size(), before.size() + 1);
        QCOMPARE(shown->records, before);
        QCOMPARE(store.reads(), 1);

        appendBytes(m_path, sjis(QStringLiteral("\"2024/05/20\",\"07:00:00\",\"カラパニ\",30,\"\",\n")));
        QCOMPARE(store.snapshot()->records, fresh());
        QVERIFY(store.truncate().ok());
        QVERIFY(store.current().records.empty());
        QCOMPARE(shown->records, before);
    }

    void anAppendAfterAnOutsideChangeReadsAgain()
    {
        RecordStore store(m_path);
        store.current();
        appendBytes(m_path, sjis(QStringLiteral("\"2024/05/19\",\"07:00:00\",\"カラパニ\",30,\"\",\n")));
        QVERIFY(
            store.append({QStringLiteral("2024/05/19"), QStringLiteral("08:00:00"), QStringLiteral("プラマイ"), 60, QString()}).ok());
        QCOMPARE(store.current().records.size(), std::size_t(4));
        QCOMPARE(store.current().records, fresh());
    }

    // Records read before another program's change would undo it: the rewrite is refused.
    void rewritesNeverUndoAnotherProgramsChange()
    {
        RecordStore store(m_path);
        const std::vector<PlayRecord> before = store.current().records;
        appendBytes(m_path, "\r\n");
        const RecordRewrite emptied = RecordRewrite::truncate(DataFolder(m_dir.path()), store, true);
        QVERIFY(emptied.fileChanged && emptied.backupName.isEmpty() && !store.rewrite(before).ok());
        QCOMPARE(readBytes(m_path), sjis(kTwoRecords + u'\n'));
    }

    // Another process appends lines, each with an open, a write and a close as a shell's >> does,
    // while the store appends and edits diaries. No line is cut, none of the store's is lost, and
    // an outside line only when written while a rewrite put its new file in place.
    void amongAnotherProgramsAppends()
    {
        constexpr int kLines = 10000;
        using Span = std::pair<qint64, qint64>;
        auto *written = static_cast<Span *>(
            mmap(nullptr, sizeof(Span) * kLines, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));
        const auto now = [] { return qint64(std::chrono::steady_clock::now().time_since_epoch().count()); };
        writeBytes(m_path, QByteArray());
        const pid_t other = fork();
        for (int i = 0; other == 0 && i < kLines; ++i) {
            const QByteArray line = "\"2024/06/01\",\"12:00:00\",\"other\",1,\"" + QByteArray::number(i) + "\",\r\n";
            written[i].first = now();
            QFile file(m_path);
            if (!file.open(QIODevice::Append) || file.write(line) != line.size() || !file.flush())
                _exit(1);
            written[i].second = now();
        }
        if (other == 0)
            _exit(0);
        RecordStore store(m_path);
        const auto own = [](int n) {
            return PlayRecord{QStringLiteral("2024/06/02"), QTime(0, 0).addSecs(n).toString(u"HH:mm:ss"),
                              QStringLiteral("プラマイ"), 60, QString::number(n)};
        };
        QStringList diaries;
        std::vector<Span> rewrites;
        int status = 0;
        for (bool busy = true; busy || diaries.size() < 300; busy = busy && waitpid(other, &status, WNOHANG) == 0) {
            const int n = int(diaries.size());
            QVERIFY(store.append(own(n)).ok());
            diaries.append(own(n).diary);
            if (n % 10 == 9) {
                const qint64 began = now();
                const RecordChange change{own(n - 2), std::size_t(n - 2), QStringLiteral("日記")};
                if (applyChange(DataFolder(m_dir.path()), store, change).rewrite.result.ok())
                    diaries[n - 2] = *change.diary;
                rewrites.emplace_back(began, now());
            }
        }
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        const PlayRecordFile::ReadResult read = PlayRecordFile(m_path).readAll();
        QCOMPARE(read.skippedLines, 0);
        QStringList kept, outside;
        for (const PlayRecord &record : read.records)
            (record.item == u"other" ? outside : kept).append(record.diary);
        QCOMPARE(kept, diaries);
        qsizetype next = 0; // the outside lines in order, once each
        for (int line = 0; line < kLines; ++line) {
            const bool lost = next == outside.size() || outside[next] != QString::number(line);
            next += lost ? 0 : 1;
            QVERIFY(!lost || std::any_of(rewrites.begin(), rewrites.end(), [&](const Span &rewrite) {
                return written[line].first <= rewrite.second && written[line].second >= rewrite.first;
            }));
        }
        QCOMPARE(next, outside.size());
        QCOMPARE(store.current().records, read.records);
        munmap(written, sizeof(Span) * kLines);
    }

    void readingAheadGivesTheSameRecords()
    {
        const int niceness = getpriority(PRIO_PROCESS, 0);
        RecordStore store(m_path);
        store.prefetch();
        // The program's own append waits for the reading ahead, and follows it.
        QVERIFY(
            store.append({QStringLiteral("2024/05/19"), QStringLiteral("08:00:00"), QStringLiteral("プラマイ"), 60, QString()}).ok());
        QCOMPARE(store.current().records, fresh());
        QCOMPARE(store.reads(), 1);

        // The reading ahead gives way to the program's other threads, not the program as a whole.
        QCOMPARE(getpriority(PRIO_PROCESS, 0), niceness);
        QCOMPARE(std::async(std::launch::async, [] { return getpriority(PRIO_PROCESS, 0); }).get(), niceness);

        RecordStore ahead(m_path);
        ahead.prefetch();
        appendBytes(m_path, sjis(QStringLiteral("\"2024/05/19\",\"09:00:00\",\"カラパニ\",30,\"\",\n")));
        // Whether the reading ahead saw that line or not, the records are the file's now.
        QCOMPARE(ahead.current().records, fresh());
        QCOMPARE(ahead.current().records.size(), std::size_t(4));
    }

    // The view of a day kept at the end of one run stands in for the first reading of the next,
    // on that day and while the file has exactly the bytes it was made from.
    void aKeptViewStandsInForTheFirstReading()
    {
        const QString kept = QDir(m_dir.path()).filePath(QStringLiteral("kept"));
        const QDate day(2024, 5, 18);
        const auto sameView = [day](const TodayView &a, const TodayView &b) {
            return KeptView{day, 0, 0, a}.encoded() == KeptView{day, 0, 0, b}.encoded();
        };
        {
            RecordStore first(m_path, kept);
            first.prefetch(day);
            QVERIFY(!first.takeDayView(day));
            first.keepDayView(day, true);
        }
        RecordStore store(m_path, kept);
        store.prefetch(day);
        const std::optional<TodayView> view = store.takeDayView(day);
        QVERIFY(view);
        QVERIFY(!store.takeDayView(day));
        QCOMPARE(store.reads(), 0);
        QVERIFY(sameView(*view, buildTodayView(fresh(), day)));
        QVERIFY(store.startNotice().isEmpty());
        // The records read later are the view's: what was built from it still holds.
        const quint64 version = store.version();
        QCOMPARE(store.current().records, fresh());
        QCOMPARE(store.version(), version);

        // The next day, without plays, is made from the view kept of this one.
        RecordStore nextDay(m_path, kept);
        nextDay.prefetch(day.addDays(1));
        const std::optional<TodayView> next = nextDay.takeDayView(day.addDays(1));
        QVERIFY(next);
        QVERIFY(sameView(*next, buildTodayView(fresh(), day.addDays(1))));

        // One byte changed, the length the same: the records are read first, as ever.
        QByteArray bytes = sjis(kTwoRecords);
        bytes.replace(",60,", ",61,");
        writeBytes(m_path, bytes);
        RecordStore changed(m_path, kept);
        changed.prefetch(day);
        QVERIFY(!changed.takeDayView(day));
        QCOMPARE(changed.current().records, fresh());

        // A file with something to tell at start is never stood in for.
        QVERIFY(QFile::remove(kept));
        appendBytes(m_path, sjis(QStringLiteral("not a record\n")));
        RecordStore telling(m_path, kept);
        QVERIFY(!telling.startNotice().isEmpty());
        telling.keepDayView(day, true);
        QVERIFY(!QFile::exists(kept));
    }

    // A link or a pipe in the kept view's place is neither read nor written through.
    void aKeptViewIsOnlyTheProgramsOwnFile()
    {
        const QString kept = QDir(m_dir.path()).filePath(QStringLiteral("kept"));
        const QString usersFile = QDir(m_dir.path()).filePath(QStringLiteral("users.txt"));
        const QDate day(2024, 5, 18);
        writeBytes(usersFile, "mine");
        QVERIFY(QFile::link(usersFile, kept));
        RecordStore store(m_path, kept);
        store.keepDayView(day, true);
        QCOMPARE(readBytes(usersFile), QByteArray("mine"));
        QVERIFY(QFileInfo(kept).isSymLink());

        QVERIFY(QFile::remove(kept));
        QCOMPARE(::mkfifo(QFile::encodeName(kept).constData(), 0600), 0);
        RecordStore piped(m_path, kept);
        piped.prefetch(day);
        QVERIFY(!piped.takeDayView(day));
        QCOMPARE(piped.current().records, fresh());
        QVERIFY(QFile::remove(kept));
        QVERIFY(QFile::remove(usersFile));
    }

    void unreadableFileIsTriedAgain()
    {
        QVERIFY(QFile::remove(m_path));
        QVERIFY(QDir().mkpath(m_path));
        RecordStore store(m_path);
        QVERIFY(!store.current().ok);
        QVERIFY(QDir().rmdir(m_path));
        writeBytes(m_path, sjis(kTwoRecords));
        QVERIFY(store.current().ok);
        QCOMPARE(store.current().records.size(), std::size_t(2));
    }

    // A pipe under the record file's name: reading would wait for a writer for ever, and an
    // append would vanish into it. Both are refused at once.
    void aPipeIsNeitherReadNorWritten()
    {
        QVERIFY(QFile::remove(m_path));
        QCOMPARE(::mkfifo(QFile::encodeName(m_path).constData(), 0600), 0);
        RecordStore store(m_path);
        store.prefetch();
        QVERIFY(!store.current().ok);
        QVERIFY(store.current().message.contains(QStringLiteral("普通のファイルではありません")));
        QVERIFY(!store.append(PlayRecord{}).ok());
        const DataFolder folder(m_dir.path());
        QVERIFY(!RecordRewrite::rewrite(folder, store, {}, false).result.ok());
        QVERIFY(!QFileInfo(m_path).isFile());
        QVERIFY(QFile::remove(m_path));
    }

    // A run whose data folder cannot be written: every change of the file is refused with the
    // message given, before anything is written (no backup either) and the file stays as it is.
    void changesAreRefusedInARunThatOnlyReads()
    {
        const QByteArray before = sjis(kTwoRecords + QStringLiteral("読めない行\n"));
        writeBytes(m_path, before);
        RecordStore store(m_path);
        const QString refusal = QStringLiteral("書き込めないため、保存できません。");
        store.refuseChanges(refusal);
        QCOMPARE(store.refusal(), refusal);
        QCOMPARE(store.current().records.size(), std::size_t(2));

        const DataFolder folder(m_dir.path());
        const RecordRewrite rewritten = RecordRewrite::rewrite(folder, store, {}, true);
        const RecordRewrite emptied = RecordRewrite::truncate(folder, store, true);
        for (const FileResult &result :
             {store.append(PlayRecord{}), store.rewrite({}), store.truncate(), rewritten.result, emptied.result})
            QCOMPARE(result.message, refusal);
        QVERIFY(rewritten.backupName.isEmpty() && emptied.backupName.isEmpty());
        QVERIFY(!folder.contains(u"データ.txt.bak"));
        QCOMPARE(readBytes(m_path), before);
    }
};

QTEST_GUILESS_MAIN(TestRecordStore)
#include "tst_recordstore.moc"
