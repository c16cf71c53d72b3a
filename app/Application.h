#pragma once

#include "games/common/ProgramState.h"
#include "records/Services.h"
#include "ui/HelpWindows.h"

#include <QDate>
#include <QObject>
#include <QPointer>

class QIcon;
class QTranslator;

namespace kotohana {

class DataFolder;
class FolderLock;
class GameWindow;
class MessageBoxes;
class RecordStore;
class frmMain;

// Owns what outlives every window and opens the windows one at a time.
class Application final : public QObject
{
    Q_OBJECT

public:
    explicit Application(const Services &services);
    ~Application() override;

    // Opens the main window (anew, with its load step). The first time, once it shows, tells
    // the user what of データ.txt could not be read.
    void showMain();
    // Opens a game's window in place of the main window.
    void openGame(int game);

    ProgramState &state() { return m_state; }
    frmMain *mainWindow() const;
    GameWindow *gameWindow() const;

    // Looked at every minute: when the date has changed since (the program runs past
    // midnight), the new day gets its backup and the main page shows the new day if it showed
    // the old one.
    void watchTheDate();

private:
    const Services &m_services;
    ProgramState m_state;
    HelpWindows m_help{QStringLiteral(":/help/index.html")};
    QPointer<frmMain> m_main;
    QPointer<GameWindow> m_game;
    bool m_recordsAnnounced = false;
    QDate m_day; // the date the program last saw
};

// Qt's own texts (OK and キャンセル, a text box's menu) in Japanese, from Qt's translations; the
// translator must outlive the application's windows.
bool installQtTexts(QTranslator &translator);

// The picture of the program's windows, the same as the icon of its menu entry.
QIcon programIcon();

// What a second start on a data folder in use says before it ends.
QString alreadyRunningMessage(const QString &directory);

// Settles who has the data folder at start: this copy, or another that still runs (told, and
// the program ends). A lock this computer cannot judge (written on another computer, damaged,
// not a file) is described truly and taken over only when the user says so. False when the
// program is to end.
bool claimFolder(FolderLock &lock, const QString &directory, MessageBoxes &messages);

// Readies the data folder at start: writes the delivered files (from deliveredFrom) that it
// lacks. A folder that cannot be written is told to the user once, and the run goes on read-
// only: the records show, and every change of データ.txt is refused with a message. False
// when the program cannot start: delivered files could not be written to a writable folder.
bool prepareFolder(const DataFolder &folder, const QString &deliveredFrom, MessageBoxes &messages, RecordStore &records);

} // namespace kotohana
