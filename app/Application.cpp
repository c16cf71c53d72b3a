#include "Application.h"

#include "DataBackup.h"
#include "Games.h"
#include "HelpTour.h"
#include "frmMain.h"

#include "games/common/GameCatalog.h"
#include "games/common/GameWindow.h"

#include "data/DeliveredFiles.h"
#include "platform/Background.h"
#include "platform/Clock.h"
#include "platform/DataFolder.h"
#include "platform/FolderLock.h"
#include "platform/RandomSource.h"
#include "platform/TextFile.h"
#include "records/RecordStore.h"
#include "platform/MessageBoxes.h"
#include "ui/Look.h"
#include "ui/QtMessageBoxes.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <QTranslator>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <future>
#include <memory>
#include <random>
#include <system_error>
#include <thread>
#include <utility>

namespace kotohana {

Application::Application(const Services &services)
    : m_services(services)
    , m_day(services.clock.today())
{
    auto *dateWatch = new QTimer(this);
    dateWatch->setInterval(60 * 1000);
    connect(dateWatch, &QTimer::timeout, this, &Application::watchTheDate);
    dateWatch->start();
}

void Application::watchTheDate()
{
    const QDate today = m_services.clock.today();
    if (today == m_day)
        return;
    const QDate before = std::exchange(m_day, today);
    backUpDataFiles(m_services);
    if (m_main)
        m_main->dayChanged(before, today);
}

frmMain *Application::mainWindow() const
{
    return m_main;
}

GameWindow *Application::gameWindow() const
{
    return m_game;
}

void Application::showMain()
{
    auto *window = new frmMain(m_services, m_state, m_help);
    window->setAttribute(Qt::WA_DeleteOnClose);
    connect(window, &frmMain::programEnd, this, [this] {
        m_help.closeAll();
        QCoreApplication::quit();
    });
    connect(window, &frmMain::gameChosen, this, &Application::openGame);
    m_main = window;
    window->Form_Load();
    if (!m_recordsAnnounced) {
        m_recordsAnnounced = true;
        const QString notice = m_services.records.startNotice();
        if (!notice.isEmpty())
            m_services.messages.warning(notice, QStringLiteral("コトハナ"));
    }
}

void Application::openGame(int game)
{
    // A second click on the launcher (a double-click) arrives while the first game loads.
    if (m_game)
        return;
    std::unique_ptr<GameWindow> created = Games::create(game, m_services, m_state);
    if (!created)
        return;
    GameWindow *window = created.release();
    connect(window, &GameWindow::returnToMain, this, [this, window] {
        showMain();
        window->deleteLater();
    });
    // Only one window is open at a time: the main window goes, to be built anew on return, as
    // soon as the game's window shows, so that what the game says at its start shows over it.
    connect(window, &GameWindow::opened, this, [this] {
        if (m_main)
            m_main->close();
    });
    connect(window, &GameWindow::helpTourDue, this, [this, window] { ShowHelpTour(m_state, window->messageBoxes()); });
    m_game = window;
    window->Form_Load();
}

bool installQtTexts(QTranslator &translator)
{
    return translator.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        && QApplication::installTranslator(&translator);
}

QIcon programIcon()
{
    return QIcon(QStringLiteral(":/images/kotohana.svg"));
}

QString alreadyRunningMessage(const QString &directory)
{
    return QStringLiteral("コトハナはこのデータフォルダーですでに起動しています。\r\n%1\r\n\r\n"
                          "先に起動したコトハナをお使いください。")
        .arg(QDir::toNativeSeparators(directory));
}

bool claimFolder(FolderLock &lock, const QString &directory, MessageBoxes &messages)
{
    const QString title = QStringLiteral("コトハナ");
    const QString shown = QDir::toNativeSeparators(directory);
    QString question;
    switch (lock.state()) {
    case FolderLock::State::Held:
    case FolderLock::State::NotLockable: // a folder that cannot be written runs read-only
        return true;
    case FolderLock::State::HeldElsewhere:
        messages.critical(alreadyRunningMessage(directory), title);
        return false;
    case FolderLock::State::OtherComputer:
        question = QStringLiteral(
                       "このデータフォルダーは、別のコンピューター「%1」のコトハナが使用中になっています。\r\n%2\r\n\r\n"
                       "そのコンピューターでコトハナが動いているときは、そちらを終了してから起動してください。\r\n"
                       "もう動いていない（強制終了などで使用中の印が残った）ときは、OK を押すとこのコンピューターで使い始めます。")
                       .arg(lock.otherComputer(), shown);
        break;
    case FolderLock::State::Damaged:
        question = QStringLiteral(
                       "このデータフォルダーの使用中の印（.kotohana.lock）が壊れていて、どのコトハナが使っているか分かりません。\r\n"
                       "%1\r\n\r\nほかにコトハナが動いていなければ、OK を押すと印を作り直して起動します。")
                       .arg(shown);
        break;
    case FolderLock::State::NotAFile:
        if (!lock.canTakeOver()) {
            messages.critical(QStringLiteral(
                                  "このデータフォルダーでは、使用中の印（.kotohana.lock）の場所にフォルダなどがあるため、印を作れません。\r\n"
                                  "%1\r\n\r\n「.kotohana.lock」の名前を変えるか別の場所に移してから、起動し直してください。")
                                  .arg(shown),
                              title);
            return false;
        }
        question = QStringLiteral(
                       "このデータフォルダーでは、使用中の印（.kotohana.lock）の場所にファイルではないもの（空のフォルダなど）があります。\r\n"
                       "%1\r\n\r\nOK を押すと、それを取り除いて印を作り直し、起動します。")
                       .arg(shown);
        break;
    }
    if (!messages.confirm(question, title))
        return false;
    if (lock.takeOver())
        return true;
    messages.critical(lock.state() == FolderLock::State::HeldElsewhere
                          ? alreadyRunningMessage(directory)
                          : QStringLiteral("使用中の印（.kotohana.lock）を作り直せませんでした。\r\n%1").arg(shown),
                      title);
    return false;
}

bool prepareFolder(const DataFolder &folder, const QString &deliveredFrom, MessageBoxes &messages, RecordStore &records)
{
    if (!folder.writable()) {
        messages.warning(QStringLiteral("データを保存するフォルダ「%1」に書き込めません。\n"
                                        "記録を見ることはできますが、ゲームの結果や記録の変更は保存できません。")
                             .arg(QDir::toNativeSeparators(folder.directory())),
                         QStringLiteral("コトハナ"));
        records.refuseChanges(QStringLiteral("データを保存するフォルダ「%1」に書き込めないため、保存できません。")
                                  .arg(QDir::toNativeSeparators(folder.directory())));
        return true;
    }
    const DataFolder::Delivery delivery = folder.deliverMissing(deliveredFrom);
    if (!delivery.failures.isEmpty()) {
        messages.critical(delivery.failures.join(u'\n'), QStringLiteral("コトハナ"));
        return false;
    }
    return true;
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

// Work for a spare core while the main thread builds the first window. Qt reaches the session
// bus (for assistive tools) when the first label takes its text, and waits there until it
// answers or, without one, until the attempt to start one has failed: the bus is reached here
// instead. Then the pages of the heap room the window is built in are made ready. Only then: an
// attempt to start a bus copies the process, which leaves each of its pages to be copied or
// taken back at its next writing.
std::jthread workAhead(const HeapRoom &heapRoom)
{
    return threadForOptionalWork([&heapRoom] {
        QDBusConnection::sessionBus();
        giveWayToOtherThreads();
        makeMemoryReady(heapRoom.begin(), heapRoom.bytes());
    });
}

// Locks the data folder on a thread of its own: writing the lock makes the system put it on the
// disk, which takes a while, longer still on a USB stick. An invalid result when the folder is
// not there yet (it is made first) or no thread is to be had.
std::future<std::unique_ptr<FolderLock>> lockAhead(const QString &directory)
{
    if (!QFileInfo(directory).isDir())
        return {};
    try {
        return std::async(std::launch::async, [directory] { return std::make_unique<FolderLock>(directory); });
    } catch (const std::system_error &) {
        return {};
    }
}

// The lock taken ahead when it is of the folder chosen after all, else a lock taken now.
std::unique_ptr<FolderLock> lockOf(const QString &directory, std::future<std::unique_ptr<FolderLock>> ahead,
                                   const QString &aheadDirectory)
{
    if (ahead.valid()) {
        std::unique_ptr<FolderLock> taken = ahead.get();
        if (aheadDirectory == directory)
            return taken;
    }
    return std::make_unique<FolderLock>(directory);
}

} // namespace

int runProgram(int argc, char **argv)
{
    // What building the main window allocates, and more: a few MB.
    constexpr std::size_t kStartHeapRoom = std::size_t{4} << 20;
    const HeapRoom heapRoom(kStartHeapRoom);
    FontSetupAhead fonts;
    TextFile::failWritesBeyondSizeLimit();
    // Qt takes the first thread that asks for its own as the program's main thread: this one,
    // before the reading thread starts.
    QThread::currentThread();
    QApplication::setApplicationName(QStringLiteral("kotohana"));
    const QString userData = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    // Reading the record file is the longest step before the first window: it starts at once,
    // on a thread of its own, while Qt connects to the display and the window is built. With
    // an option among the arguments (Qt's own, such as -platform) it waits until Qt has taken
    // its own out of them; should the folder turn out another after all, the file is read anew
    // from there. When the main page's view was kept at the end of the last run (today's, or an
    // earlier day's while today has no play) and the file is still what it was made from, the
    // window shows that and the records are read after its first paint. The folder is locked
    // ahead the same way.
    const auto storeFor = [](const QString &recordFile) {
        return std::make_unique<RecordStore>(recordFile, KeptView::pathFor(recordFile));
    };
    SystemClock clock;
    QStringList givenArguments;
    for (int i = 0; i < argc; ++i)
        givenArguments.append(QString::fromLocal8Bit(argv[i]));
    std::unique_ptr<RecordStore> records;
    QString directoryAhead;
    std::future<std::unique_ptr<FolderLock>> lockTakenAhead;
    if (std::none_of(givenArguments.cbegin() + 1, givenArguments.cend(),
                     [](const QString &argument) { return argument.startsWith(u'-'); })) {
        const QString programFile = QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
        directoryAhead = DataFolder::choose(givenArguments, QFileInfo(programFile).absolutePath(), userData);
        records = storeFor(DataFolder(directoryAhead).path(PlayRecordFile::kFileName));
        records->prefetch(clock.today());
        lockTakenAhead = lockAhead(directoryAhead);
    }

    QApplication qt(argc, argv);
    const std::jthread ahead = workAhead(heapRoom);
    const std::jthread qtFonts = listFontsAhead();
    useProgramLook(fonts.japaneseFamilies());
    // For the benchmark: a line on the standard output as the main window first paints, so that
    // the time from spawning the program to its first picture can be measured from outside;
    // with the value "quit" the program then ends, to be timed as a whole process.
    const bool quitAtFirstPaint = qgetenv("KOTOHANA_REPORT_FIRST_PAINT") == "quit";
    bool painted = false;
    bool looping = false;
    if (qEnvironmentVariableIsSet("KOTOHANA_REPORT_FIRST_PAINT")) {
        atFirstPaint([&] {
            std::fputs("painted\n", stdout);
            std::fflush(stdout);
            painted = true;
            if (quitAtFirstPaint && looping)
                QCoreApplication::quit();
        });
    }
    // No display name is set: the window system would add it to every title.
    QTranslator qtTexts;
    installQtTexts(qtTexts);
    // The window system finds the program's menu entry, and with it the icon, by this name.
    QApplication::setDesktopFileName(QStringLiteral(KOTOHANA_APP_ID));
    new ProgramIconSoon(&qt);

    QtMessageBoxes messages;
    const QString directory = DataFolder::choose(QApplication::arguments(), QApplication::applicationDirPath(), userData);
    if (!QDir().mkpath(directory)) {
        messages.critical(QStringLiteral("データを保存するフォルダ「%1」を作れませんでした。").arg(directory),
                          QStringLiteral("コトハナ"));
        return 1;
    }
    const std::unique_ptr<FolderLock> lock = lockOf(directory, std::move(lockTakenAhead), directoryAhead);
    if (!claimFolder(*lock, directory, messages))
        return 1;
    const DataFolder folder(directory);
    completeInterruptedRestore(folder, messages); // all of a stopped restore's files or none, before any is read
    folder.removeLeftovers(deliveredFileNames() + GameCatalog::fileNames());
    if (!records || records->path() != folder.path(PlayRecordFile::kFileName)) {
        records = storeFor(folder.path(PlayRecordFile::kFileName));
        records->prefetch(clock.today());
    }
    // A file delivered now, or changed since the reading began, is read again when first asked
    // for: the store compares the file with what it read.
    if (!prepareFolder(folder, deliveredFilesDirectory(), messages, *records))
        return 1;

    MersenneRandomSource random(clock, std::random_device{}());
    const Services services{clock, random, messages, folder, *records};
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
    if (quitAtFirstPaint && painted)
        return 0;
    looping = true;
    const int result = qt.exec();
    records->keepDayView(clock.today(), true);
    return result;
}

} // namespace kotohana
