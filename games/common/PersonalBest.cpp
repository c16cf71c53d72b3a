#include "PersonalBest.h"

#include "Play.h"

#include "platform/Formats.h"

namespace kotohana {

namespace {

// Count-mode plays of games judged by correct answers are told apart by their time.
bool byTime(const PlaySetup &setup, const HistoryLayout &layout)
{
    return setup.timing == TimingMode::Count && !layout.achievementInCountMode;
}

BestToBeat measured(const HistoryLayout &layout, const HistoryRow &row)
{
    return {Formats::numericValue(row.value(layout.achievementField)), Formats::numericValue(row.value(layout.secondsField))};
}

// Whether a play measured so is better than another.
bool better(const BestToBeat &play, const BestToBeat &other, bool timed)
{
    return play.achievement > other.achievement
        || (timed && play.achievement == other.achievement && play.seconds < other.seconds);
}

} // namespace

std::optional<BestToBeat> bestToBeat(const PlaySetup &setup, const HistoryLayout &layout,
                                     const std::vector<HistoryRow> &earlier)
{
    HistoryFilter sameConditions;
    sameConditions.mode = setup.mode;
    if (setup.timing == TimingMode::Time)
        sameConditions.seconds = QString::number(setup.seconds);
    else
        sameConditions.answers = QString::number(setup.answers);
    const bool timed = byTime(setup, layout);
    std::optional<BestToBeat> best;
    for (const HistoryRow &row : earlier) {
        if (!matches(layout, row, sameConditions))
            continue;
        const BestToBeat play = measured(layout, row);
        if (!best || better(play, *best, timed))
            best = play;
    }
    return best;
}

bool beats(const Play &play, const HistoryLayout &layout, const std::optional<BestToBeat> &best)
{
    if (!play.canSave() || !best)
        return false;
    // The play is measured from its own history line (its date and time do not matter here),
    // as the earlier plays are from theirs.
    const HistoryRow own = HistoryRow{QString(), QString()} + play.historyFields();
    return better(measured(layout, own), *best, byTime(play.setup(), layout));
}

bool isPersonalBest(const Play &play, const HistoryLayout &layout, const std::vector<HistoryRow> &earlier)
{
    return beats(play, layout, bestToBeat(play.setup(), layout, earlier));
}

} // namespace kotohana
