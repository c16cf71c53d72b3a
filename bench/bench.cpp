// Measures reading データ.txt and filling a grid with it, against iconv as the floor.
//   kotohana_bench [records]         generate that many records (default 100,000) and measure
//   kotohana_bench --file PATH       measure an existing file
// Each phase runs in a child process of its own so that its peak memory is its own.
#include "RecordGenerator.h"

#include "app/RecordLists.h"
#include "records/PlayRecordFile.h"
#include "ui/Grid.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <optional>

using namespace kotohana;

namespace {

constexpr int kRounds = 5;

long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

template <typename Work, typename Prepare = void (*)()>
double bestMilliseconds(Work work, Prepare prepare = [] {})
{
    double best = 1e18;
    for (int round = 0; round < kRounds; ++round) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

int parsePhase(const QString &path)
{
    // The result of one round is kept until the next begins, so that freeing it is not timed.
    std::optional<PlayRecordFile::ReadResult> read;
    const double ms = bestMilliseconds([&] { read.emplace(PlayRecordFile(path).readAll()); }, [&] { read.reset(); });
    std::printf("parse %.1f ms %zu records peak %ld KB\n", ms, read->records.size(), peakKilobytes());
    return 0;
}

void fillGrid(Grid &grid, const std::vector<PlayRecord> &records)
{
    RecordLists::setup(grid, 11, {800, 1400, 1000, 1750, 850, 5230});
    RecordLists::fill(grid, records, 24);
    QCoreApplication::processEvents(); // the change notice and the repaint
}

int gridPhase(int argc, char **argv, const QString &path)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::vector<PlayRecord> records = PlayRecordFile(path).readAll().records;
    Grid grid;
    grid.resize(900, 600);
    grid.show();
    QCoreApplication::processEvents();
    const double ms = bestMilliseconds([&] { fillGrid(grid, records); });
    std::printf("grid %.1f ms %d rows peak %ld KB\n", ms, grid.rows() - 1, peakKilobytes());
    return 0;
}

QString runChild(const QStringList &arguments)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), arguments);
    child.waitForFinished(-1);
    return QString::fromLocal8Bit(child.readAllStandardOutput()).trimmed();
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && qstrcmp(argv[1], "--parse") == 0)
        return parsePhase(QString::fromLocal8Bit(argv[2]));
    if (argc == 3 && qstrcmp(argv[1], "--grid") == 0)
        return gridPhase(argc, argv, QString::fromLocal8Bit(argv[2]));

    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    QTemporaryDir dir;
    QString path;
    if (args.size() > 2 && args.at(1) == QStringLiteral("--file")) {
        path = args.at(2);
    } else {
        const int count = args.size() > 1 ? args.at(1).toInt() : 100000;
        path = dir.filePath(QStringLiteral("データ.txt"));
        const FileResult result = bench::generateRecords(path, count, 20241207);
        if (!result.ok()) {
            std::fprintf(stderr, "%s\n", qPrintable(result.message));
            return 1;
        }
    }
    std::printf("file %s, %.1f MB\n", qPrintable(path), QFileInfo(path).size() / 1e6);

    const double iconvMs = bestMilliseconds([&] {
        QProcess iconv;
        iconv.setStandardOutputFile(QProcess::nullDevice());
        iconv.start(QStringLiteral("iconv"), {QStringLiteral("-f"), QStringLiteral("CP932"), QStringLiteral("-t"),
                                              QStringLiteral("UTF-8"), path});
        iconv.waitForFinished(-1);
    });
    std::printf("iconv %.1f ms (floor, process start included)\n", iconvMs);
    std::printf("%s\n", qPrintable(runChild({QStringLiteral("--parse"), path})));
    std::printf("%s\n", qPrintable(runChild({QStringLiteral("--grid"), path})));
    return 0;
}
