// Measures reading データ.txt and filling a grid with it, against iconv as the floor.
//   kotohana_bench [records]         generate that many records (default 100,000) and measure
//   kotohana_bench --file PATH       measure an existing file (its folder is used as the data folder)
//   add --scaling to measure the parse and the main window at 10,000, 100,000 and 1,000,000 records
//   kotohana_bench --start PATH   only the start of the program, spawned, until its first paint
// Each phase runs in a child process of its own so that its peak memory is its own.
#include "GameBench.h"
#include "RecordGenerator.h"

#include "app/RecordLists.h"
#include "app/frmMain.h"
#include "platform/Clock.h"
#include "platform/DataFolder.h"
#include "games/common/ProgramState.h"
#include "platform/RandomSource.h"
#include "records/Services.h"
#include "platform/TextFile.h"
#include "ui/HelpWindows.h"
#include "ui/QtMessageBoxes.h"
#include "records/PlayRecordFile.h"
#include "records/RecordStore.h"
#include "ui/Grid.h"
#include "ui/Look.h"

#include <QApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>

#include <malloc.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

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
double bestMilliseconds(
    Work work, Prepare prepare = [] {})
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

void fillGrid(Grid &grid, const RecordRows::Snapshot &read)
{
    RecordLists::setup(grid, 11, {800, 1400, 1000, 1750, 850, 5230});
    RecordLists::fill(grid, read, 24);
    QCoreApplication::processEvents(); // the change notice and the repaint
}

int gridPhase(int argc, char **argv, const QString &path)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    useProgramLook();
    const auto read = std::make_shared<const PlayRecordFile::ReadResult>(PlayRecordFile(path).readAll());
    Grid grid;
    grid.resize(900, 600);
    grid.show();
    QCoreApplication::processEvents();
    const double ms = bestMilliseconds([&] { fillGrid(grid, read); });
    std::printf("grid %.1f ms %d rows peak %ld KB\n", ms, grid.rows() - 1, peakKilobytes());
    return 0;
}

// What the program sets up at start, over the folder of the file, with the help tour off.
struct Program {
    explicit Program(const QString &path)
        : folder(QFileInfo(path).absolutePath())
        , records(folder.path(PlayRecordFile::kFileName))
    {
        TextFile::writeLines(folder.path(u"設定.txt"), {QStringLiteral("\"ヘルプツアー\",0")});
        state.welcomeShown = true;
    }

    const DataFolder folder;
    SystemClock clock;
    MersenneRandomSource random{clock, 1};
    QtMessageBoxes messages;
    RecordStore records;
    const Services services{clock, random, messages, folder, records};
    ProgramState state;
    HelpWindows help{QStringLiteral(":/help/index.html")};
};

// The main window on the file: its load, then each page from its button press until it has
// painted, as the user waits for it.
int pagesPhase(int argc, char **argv, const QString &path)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    useProgramLook();
    Program program(path);
    RecordStore &records = program.records;
    const Services &services = program.services;
    ProgramState &state = program.state;
    HelpWindows &help = program.help;

    const auto timed = [](const char *what, const auto &work) {
        QElapsedTimer timer;
        timer.start();
        work();
        QCoreApplication::processEvents();
        std::printf("%-28s %7.1f ms  (peak so far %ld KB, in use %zu KB)\n", what, timer.nsecsElapsed() / 1e6, peakKilobytes(),
                    mallinfo2().uordblks / 1024);
    };
    std::unique_ptr<frmMain> window;
    timed("main window load", [&] {
        records.prefetch(); // as the program does at start
        window = std::make_unique<frmMain>(services, state, help);
        window->Form_Load();
    });
    const std::pair<const char *, void (frmMain::*)()> pages[] = {{"範囲指定 (range)", &frmMain::cmdTaijyu_Click},
                                                                  {"全グラフ (all graphs)", &frmMain::cmdRentai_Click},
                                                                  {"カレンダー (calendar)", &frmMain::cmdCale_Click},
                                                                  {"並び替え (sort)", &frmMain::cmdBunseki_Click},
                                                                  {"集計表示 (totals)", &frmMain::cmdSyuukei_Click},
                                                                  {"一言日記 (diary)", &frmMain::cmdMemo_Click},
                                                                  {"編集 (edit)", &frmMain::cmdSettei_Click}};
    for (const auto &page : pages) {
        window->cmdMain_Click();
        QCoreApplication::processEvents();
        timed(page.first, [&] { (window.get()->*page.second)(); });
    }
    window->cmdMain_Click();
    QCoreApplication::processEvents();
    window->cmdRentai_Click();
    QCoreApplication::processEvents();
    for (const char *button : {"cmdHigoto", "cmdDay2"}) {
        auto *pressed = window->findChild<QPushButton *>(QString::fromLatin1(button));
        timed(button, [&] { pressed->click(); });
    }
    // The calendar's year grid moved a month back.
    window->cmdCale_Click();
    QCoreApplication::processEvents();
    auto *earlier = window->findChild<QPushButton *>(QStringLiteral("cmdPrevMonth"));
    timed("cmdPrevMonth", [&] { earlier->click(); });
    // Back from a game: the main window is built anew over the records already read.
    window.reset();
    timed("main window load, again", [&] {
        window = std::make_unique<frmMain>(services, state, help);
        window->Form_Load();
    });
    std::printf("pages peak %ld KB\n", peakKilobytes());
    return 0;
}

// How the cost grows with the file: the parse (best of three) and the first main window load.
int scalePhase(int argc, char **argv, const QString &path)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    useProgramLook();
    double parseMs = 1e18;
    for (int round = 0; round < 3; ++round) {
        QElapsedTimer timer;
        timer.start();
        const PlayRecordFile::ReadResult read = PlayRecordFile(path).readAll();
        parseMs = std::min(parseMs, timer.nsecsElapsed() / 1e6);
    }
    Program program(path);
    RecordStore &records = program.records;
    const Services &services = program.services;
    ProgramState &state = program.state;
    HelpWindows &help = program.help;
    QElapsedTimer timer;
    timer.start();
    records.prefetch();
    frmMain window(services, state, help);
    window.Form_Load();
    QCoreApplication::processEvents();
    const double loadMs = timer.nsecsElapsed() / 1e6;
    std::printf("%9zu records: parse %7.1f ms, main window load %7.1f ms, peak %ld KB\n", records.current().records.size(),
                parseMs, loadMs, peakKilobytes());
    return 0;
}

// The most memory a running process has held so far (its peak resident set), in KB; 0 when the
// system does not tell.
long peakKilobytesOf(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

// From spawning a program until it says its window painted, in ms; -1 when it never did. The
// program is then ended, once settled() says so (for a few seconds at most); with peak given,
// also once its memory has stopped growing, and its peak memory is put there.
double spawnToPaint(const QString &program, const QStringList &arguments, const std::function<bool()> &settled = {},
                    long *peak = nullptr)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("KOTOHANA_REPORT_FIRST_PAINT"), QStringLiteral("1"));
    child.setProcessEnvironment(environment);
    child.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    child.start(program, arguments);
    double ms = -1;
    while (ms < 0 && child.waitForReadyRead(20000)) {
        if (child.readAllStandardOutput().contains("painted"))
            ms = timer.nsecsElapsed() / 1e6;
    }
    QElapsedTimer waited;
    waited.start();
    while (settled && !settled() && waited.elapsed() < 10000)
        QThread::msleep(20);
    if (peak) {
        // What runs after the first paint (the records read, the day's backup) has ended when
        // the peak has not grown for a while.
        long last = -1;
        while ((*peak = peakKilobytesOf(child.processId())) != last && waited.elapsed() < 30000) {
            last = *peak;
            QThread::msleep(700);
        }
    }
    child.terminate();
    if (!child.waitForFinished(5000))
        child.kill();
    child.waitForFinished(-1);
    return ms;
}

struct Spread {
    double best = 0;
    double median = 0;
};

Spread spreadOf(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return {times.front(), times[times.size() / 2]};
}

// The whole start as the user waits for it: from spawning the program until its main window
// first paints, runs taken in turn with the floor (a Qt window with one Japanese label), on an
// ordinary start over the file's records, the first start of a day (which backs the files up)
// and an empty data folder.
int startPhase(const QString &path)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir full;
    QTemporaryDir empty;
    QFile::copy(path, QDir(full.path()).filePath(QStringLiteral("データ.txt")));
    QElapsedTimer sinceCopied;
    sinceCopied.start();
    for (const QTemporaryDir *dir : {&full, &empty})
        TextFile::writeLines(DataFolder(dir->path()).path(u"設定.txt"), {QStringLiteral("\"ヘルプツアー\",0")});
    const QString program = QStringLiteral(KOTOHANA_PROGRAM);
    const QString floor = QStringLiteral(KOTOHANA_FLOOR);
    // The first start delivers the files and makes the day's backup, after its first paint.
    const QString backedUp = QStringLiteral("バックアップ/%1/データ.txt").arg(QDate::currentDate().toString(Qt::ISODate));
    for (const QTemporaryDir *dir : {&full, &empty})
        spawnToPaint(program, {dir->path()}, [&] { return QFile::exists(QDir(dir->path()).filePath(backedUp)); });
    spawnToPaint(floor, {});
    // A user's record file was written minutes or days before a start, not within the file
    // system's time step (two seconds on FAT), when the program compares its bytes again.
    while (sinceCopied.elapsed() < 2500)
        QThread::msleep(50);

    const auto measure = [&](const char *what, const QString &folder, int runs, bool firstOfDay) {
        std::vector<double> floors;
        std::vector<double> starts;
        for (int run = 0; run < runs; ++run) {
            floors.push_back(spawnToPaint(floor, {}));
            // The main page's view kept from the run before is a view of another day then.
            if (firstOfDay) {
                QDir(QDir(folder).filePath(QStringLiteral("バックアップ"))).removeRecursively();
                QFile::remove(KeptView::pathFor(DataFolder(folder).path(PlayRecordFile::kFileName)));
            }
            starts.push_back(spawnToPaint(program, {folder}));
        }
        const Spread floorSpread = spreadOf(floors);
        const Spread start = spreadOf(starts);
        // The machine's load drifts while the runs are taken: each start against the floor run
        // just before it tells the ratio with less of that drift than the two medians do.
        std::vector<double> ratios;
        for (std::size_t run = 0; run < starts.size(); ++run)
            ratios.push_back(starts[run] / floors[run]);
        std::printf("start to first paint, %-24s best %6.1f ms, median %6.1f ms; floor best %5.1f, median %5.1f; "
                    "median %.2f x the floor, paired runs %.2f x\n",
                    what, start.best, start.median, floorSpread.best, floorSpread.median, start.median / floorSpread.median,
                    spreadOf(ratios).median);
    };
    std::printf("start on %s\n",
                qgetenv("QT_QPA_PLATFORM").startsWith("wayland") ? "a Wayland compositor"
                    : qEnvironmentVariableIsEmpty("DISPLAY")     ? "the offscreen platform"
                                                                 : "the X server");
    measure("ordinary start", full.path(), 25, false);
    measure("first start of a day", full.path(), 15, true);
    measure("empty data folder", empty.path(), 15, false);
    for (const QTemporaryDir *dir : {&full, &empty})
        QFile::remove(KeptView::pathFor(DataFolder(dir->path()).path(PlayRecordFile::kFileName)));
    return 0;
}

// The peak memory of the first start of a day (which backs every data file up) against that of
// an ordinary start, over a record file of `count` records; the median of a few runs each.
int startMemoryPhase(int count)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir folder;
    const QString records = QDir(folder.path()).filePath(QStringLiteral("データ.txt"));
    if (!bench::generateRecords(records, count, 20241207).ok())
        return 1;
    TextFile::writeLines(DataFolder(folder.path()).path(u"設定.txt"), {QStringLiteral("\"ヘルプツアー\",0")});
    const QString program = QStringLiteral(KOTOHANA_PROGRAM);
    const QString backedUp = QStringLiteral("バックアップ/%1/データ.txt").arg(QDate::currentDate().toString(Qt::ISODate));
    const auto backupDone = [&] { return QFile::exists(QDir(folder.path()).filePath(backedUp)); };
    spawnToPaint(program, {folder.path()}, backupDone);
    const auto medianPeak = [&](bool firstOfDay) {
        std::vector<double> peaks;
        for (int run = 0; run < 3; ++run) {
            if (firstOfDay) {
                QDir(QDir(folder.path()).filePath(QStringLiteral("バックアップ"))).removeRecursively();
                QFile::remove(KeptView::pathFor(records));
            }
            long peak = 0;
            spawnToPaint(program, {folder.path()}, firstOfDay ? std::function<bool()>(backupDone) : nullptr, &peak);
            peaks.push_back(peak / 1024.0);
        }
        return spreadOf(peaks).median;
    };
    const double ordinary = medianPeak(false);
    const double first = medianPeak(true);
    std::printf("peak memory at start, %7d records: first start of a day %6.1f MB, ordinary start %6.1f MB (%.2f x)\n", count,
                first, ordinary, first / ordinary);
    return 0;
}

QString runChild(const QStringList &arguments)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), arguments);
    child.waitForFinished(-1);
    return QString::fromLocal8Bit(child.readAllStandardOutput()).trimmed();
}

const char kUsage[] = "usage: kotohana_bench [RECORDS] [--scaling]   generate that many records (default 100,000) and "
                      "measure everything\n"
                      "       kotohana_bench --file PATH [--scaling]  measure an existing record file\n"
                      "       kotohana_bench --start PATH             only the start, spawned, until its first paint\n"
                      "       kotohana_bench --start-memory [RECORDS] the peak memory of the first start of a day\n"
                      "The start runs on the display the environment names (X, or Wayland with "
                      "QT_QPA_PLATFORM=wayland), else offscreen.\n";

// Whether the arguments are ones main() measures with: anything else is refused before any
// file is written or measured.
bool understood(const QStringList &args)
{
    if (args.size() == 1)
        return true;
    const QString &first = args.at(1);
    bool number = false;
    first.toInt(&number);
    if (number)
        return args.size() == 2 || (args.size() == 3 && args.at(2) == QStringLiteral("--scaling"));
    if (first == QStringLiteral("--scaling"))
        return args.size() == 2;
    if (first == QStringLiteral("--file"))
        return args.size() == 3 || (args.size() == 4 && args.at(3) == QStringLiteral("--scaling"));
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 2 && (qstrcmp(argv[1], "--help") == 0 || qstrcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc >= 2 && qstrcmp(argv[1], "--start-memory") == 0 && argc <= 3) {
        QCoreApplication app(argc, argv);
        return startMemoryPhase(argc == 3 ? std::atoi(argv[2]) : 100000);
    }
    if (argc == 3 && qstrcmp(argv[1], "--parse") == 0)
        return parsePhase(QString::fromLocal8Bit(argv[2]));
    if (argc == 3 && qstrcmp(argv[1], "--grid") == 0)
        return gridPhase(argc, argv, QString::fromLocal8Bit(argv[2]));
    if (argc == 3 && qstrcmp(argv[1], "--pages") == 0)
        return pagesPhase(argc, argv, QString::fromLocal8Bit(argv[2]));
    if (argc == 3 && qstrcmp(argv[1], "--scale") == 0)
        return scalePhase(argc, argv, QString::fromLocal8Bit(argv[2]));
    if (argc == 4 && qstrcmp(argv[1], "--generate") == 0) {
        const FileResult result = bench::generateRecords(QString::fromLocal8Bit(argv[2]), std::atoi(argv[3]), 20241207);
        if (!result.ok())
            std::printf("%s\n", qPrintable(result.message));
        return result.ok() ? 0 : 1;
    }
    if (argc == 2 && qstrcmp(argv[1], "--games") == 0)
        return bench::gamesPhase(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--start") == 0) {
        QCoreApplication app(argc, argv);
        return startPhase(QString::fromLocal8Bit(argv[2]));
    }

    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (!understood(args)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    QTemporaryDir dir;
    QString path;
    if (args.size() > 2 && args.at(1) == QStringLiteral("--file")) {
        path = args.at(2);
    } else {
        bool given = false;
        const int asked = args.size() > 1 ? args.at(1).toInt(&given) : 0;
        const int count = given ? asked : 100000;
        path = dir.filePath(QStringLiteral("データ.txt"));
        // Made in a child process: a child starts with the memory its parent holds, and the
        // phases' peaks must be their own.
        const QString failure = runChild({QStringLiteral("--generate"), path, QString::number(count)});
        if (!failure.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(failure));
            return 1;
        }
    }
    std::printf("file %s, %.1f MB\n", qPrintable(path), QFileInfo(path).size() / 1e6);

    const double iconvMs = bestMilliseconds([&] {
        QProcess iconv;
        iconv.setStandardOutputFile(QProcess::nullDevice());
        iconv.start(QStringLiteral("iconv"),
                    {QStringLiteral("-f"), QStringLiteral("CP932"), QStringLiteral("-t"), QStringLiteral("UTF-8"), path});
        iconv.waitForFinished(-1);
    });
    std::printf("iconv %.1f ms (floor, process start included)\n", iconvMs);
    std::printf("%s\n", qPrintable(runChild({QStringLiteral("--parse"), path})));
    std::printf("%s\n", qPrintable(runChild({QStringLiteral("--grid"), path})));
    std::printf("%s\n", qPrintable(runChild({QStringLiteral("--pages"), path})));
    if (args.contains(QStringLiteral("--scaling"))) {
        std::printf("scaling\n");
        for (const int count : {10000, 100000, 1000000}) {
            QTemporaryDir scaled;
            const QString file = scaled.filePath(QStringLiteral("データ.txt"));
            if (runChild({QStringLiteral("--generate"), file, QString::number(count)}).isEmpty())
                std::printf("%s\n", qPrintable(runChild({QStringLiteral("--scale"), file})));
        }
    }
    std::printf("%s\n", qPrintable(runChild({QStringLiteral("--games")})));
    std::printf("%s\n", qPrintable(runChild({QStringLiteral("--start"), path})));
    return 0;
}
