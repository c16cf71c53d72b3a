#pragma once

#include "platform/ProgramState.h"
#include "platform/Services.h"
#include "ui/HelpWindows.h"

#include <QObject>
#include <QPointer>

class QTranslator;

namespace kotohana {

class GameWindow;
class frmMain;

// Owns what outlives every window and opens the windows one at a time.
class Application final : public QObject
{
    Q_OBJECT

public:
    explicit Application(const Services &services);

    // Opens the main window (anew, with its load step).
    void showMain();
    // Opens a game's window in place of the main window.
    void openGame(int game);

    ProgramState &state() { return m_state; }
    frmMain *mainWindow() const;
    GameWindow *gameWindow() const;

private:
    const Services &m_services;
    ProgramState m_state;
    HelpWindows m_help{QStringLiteral(":/help/index.html")};
    QPointer<frmMain> m_main;
    QPointer<GameWindow> m_game;
};

// Qt's own texts (OK and キャンセル, a text box's menu) in Japanese, from Qt's translations; the
// translator must outlive the application's windows.
bool installQtTexts(QTranslator &translator);

// What a second start on a data folder in use says before it ends.
QString alreadyRunningMessage(const QString &directory);

// Runs the program: picks the data folder, delivers missing files, opens the main window.
int runProgram(int argc, char **argv);

} // namespace kotohana
