#pragma once

#include "GameSettings.h"
#include "PlayCycle.h"

#include <QGroupBox>

#include <array>

class QButtonGroup;
class QComboBox;
class QRadioButton;

namespace kotohana {

struct GameDefinition;

// The "ゲーム設定" frame: time or count mode, the two limits and the game's own mode list.
// It shows settings and reports each change the user makes, however it is made (mouse,
// keyboard or an accessibility action); it never writes the settings file itself.
class SettingsPanel final : public QGroupBox
{
    Q_OBJECT

public:
    SettingsPanel(const GameDefinition &definition, QWidget *parent = nullptr);

    // Shows stored settings without reporting them as changes.
    void showSettings(const GameSettings &settings);

    TimingMode timing() const;
    int seconds() const;
    int answers() const;
    QString modeText() const; // empty for a game without a mode list
    QString timingName() const; // caption of the chosen button

    // A play keeps the timing mode and limits it started with, and shows it by locking them;
    // the game mode stays free (it applies from the next question on).
    void setPlaying(bool playing);

Q_SIGNALS:
    void timingChanged();
    void secondsChanged();
    void answersChanged();
    void modeChanged();

private:
    void enableLimits();

    QButtonGroup *m_optMode = nullptr;
    std::array<QRadioButton *, 2> optMode{};
    QComboBox *cboJikan = nullptr;
    QComboBox *cboKaisu = nullptr;
    QComboBox *m_modeList = nullptr;
    bool m_playing = false;
};

} // namespace kotohana
