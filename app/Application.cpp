#include "Application.h"

#include "DataBackup.h"
#include "Games.h"
#include "HelpTour.h"
#include "frmMain.h"

#include "games/common/GameCatalog.h"
#include "games/common/GameWindow.h"

#include "platform/Clock.h"
#include "platform/DataFolder.h"
#include "platform/FolderLock.h"
#include "platform/MessageBoxes.h"
#include "records/RecordStore.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

#include <memory>
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

Application::~Application()
{
    // The windows use the services, which end with the program's run: they go first, and a
    // window system that ends its windows its own way (Wayland) finds none left.
    m_help.closeAll();
    delete m_game;
    delete m_main;
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
        // A folder that cannot even be listed holds records that cannot be shown either: the
        // record book then says so instead of showing itself empty.
        const QFileInfo place(folder.directory());
        const bool readable = place.isReadable() && place.isExecutable();
        messages.warning((readable ? QStringLiteral("データを保存するフォルダ「%1」に書き込めません。\n"
                                                    "記録を見ることはできますが、ゲームの結果や記録の変更は保存できません。")
                                   : QStringLiteral("データを保存するフォルダ「%1」を読み書きできません。\n"
                                                    "記録を読み込めないため表示できず、ゲームの結果や記録の変更も保存できません。"))
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

} // namespace kotohana
