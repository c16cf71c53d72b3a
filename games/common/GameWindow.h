#pragma once

#include "GameDefinition.h"
#include "GameSettings.h"
#include "PersonalBest.h"
#include "Play.h"
#include "PlayDisplay.h"

#include "records/Services.h"
#include "ui/WatchedMessageBoxes.h"

#include <QWidget>

#include <memory>

class QCheckBox;
class QLabel;
class QPushButton;
class QTimer;

namespace kotohana {

class HistoryPanel;
class SettingsPanel;
struct ProgramState;

// The window every game shares: the play cycle with its countdown, clock, time bar, counters
// and results; the settings frame and the history panel; saving a finished play; the way back
// to the main window. A game makes its play at "スタート", shows what the play says and puts
// its question and answer controls into playArea().
class GameWindow : public QWidget
{
    Q_OBJECT

public:
    GameWindow(const Services &services, ProgramState &state, GameDefinition definition, QWidget *parent = nullptr);
    ~GameWindow() override;

    void Form_Load();

    void optMode_Click();
    void cboJikan_Click();
    void cboKaisu_Click();
    void modeList_Click();
    void chkAs_Click();
    void cmdStart_Click();
    void tmrStart_Timer();
    void tmrBp_Timer();
    void tmrPlay_Timer();
    void cmdEnd_Click();
    void cmdHozon_Click();

    const GameDefinition &definition() const { return m_definition; }
    // The play under way or the last one; none before the first "スタート".
    const Play *play() const { return m_play.get(); }
    // The window's message boxes: what is shown over the window goes through them, so that the
    // window waits for the answer before it goes.
    MessageBoxes &messageBoxes() { return m_boxes; }

Q_SIGNALS:
    // "戻り": the main window is to be shown again and this window closed.
    void returnToMain();
    // The window has just been shown by its load step, before it says anything: the window it
    // takes the place of can go now, and messages then show over this one.
    void opened();
    // The load step ends: the game's help text is the help-tour message now, for the help tour
    // to show while it is switched on.
    void helpTourDue();

protected:
    // The hooks every game supplies.
    // The play to start with setup; nothing (after telling the user why) when the game has
    // nothing to ask.
    virtual std::unique_ptr<Play> makePlay(const PlaySetup &setup) = 0;
    // What "スタート" starts a play with: the settings shown now by default.
    virtual PlaySetup startSetup() { return shownSetup(); }
    // Clears the game's question display for the new play.
    virtual void resetQuestion() = 0;
    // Shows the play's first question at the end of the countdown.
    virtual void firstQuestion() = 0;
    // The game's own display when its mode changes; nothing by default.
    virtual void modeChanged() { }
    // What a game prepares when its window loads, before the window shows; nothing by default.
    virtual void loaded() { }
    // What a game adds at the end of a play, after the automatic save.
    virtual void playEnded() { }
    // Whether the rate shows after every answer, or only at the end of a play (by default).
    virtual bool showsRateEachAnswer() const { return false; }
    // Shows the counters after an answer: correct, wrong and answers given by default.
    virtual void showCounts();

    // The settings the window shows now.
    PlaySetup shownSetup() const;
    // Starts a play with setup, unless one runs: its countdown, with the results cleared.
    void startPlay(const PlaySetup &setup);
    // Shows what an answer did: its message, the counters, and the end of the play it ended.
    void showOutcome(const Outcome &outcome);
    template <typename T>
    T *playAs() const
    {
        return static_cast<T *>(m_play.get());
    }
    bool playing() const { return m_play && m_play->playing(); }
    bool running() const { return m_play && m_play->cycle().running(); }
    bool isLoading() const { return m_loading; }
    // An answer typed while no play runs is cleared; the focus goes to "スタート".
    void answerOutsidePlay(QWidget *answerBox);
    // The game mode the list shows now.
    QString modeText() const;
    QWidget *playArea() const { return m_playArea; }
    HistoryPanel &history() const { return *m_history; }
    void setResultCaption(ResultLabel which, const QString &caption);
    QLabel *resultLabel(ResultLabel which) const;
    const Services &services() const { return m_services; }
    ProgramState &programState() const { return m_state; }

    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // What the help tour says of the game, from the game's file among the help files.
    QString helpText() const;
    void buildLayout();
    void saveSettings();
    void showSaveMode();
    void endPlay();

    // The services with this window's own message boxes, counted while they are open.
    WatchedMessageBoxes m_boxes;
    const Services m_services;
    // "戻り" came while a box of a handler was open: the window goes once the handler is done.
    bool m_returnDue = false;
    ProgramState &m_state;
    GameDefinition m_definition;
    GameSettingsFile m_settingsFile;
    HistoryFile m_historyFile;
    BestsToBeat m_bests; // the best earlier plays under the conditions the play may end under
    GameSettings m_settings;
    std::unique_ptr<Play> m_play;
    bool m_loading = false;

    QWidget *m_playArea = nullptr;
    SettingsPanel *m_settingsPanel = nullptr;
    HistoryPanel *m_history = nullptr;
    QPushButton *cmdStart = nullptr;
    QPushButton *cmdEnd = nullptr;
    QPushButton *cmdHozon = nullptr;
    QCheckBox *chkAs = nullptr;
    CountdownPictures *m_countdown = nullptr;
    PlayDisplay *m_display = nullptr;
    QTimer *tmrStart = nullptr;
    QTimer *tmrBp = nullptr;
    QTimer *tmrPlay = nullptr;
};

} // namespace kotohana
