#pragma once

#include "GameDefinition.h"
#include "GameSettings.h"
#include "PlayCycle.h"

#include <QWidget>

#include <array>
#include <map>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTimer;

namespace kotohana {

class Chart;
class ColorButton;
class Picture;
class Shape;
struct ProgramState;
struct Services;

// The window every game shares: the play cycle with its countdown, clock, time bar, counters
// and results; the "ゲーム設定" frame and its settings file; the history list with its
// filters and charts; saving a finished play; the way back to the main window. A game fills
// in the hooks and puts its question and answer controls into playArea().
class GameWindow : public QWidget
{
    Q_OBJECT

public:
    GameWindow(const Services &services, ProgramState &state, GameDefinition definition, QWidget *parent = nullptr);

    void Form_Load();

    void optMode_Click(int index);
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

    void cmdAllDsp_Click();
    void modeTwin_Click();
    void cboJikan2_Click();
    void cboKaisu2_Click();
    void chart_Click(int button);
    void cmdClear_Click();

    const PlayCycle &cycle() const { return m_cycle; }
    const GameDefinition &definition() const { return m_definition; }

Q_SIGNALS:
    // "戻り": the main window is to be shown again and this window closed.
    void returnToMain();

protected:
    // What the game saves of a play besides the date and time, in its history layout.
    struct PlayResult {
        const PlayCycle &cycle;
        double seconds;
        QString limitText;   // the seconds or answers limit the play started with
        QString timingName;  // "秒数" or "答数"
        QString modeText;    // the game mode, empty without one
        double speed;
    };

    // The start of every game's record text: "秒数 : 60" or "答数 : 20".
    static QString conditions(const PlayResult &play) { return play.timingName + QStringLiteral(" : ") + play.limitText; }

    // The hooks every game supplies.
    virtual QString helpText() const = 0;
    virtual void resetQuestion() = 0;
    virtual void firstQuestion() = 0;
    virtual qint64 speedCount() const = 0;
    virtual HistoryRow historyFields(const PlayResult &play) const = 0;
    virtual QString recordText(const PlayResult &play) const = 0;
    // The game's own display when its mode changes; nothing by default.
    virtual void modeChanged() {}
    // What a game prepares when its window loads, before the window shows; nothing by default.
    virtual void loaded() {}
    // Whether a play may start now; a game refuses (with a message) when it has nothing to ask.
    virtual bool canStart() { return true; }
    // What a game adds at the end of a play, after the automatic save.
    virtual void playEnded() {}

    // For the judges: counts one answer, shows the counters, ends a count-mode play on its
    // last answer. True when the play ended.
    bool answerJudged(bool correct);
    // Whether the rate shows after every answer, or only at the end of a play (by default).
    virtual bool showsRateEachAnswer() const { return false; }
    // Shows the counters after an answer: correct, wrong and answers given by default.
    virtual void showCounts();
    // The text a history list cell shows for a saved field; the field itself by default.
    virtual QString historyCell(int column, const QString &field) const;
    void setResultCaption(const char *label, const QString &caption);
    Grid *historyList() const { return msgRireki; }
    bool playing() const { return m_cycle.state() == PlayCycle::State::Playing; }
    bool isLoading() const { return m_loading; }
    // An answer typed while no play runs is cleared; the focus goes to "スタート" when it can.
    void answerOutsidePlay(QWidget *answerBox);
    QString modeText() const;
    QWidget *playArea() const { return m_playArea; }
    QLabel *resultLabel(const char *name) const;
    const Services &services() const { return m_services; }

    void closeEvent(QCloseEvent *event) override;

private:
    void buildLayout();
    QWidget *buildSettingsFrame();
    QWidget *buildHistoryFrame();
    void fillLists();
    void applySettings();
    void saveSettings();
    void showSaveMode();
    void setSettingsEnabled(bool enabled);
    void endPlay();
    PlayResult result() const;
    void listHistory(const HistoryFilter &filter, bool whole);
    void SetupHistoryGrid();
    void ResetChartButtons();
    void RefreshHistoryChart();

    const Services &m_services;
    ProgramState &m_state;
    GameDefinition m_definition;
    GameSettingsFile m_settingsFile;
    HistoryFile m_historyFile;
    GameSettings m_settings;
    PlayCycle m_cycle;
    bool m_loading = false;
    int m_barWidth = 0;

    QWidget *m_playArea = nullptr;
    QPushButton *cmdStart = nullptr;
    QPushButton *cmdEnd = nullptr;
    QPushButton *cmdHozon = nullptr;
    QCheckBox *chkAs = nullptr;
    QButtonGroup *m_optMode = nullptr;
    std::array<QRadioButton *, 2> optMode{};
    QComboBox *cboJikan = nullptr;
    QComboBox *cboKaisu = nullptr;
    QComboBox *m_modeList = nullptr;
    std::array<Picture *, 3> imgStart{};
    QTimer *tmrStart = nullptr;
    QTimer *tmrBp = nullptr;
    QTimer *tmrPlay = nullptr;
    QLabel *lblJikan = nullptr;
    Shape *shpJikanK = nullptr;
    QLabel *lblMoji_T = nullptr;
    QLabel *lblOk = nullptr;
    QLabel *lblNg = nullptr;
    QLabel *lblRitu = nullptr;
    QLabel *lblByou = nullptr;
    Grid *msgRireki = nullptr;
    Chart *mcrRireki = nullptr;
    Chart *mcrRireki2 = nullptr;
    QComboBox *m_modeTwin = nullptr;
    QComboBox *cboJikan2 = nullptr;
    QComboBox *cboKaisu2 = nullptr;
    ColorButton *cmdAllDsp = nullptr;
    QPushButton *cmdClear = nullptr;
    std::vector<ColorButton *> m_chartButtons;
    std::map<QString, QLabel *> m_resultCaptions;
};

} // namespace kotohana
