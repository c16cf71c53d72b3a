#pragma once

namespace kotohana {

class MessageBoxes;
struct ProgramState;

// Shows the current help-tour message while the help tour is switched on.
void ShowHelpTour(const ProgramState &state, MessageBoxes &messages);

} // namespace kotohana
