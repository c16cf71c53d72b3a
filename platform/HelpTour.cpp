#include "HelpTour.h"

#include "MessageBoxes.h"
#include "ProgramState.h"

namespace kotohana {

void ShowHelpTour(const ProgramState &state, MessageBoxes &messages)
{
    if (state.helpTourFlag != 0)
        messages.information(state.helpTourMessage, QStringLiteral("ヘルプツアー"));
}

} // namespace kotohana
