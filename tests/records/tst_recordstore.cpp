#include "OutsideAppender.h"
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

#include <sys/stat.h>

using namespace kotohana;
using namespace kotohana::test;

namespace {

const QString kTwoRecords = QStringLiteral("\"2024/05/18\",\"21:05:09\",\"プラマイ\",60,\"秒数 : 60  (＋) モード\",\n"
                                           "\"2024/05/18\",\"21:07:30\",\"しりとり\",41.3,\"答数 : 10\",\n");

const QString kOutside = QStringLiteral("外");

// A record line of another program's, numbered in its diary.
std::vector<QByteArray> outsideLines(int count)
{
    std::vector<QByteArray> lines;
    for (int i = 0; i < count; ++i)
        lines.push_back(sjis(QStringLiteral("\"2024/06/01\",\"12:00:00\",\"%1\",1,\"%2\",\n").arg(kOutside).arg(i)));
    return lines;
}

// One of the store's own, each at a time of its own, so that a change finds it.
PlayRecord ownRecord(int i)
{
    return {QStringLiteral("2024/06/02"), QTime(0, 0).addSecs(i).toString(u"HH:mm:ss"), QStringLiteral("プラマイ"), 60,
            QString::number(i)};
}

// The diaries of the records, the outside program's and the store's apart.
std::pair<QStringList, QStringList> numbers(const std::vector<PlayRecord> &records)
{
    std::pair<QStringList, QStringList> found;
    for (const PlayRecord &record : records)
        (record.item == kOutside ? found.first : found.second).append(record.diary);
    return found;
}

QStringList upTo(int count)
{
    QStringList all;
    for (int i = 0; i < count; ++i)
        all.append(QString::number(i));
    return all;
}

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

    // On a file system whose times step by a second or two (FAT, some network shares), another
    // program's same-size edit within the step of the last reading leaves the stamp as it was.
    // An edit through a shared memory map, which changes no time at all, stands in for it.
    void anEditWithinTheClocksStepIsSeen()
    {
        QFile file(m_path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        auto *bytes = reinterpret_cast<volatile char *>(file.map(0, file.size()));
        QVERIFY(bytes);
        bytes[0] = '"'; // the first write through the map sets the file's times
        // Times in whole seconds, as such a file system keeps them.
        QVERIFY(file.setFileTime(QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch()),
                                 QFileDevice::FileModificationTime));
        RecordStore store(m_path);
        QCOMPARE(store.current().records.back().time, QStringLiteral("21:07:30"));

        const qsizetype at = readBytes(m_path).indexOf("21:07:30");
        bytes[at + 4] = '8';
        QCOMPARE(store.current().records.back().time, QStringLiteral("21:08:30"));
        QCOMPARE(store.reads(), 2);
        // A diary saved on another row keeps the edit.
        const DataFolder folder(m_dir.path());
        const AppliedChange applied = applyChange(folder, store, {store.current().records.front(), 0, QStringLiteral("日記")});
        QVERIFY(applied.rewrite.result.ok());
        QCOMPARE(fresh().back().time, QStringLiteral("21:08:30"));
        QCOMPARE(fresh().front().diary, QStringLiteral("日記"));
    }

    void ownChangesFollowTheFile()
    {
        RecordStore store(m_path);
        store.current();
        // Texts the line format and the code page change on the way: a quote, a line break, a
        // single-precision number, the wave dash and minus sign input methods type.
        QVERIFY(store.append({QStringLiteral("2024/05/19"), QStringLiteral("07:00:00"), QStringLiteral("連想心理"), 12.3f,
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
        RecordStore store(m_path);
        const std::shared_ptr<const PlayRecordFile::ReadResult> shown = store.snapshot();
        const std::vector<PlayRecord> before = shown->records;
        QVERIFY(store.append({QStringLiteral("2024/05/19"), QStringLiteral("07:00:00"), QStringLiteral("カラパニ"), 30, QString()})
                    .ok());
        QCOMPARE(store.current().records.size(), std::size_t(3));
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
        QVERIFY(store.append({QStringLiteral("2024/05/19"), QStringLiteral("08:00:00"), QStringLiteral("プラマイ"), 60,
                              QString()})
                    .ok());
        QCOMPARE(store.current().records.size(), std::size_t(4));
        QCOMPARE(store.current().records, fresh());
    }

    // Another program appends while the store does: no line of either is overwritten or cut,
    // and the store's records follow all of them.
    void appendsAmongAnotherProgramsAppends()
    {
        writeBytes(m_path, QByteArray());
        RecordStore store(m_path);
        store.current();
        constexpr int kOutsideLines = 10000;
        OutsideAppender other(m_path, outsideLines(kOutsideLines));
        other.start();
        int own = 0;
        while (other.busy() || own < 100)
            QVERIFY(store.append(ownRecord(own++)).ok());
        QVERIFY(other.finish());
        const PlayRecordFile::ReadResult read = PlayRecordFile(m_path).readAll();
        QCOMPARE(read.skippedLines, 0);
        QCOMPARE(numbers(read.records), std::make_pair(upTo(kOutsideLines), upTo(own)));
        QCOMPARE(store.current().records, read.records);
    }

    // A rewrite made from records read before another program's change would undo it: it is
    // refused, with nothing written, and a change made anew on the file as it is keeps it.
    void rewritesNeverUndoAnotherProgramsChange()
    {
        RecordStore store(m_path);
        const std::vector<PlayRecord> before = store.current().records;
        const QByteArray outside = sjis(QStringLiteral("\"2024/05/19\",\"07:00:00\",\"カラパニ\",30,\"\",\n"));
        appendBytes(m_path, outside);
        const QByteArray held = readBytes(m_path);
        const DataFolder folder(m_dir.path());
        const RecordRewrite emptied = RecordRewrite::truncate(folder, store, true);
        QVERIFY(emptied.fileChanged);
        QVERIFY(emptied.backupName.isEmpty());
        for (const FileResult &refused : {store.rewrite(before), store.truncate(), emptied.result})
            QCOMPARE(refused.message, RecordStore::changedMessage());
        QCOMPARE(readBytes(m_path), held);

        appendBytes(m_path, outside);
        const AppliedChange applied = applyChange(folder, store, {before.front(), 0, QStringLiteral("日記")});
        QVERIFY(applied.rewrite.result.ok());
        QCOMPARE(fresh().size(), std::size_t(4));
        QCOMPARE(fresh().front().diary, QStringLiteral("日記"));
    }

    // Another program appends while the store appends and rewrites. Appends never lose a line.
    // A rewrite keeps every line the file held when it began; only a line appended while the
    // new file was being put in place may be lost, and none is ever cut.
    void rewritesAmongAnotherProgramsAppends()
    {
        writeBytes(m_path, QByteArray());
        RecordStore store(m_path);
        const DataFolder folder(m_dir.path());
        constexpr int kOutsideLines = 3000;
        OutsideAppender other(m_path, outsideLines(kOutsideLines));
        other.start();
        QStringList diaries;
        std::vector<std::pair<qint64, qint64>> rewrites;
        while (other.busy() || diaries.size() < 100) {
            const int own = int(diaries.size());
            QVERIFY(store.append(ownRecord(own)).ok());
            diaries.append(QString::number(own));
            if (own % 4 != 3)
                continue;
            const PlayRecord picked = ownRecord(own - 2);
            const QString diary = QStringLiteral("%1 日記").arg(own - 2);
            const qint64 began = OutsideAppender::now();
            const AppliedChange applied = applyChange(folder, store, {picked, std::size_t(own - 2), diary});
            rewrites.emplace_back(began, OutsideAppender::now());
            QVERIFY(applied.found);
            if (applied.rewrite.result.ok())
                diaries[own - 2] = diary;
            else
                QCOMPARE(applied.rewrite.result.message, RecordStore::changedMessage());
        }
        QVERIFY(other.finish());

        const PlayRecordFile::ReadResult read = PlayRecordFile(m_path).readAll();
        QCOMPARE(read.skippedLines, 0);
        const auto [outside, own] = numbers(read.records);
        QCOMPARE(own, diaries);
        int next = 0;
        for (const QString &number : outside) {
            const int line = number.toInt();
            QVERIFY2(line >= next, "outside lines in their order, each once");
            for (; next < line; ++next) {
                const auto [began, ended] = other.written(std::size_t(next));
                QVERIFY2(std::any_of(rewrites.begin(), rewrites.end(),
                                     [&](const auto &rewrite) { return began <= rewrite.second && ended >= rewrite.first; }),
                         qPrintable(QStringLiteral("outside line %1 lost outside any rewrite").arg(next)));
            }
            ++next;
        }
        QCOMPARE(store.current().records, read.records);
    }

    void readingAheadGivesTheSameRecords()
    {
        RecordStore store(m_path);
        store.prefetch();
        // The program's own append waits for the reading ahead, and follows it.
        QVERIFY(store.append({QStringLiteral("2024/05/19"), QStringLiteral("08:00:00"), QStringLiteral("プラマイ"), 60,
                              QString()})
                    .ok());
        QCOMPARE(store.current().records, fresh());
        QCOMPARE(store.reads(), 1);

        RecordStore ahead(m_path);
        ahead.prefetch();
        appendBytes(m_path, sjis(QStringLiteral("\"2024/05/19\",\"09:00:00\",\"カラパニ\",30,\"\",\n")));
        // Whether the reading ahead saw that line or not, the records are the file's now.
        QCOMPARE(ahead.current().records, fresh());
        QCOMPARE(ahead.current().records.size(), std::size_t(4));
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
        for (const FileResult &result : {store.append(PlayRecord{}), store.rewrite({}), store.truncate(),
                                         rewritten.result, emptied.result})
            QCOMPARE(result.message, refusal);
        QVERIFY(rewritten.backupName.isEmpty() && emptied.backupName.isEmpty());
        QVERIFY(!folder.contains(u"データ.txt.bak"));
        QCOMPARE(readBytes(m_path), before);
    }
};

QTEST_GUILESS_MAIN(TestRecordStore)
#include "tst_recordstore.moc"
