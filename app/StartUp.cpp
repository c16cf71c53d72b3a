#include "StartUp.h"

#include "Application.h"
#include "DataBackup.h"
#include "frmMain.h"

#include "data/DeliveredFiles.h"
#include "games/common/GameCatalog.h"
#include "platform/Clock.h"
#include "platform/FolderLock.h"
#include "platform/ProgramPlace.h"
#include "platform/RandomSource.h"
#include "platform/TextFile.h"
#include "records/KeptView.h"
#include "records/PlayRecordFile.h"
#include "records/RecordStore.h"
#include "ui/Look.h"
#include "ui/QtMessageBoxes.h"
#include "ui/Theme.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <QTranslator>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <random>
#include <system_error>
#include <thread>
#include <utility>

namespace kotohana {
namespace {

// A thread of its own reaching the session bus; none where the system has no thread to give.
std::jthread reachSessionBusAhead()
{
    try {
        return std::jthread([] { QDBusConnection::sessionBus(); });
    } catch (const std::system_error &) {
        return {};
    }
}

// A store reading the record file, and the view kept beside it, from the first moment.
std::unique_ptr<RecordStore> readingRecordsOf(const QString &recordFile, QDate today)
{
    auto records = std::make_unique<RecordStore>(recordFile, KeptView::pathFor(recordFile));
    records->prefetch(today);
    return records;
}

} // namespace

StartUp::StartUp(const QStringList &arguments, const QString &programDirectory, const QString &userData, const Clock &clock)
    : m_clock(clock)
    , m_userData(userData)
{
    const bool qtOptions = std::any_of(arguments.cbegin() + std::min<qsizetype>(1, arguments.size()), arguments.cend(),
                                       [](const QString &argument) { return argument.startsWith(u'-'); });
    if (qtOptions)
        return;
    const DataFolder guessed(DataFolder::choose(arguments, programDirectory, userData));
    m_records = readingRecordsOf(guessed.path(PlayRecordFile::kFileName), m_clock.today());
}

StartUp::~StartUp() = default;

QString StartUp::directoryReadAhead() const
{
    return m_records ? QFileInfo(m_records->path()).absolutePath() : QString();
}

bool StartUp::settleFolder(const QStringList &arguments, const QString &programDirectory, const QString &deliveredFrom,
                           MessageBoxes &messages)
{
    const QString directory = DataFolder::choose(arguments, programDirectory, m_userData);
    if (!QDir().mkpath(directory)) {
        messages.critical(QStringLiteral("データを保存するフォルダ「%1」を作れませんでした。").arg(directory),
                          QStringLiteral("コトハナ"));
        return false;
    }
    // The lock comes before anything reads or writes the files: another copy may be at them.
    m_lock = std::make_unique<FolderLock>(directory);
    if (!claimFolder(*m_lock, directory, messages))
        return false;
    const DataFolder &folder = m_folder.emplace(directory);
    // All of a restore stopped by a kill, or none of it, before any file is read.
    completeInterruptedRestore(folder, messages);
    // What a save stopped by a kill left is cleared before the files are read.
    folder.removeLeftovers(deliveredFileNames() + GameCatalog::fileNames());
    const QString recordFile = folder.path(PlayRecordFile::kFileName);
    if (!m_records || m_records->path() != recordFile)
        m_records = readingRecordsOf(recordFile, m_clock.today());
    // A file delivered now, or changed since the reading began, is read again when first asked
    // for: the store compares the file with what it read.
    return prepareFolder(folder, deliveredFrom, messages, *m_records);
}

namespace {
// Runs its work once, as the main window first paints.
class AtFirstPaint final : public QObject
{
public:
    AtFirstPaint(std::function<void()> work, QObject *parent)
        : QObject(parent)
        , m_work(std::move(work))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && qobject_cast<frmMain *>(watched)) {
            QCoreApplication::instance()->removeEventFilter(this);
            m_work();
            deleteLater();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_work;
};

void atFirstPaint(std::function<void()> work)
{
    QCoreApplication::instance()->installEventFilter(new AtFirstPaint(std::move(work), QCoreApplication::instance()));
}

// Drawing the program's icon from its picture at the sizes the window system keeps takes a few
// ms: the main window gets it just after its first paint. A window that shows before it (a
// message that the folder is in use, say) gets it as it opens.
class ProgramIconSoon final : public QObject
{
public:
    explicit ProgramIconSoon(QObject *parent)
        : QObject(parent)
    {
        QCoreApplication::instance()->installEventFilter(this);
        atFirstPaint([this] { QTimer::singleShot(0, this, &ProgramIconSoon::give); });
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType() && static_cast<QWidget *>(watched)->isWindow()
            && !qobject_cast<frmMain *>(watched))
            give();
        return QObject::eventFilter(watched, event);
    }

private:
    void give()
    {
        if (m_given)
            return;
        m_given = true;
        QCoreApplication::instance()->removeEventFilter(this);
        QApplication::setWindowIcon(programIcon());
    }

    bool m_given = false;
};

// For the benchmark: with KOTOHANA_REPORT_FIRST_PAINT set, a line on the standard output as the
// main window first paints, so that the time from spawning the program to its first picture can
// be measured from outside; with the value "quit" the program then ends, to be timed as a whole
// process.
class FirstPaintReport final
{
public:
    FirstPaintReport()
    {
        if (!qEnvironmentVariableIsSet("KOTOHANA_REPORT_FIRST_PAINT"))
            return;
        atFirstPaint([this] {
            std::fputs("painted\n", stdout);
            std::fflush(stdout);
            m_painted = true;
            // Not while the window paints: quitting closes the windows, and on Wayland a
            // window closed then loses the surface its picture is being finished on.
            if (m_quits && m_looping)
                QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
        });
    }

    // Whether the program is to end before its event loop: it painted while the window was
    // shown, and is to quit then.
    bool endsBeforeLoop() const { return m_quits && m_painted; }
    void loopStarts() { m_looping = true; }

private:
    const bool m_quits = qgetenv("KOTOHANA_REPORT_FIRST_PAINT") == "quit";
    bool m_painted = false;
    bool m_looping = false;
};

// The program takes one argument, the data folder, once Qt has taken its own options out: a
// request for help is answered, and anything else that looks like an option is refused, before
// a folder is made of it. Nothing when the program is to go on.
std::optional<int> answerCommandLine(const QStringList &arguments)
{
    static const char kUsage[] = "usage: kotohana [DATA-FOLDER]\n"
                                 "Starts コトハナ on the data folder given, else on the program's own folder when it "
                                 "holds データ.txt, else on the user's data folder.\n";
    if (arguments.size() < 2 || !arguments.at(1).startsWith(u'-'))
        return std::nullopt;
    if (arguments.at(1) == QStringLiteral("--help") || arguments.at(1) == QStringLiteral("-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    std::fprintf(stderr, "kotohana: unknown option %s\n%s", qPrintable(arguments.at(1)), kUsage);
    return 2;
}

} // namespace

int runProgram(int argc, char **argv)
{
    // A write beyond the process's file-size limit fails as on a full disk instead of ending
    // the program halfway through a record: set before any file is written.
    TextFile::failWritesBeyondSizeLimit();
    // Qt takes the first thread that asks for its own as the program's main thread: this one,
    // before the store's reading thread starts.
    QThread::currentThread();
    QApplication::setApplicationName(QStringLiteral("kotohana"));
    SystemClock clock;
    StartUp start(argumentsBeforeQt(argc, argv), programDirectoryBeforeQt(),
                  QStandardPaths::writableLocation(QStandardPaths::AppDataLocation), clock);

    // The records are being read while Qt connects to the display and the window is built.
    QApplication qt(argc, argv);
    if (const std::optional<int> answered = answerCommandLine(QApplication::arguments()))
        return *answered;
    // The font the program's texts are set in is chosen from Qt's list of fonts, made meanwhile.
    const std::jthread fontList = listFontsAhead();
    // Qt asks the session bus whether assistive tools listen when the first label takes its
    // text, and waits for the answer (on a machine without a bus, for the attempt to start one):
    // the bus is reached meanwhile on a thread of its own, through Qt's own connection.
    const std::jthread bus = reachSessionBusAhead();
    FirstPaintReport report;
    // Qt's own texts (OK, キャンセル) in Japanese; no display name is set, since the window
    // system would add it to every title.
    QTranslator qtTexts;
    installQtTexts(qtTexts);
    // The window system finds the program's menu entry, and with it the icon, by this name.
    QApplication::setDesktopFileName(QStringLiteral(KOTOHANA_APP_ID));
    new ProgramIconSoon(&qt);

    QtMessageBoxes messages;
    if (!start.settleFolder(QApplication::arguments(), QApplication::applicationDirPath(), deliveredFilesDirectory(), messages))
        return 1;
    useProgramLook();
    applyTheme(qt);
    MersenneRandomSource random(clock, std::random_device{}());
    const Services services{clock, random, messages, start.folder(), start.records()};
    // The day's backup copies every data file: it waits until the window shows, as does the
    // reading of the records after a kept view, and the keeping of a view read anew.
    atFirstPaint([&services] {
        services.records.prefetch();
        QTimer::singleShot(0, [&services] {
            services.records.keepDayView(services.clock.today(), false);
            backUpDataFiles(services);
        });
    });
    Application application(services);
    application.showMain();
    if (report.endsBeforeLoop())
        return 0;
    report.loopStarts();
    const int result = qt.exec();
    services.records.keepDayView(clock.today(), true);
    return result;
}

} // namespace kotohana
