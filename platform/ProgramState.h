#pragma once

#include <QString>

namespace kotohana {

// Values shared by all windows for the whole run; they outlive every window.
struct ProgramState {
    int helpTourFlag = 1;        // 1 = every page explains itself when it opens
    QString helpTourMessage;     // what the next help-tour box shows
    QString userName;
    bool welcomeShown = false;   // the welcome text is offered once per run
    int timingMode = 1;          // 1 = plays of fixed seconds, 0 = of a fixed number of answers
};

} // namespace kotohana
