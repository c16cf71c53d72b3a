#pragma once

#include "KarapaniRules.h"

#include "games/common/WordGameWindow.h"

namespace kotohana {

class Shape;

// カラパニ: type the colour word as written, or the colour it is drawn in.
class frmG6 final : public WordGameWindow
{
    Q_OBJECT

public:
    frmG6(const Services &services, ProgramState &state, QWidget *parent = nullptr);

    static GameDefinition definition();

protected:
    std::unique_ptr<Play> makePlay(const PlaySetup &setup) override;
    void modeChanged() override;
    void resetQuestion() override;
    void firstQuestion() override;
    void answer(const QString &typed) override;
    void playEnded() override;

private:
    void showTask(KarapaniRules::Task task);
    // The task the chosen mode asks, "混合" for panic; a text that is no mode changes nothing.
    void showModeTask();
    void nameTaskColour();
    void showQuestion();

    QLabel *lblMode = nullptr;
    QLabel *lblPmode = nullptr;
    Shape *shpMode = nullptr;
};

} // namespace kotohana
