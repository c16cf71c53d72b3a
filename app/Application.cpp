#include "Application.h"

#include "DataBackup.h"
#include "Games.h"
#include "frmMain.h"

#include "games/common/GameCatalog.h"
#include "games/common/GameWindow.h"

#include "data/DeliveredFiles.h"
#include "platform/Clock.h"
#include "platform/DataFolder.h"
#include "platform/FolderLock.h"
#include "platform/RandomSource.h"
#include "platform/TextFile.h"
#include "records/RecordStore.h"
#include "platform/MessageBoxes.h"
#include "ui/QtMessageBoxes.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTranslator>

#include <random>

namespace kotohana {

Application::Application(const Services &services)
    : m_services(services)
{
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
        const QString notice = PlayRecordFile::startNotice(m_services.records.current());
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

bool prepareFolder(const DataFolder &folder, const QString &deliveredFrom, MessageBoxes &messages,
                   RecordStore &records)
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

int runProgram(int argc, char **argv)
{
    TextFile::failWritesBeyondSizeLimit();
    QApplication qt(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kotohana"));
    // No display name is set: the window system would add it to every title.
    QTranslator qtTexts;
    installQtTexts(qtTexts);
    // The window system finds the program's menu entry, and with it the icon, by this name.
    QApplication::setDesktopFileName(QStringLiteral(KOTOHANA_APP_ID));
    QApplication::setWindowIcon(programIcon());

    QtMessageBoxes messages;
    const QString directory =
        DataFolder::choose(QApplication::arguments(), QApplication::applicationDirPath(),
                           QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    if (!QDir().mkpath(directory)) {
        messages.critical(QStringLiteral("データを保存するフォルダ「%1」を作れませんでした。").arg(directory),
                          QStringLiteral("コトハナ"));
        return 1;
    }
    const FolderLock lock(directory);
    if (lock.state() == FolderLock::State::HeldElsewhere) {
        messages.critical(alreadyRunningMessage(directory), QStringLiteral("コトハナ"));
        return 1;
    }
    const DataFolder folder(directory);
    folder.removeLeftovers(deliveredFileNames() + GameCatalog::fileNames());
    RecordStore records(folder.path(PlayRecordFile::kFileName));
    if (!prepareFolder(folder, deliveredFilesDirectory(), messages, records))
        return 1;

    SystemClock clock;
    MersenneRandomSource random(clock, std::random_device{}());
    records.prefetch(); // read while the main window is built
    const Services services{clock, random, messages, folder, records};
    backUpDataFiles(services);
    Application application(services);
    application.showMain();
    return qt.exec();
}

} // namespace kotohana
