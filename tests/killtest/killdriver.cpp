// Changes データ.txt of a folder over and over, the way the games and the record book do:
// a game's save appends a record, the record book rewrites the file after a diary edit or a
// deletion. After each change returns success it prints "ok N" (N: the change's number) and
// flushes, so that whoever kills it knows which changes the program believed done.
//
// Change N, counted from the number given on the command line:
//   N % 5 == 2: the diary of record N % count is set to diaryText(N) (the whole file rewritten);
//   N % 5 == 4: record N % count is deleted (the whole file rewritten);
//   otherwise, or when the file holds no record: recordOf(N) is appended.
//
// With --restore it restores the folder's newest backup instead, pausing up to `pause`
// milliseconds (the third argument) before each file takes its place, and prints "restored";
// with --start it does what the program's start does first: it completes a restore that was
// stopped part-way, and prints "started".
#include "platform/Clock.h"
#include "platform/DataFolder.h"
#include "records/Backups.h"
#include "records/RecordRewrite.h"
#include "records/RecordStore.h"

#include <QRandomGenerator>
#include <QThread>

#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace kotohana;

namespace {

const char16_t *const kItems[] = {u"プラマイ", u"しりとり", u"バラバラ", u"四熟虫喰", u"カラパニ", u"ボキャブラ", u"連想心理"};

QString two(long long value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

QString diaryText(long long n)
{
    return QStringLiteral("表示 %1 ～①").arg(n);
}

PlayRecord recordOf(long long n)
{
    return {QStringLiteral("2024/%1/%2").arg(two(1 + n % 12), two(1 + n % 28)),
            QStringLiteral("%1:%2:%3").arg(two(n / 3600 % 24), two(n / 60 % 60), two(n % 60)), QString::fromUtf16(kItems[n % 7]),
            float(n % 720) / 4, QStringLiteral("答数 : %1  ソ").arg(n)};
}

[[noreturn]] void stop(const QString &message)
{
    std::fprintf(stderr, "%s\n", qPrintable(message));
    std::exit(1);
}

FileResult change(long long n, const DataFolder &folder, RecordStore &store)
{
    const PlayRecordFile::ReadResult &read = store.current();
    if (!read.ok)
        stop(read.message);
    std::vector<PlayRecord> records = read.records;
    const long long count = qsizetype(records.size());
    if (count == 0 || (n % 5 != 2 && n % 5 != 4))
        return store.append(recordOf(n));
    const auto at = records.begin() + n % count;
    if (n % 5 == 2)
        at->diary = diaryText(n);
    else
        records.erase(at);
    return RecordRewrite::rewrite(folder, store, records, !read.lossless()).result;
}

} // namespace

// The files the restore test's folders hold.
const QStringList kRestoredFiles{QStringLiteral("データ.txt"), QStringLiteral("設定.txt"), QStringLiteral("メモ.TXT"),
                                 QStringLiteral("プラマイ履歴.txt"), QStringLiteral("好きな色.txt")};

int restore(const DataFolder &folder, int pause)
{
    const SystemClock clock;
    Backups backups(folder, clock, kRestoredFiles);
    backups.watchReplacements([pause](const QString &) { QThread::msleep(QRandomGenerator::global()->bounded(pause + 1)); });
    const std::vector<Backups::Kept> kept = backups.kept();
    if (kept.empty())
        stop(QStringLiteral("no backup"));
    const Backups::Restored restored = backups.restore(kept.front());
    if (!restored.failure.isEmpty())
        stop(restored.failure);
    std::puts("restored");
    return 0;
}

int start(const DataFolder &folder)
{
    const Backups::Completion completion = Backups::completeInterruptedRestore(folder);
    if (!completion.failure.isEmpty())
        stop(completion.failure);
    std::puts("started");
    return 0;
}

int main(int argc, char **argv)
{
    if (argc == 4 && std::strcmp(argv[2], "--restore") == 0)
        return restore(DataFolder(QString::fromLocal8Bit(argv[1])), std::atoi(argv[3]));
    if (argc == 3 && std::strcmp(argv[2], "--start") == 0)
        return start(DataFolder(QString::fromLocal8Bit(argv[1])));
    if (argc != 3)
        stop(QStringLiteral("usage: kotohana_killdriver FOLDER FIRST-CHANGE | FOLDER --restore PAUSE | FOLDER --start"));
    const DataFolder folder(QString::fromLocal8Bit(argv[1]));
    RecordStore store(folder.path(PlayRecordFile::kFileName));
    for (long long n = std::atoll(argv[2]);; ++n) {
        const FileResult result = change(n, folder, store);
        if (!result.ok())
            stop(result.message);
        std::printf("ok %lld\n", n);
        std::fflush(stdout);
    }
}
