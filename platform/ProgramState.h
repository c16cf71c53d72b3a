#pragma once

#include <QString>

#include <array>

namespace kotohana {

// Values shared by all windows for the whole run; they outlive every window.
struct ProgramState {
    int helpTourFlag = 1;        // 1 = every page explains itself when it opens
    QString helpTourMessage;     // what the next help-tour box shows
    QString userName;
    bool welcomeShown = false;   // the welcome text is offered once per run
    int timingMode = 1;          // 1 = plays of fixed seconds, 0 = of a fixed number of answers
    // 四熟虫喰's windows the player opened for "S:指定"; they stay chosen for the whole run,
    // however often the game window is closed and opened again.
    std::array<bool, 4> designatedWindows{};
};

} // namespace kotohana
