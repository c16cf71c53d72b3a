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
// With --restore or --start instead of a number: see restoreOrStart().
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

// A restore of the folder's one backup, slowed down before each file takes its place, or the
// start's completion of a restore stopped part-way; either prints "done" when done.
void restoreOrStart(const DataFolder &folder, bool restore)
{
    const SystemClock clock;
    Backups backups(folder, clock, QStringLiteral("データ.txt,設定.txt,メモ.TXT,プラマイ履歴.txt,好きな色.txt").split(u','));
    backups.watchReplacements([](const QString &) { QThread::msleep(QRandomGenerator::global()->bounded(40)); });
    const QString failure = restore ? backups.restore(backups.kept().at(0)).failure
                                    : Backups::completeInterruptedRestore(folder).failure;
    if (!failure.isEmpty())
        stop(failure);
    std::puts("done");
}

int main(int argc, char **argv)
{
    if (argc != 3)
        stop(QStringLiteral("usage: kotohana_killdriver FOLDER FIRST-CHANGE|--restore|--start"));
    const DataFolder folder(QString::fromLocal8Bit(argv[1]));
    if (std::strcmp(argv[2], "--restore") == 0 || std::strcmp(argv[2], "--start") == 0) {
        restoreOrStart(folder, std::strcmp(argv[2], "--restore") == 0);
        return 0;
    }
    RecordStore store(folder.path(PlayRecordFile::kFileName));
    for (long long n = std::atoll(argv[2]);; ++n) {
        const FileResult result = change(n, folder, store);
        if (!result.ok())
            stop(result.message);
        std::printf("ok %lld\n", n);
        std::fflush(stdout);
    }
}
