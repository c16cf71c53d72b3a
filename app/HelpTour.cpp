#include "HelpTour.h"

#include "games/common/ProgramState.h"
#include "platform/MessageBoxes.h"

namespace kotohana {

void ShowHelpTour(const ProgramState &state, MessageBoxes &messages)
{
    if (state.helpTourFlag != 0)
        messages.information(state.helpTourMessage, QStringLiteral("ヘルプツアー"));
}

} // namespace kotohana
