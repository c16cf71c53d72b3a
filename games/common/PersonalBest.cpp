#include "PersonalBest.h"

#include "Play.h"

#include "platform/Formats.h"

namespace kotohana {

bool isPersonalBest(const Play &play, const HistoryLayout &layout, const std::vector<HistoryRow> &earlier)
{
    if (!play.canSave())
        return false;
    const PlaySetup &setup = play.setup();
    HistoryFilter sameConditions;
    sameConditions.mode = setup.mode;
    if (setup.timing == TimingMode::Time)
        sameConditions.seconds = QString::number(setup.seconds);
    else
        sameConditions.answers = QString::number(setup.answers);
    const bool byTime = setup.timing == TimingMode::Count && !layout.achievementInCountMode;
    const auto achievement = [&](const HistoryRow &row) { return Formats::numericValue(row.value(layout.achievementField)); };
    const auto seconds = [&](const HistoryRow &row) { return Formats::numericValue(row.value(layout.secondsField)); };
    // The play is measured from its own history line (its date and time do not matter here),
    // as the earlier plays are from theirs.
    const HistoryRow own = HistoryRow{QString(), QString()} + play.historyFields();

    bool compared = false;
    for (const HistoryRow &row : earlier) {
        if (!matches(layout, row, sameConditions))
            continue;
        compared = true;
        const bool beaten = achievement(own) > achievement(row)
            || (byTime && achievement(own) == achievement(row) && seconds(own) < seconds(row));
        if (!beaten)
            return false;
    }
    return compared;
}

} // namespace kotohana
