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
    return play.achievement > other.achievement || (timed && play.achievement == other.achievement && play.seconds < other.seconds);
}

} // namespace

BestsToBeat::BestsToBeat(const PlaySetup &setup, const QStringList &modes, const HistoryLayout &layout,
                         const std::vector<HistoryRow> &earlier)
{
    if (!modes.contains(setup.mode))
        m_bests.emplace_back(setup.mode, std::nullopt);
    for (const QString &mode : modes)
        m_bests.emplace_back(mode, std::nullopt);
    HistoryFilter sameConditions;
    if (setup.timing == TimingMode::Time)
        sameConditions.seconds = QString::number(setup.seconds);
    else
        sameConditions.answers = QString::number(setup.answers);
    const bool timed = byTime(setup, layout);
    for (const HistoryRow &row : earlier) {
        const bool sameTopic = layout.topicField < 0 || row.value(layout.topicField) == setup.topic;
        if (!sameTopic || !matches(layout, row, sameConditions))
            continue;
        const BestToBeat play = measured(layout, row);
        for (auto &[mode, best] : m_bests) {
            if (matches(layout, row, HistoryFilter{mode, {}, {}}) && (!best || better(play, *best, timed)))
                best = play;
        }
    }
}

std::optional<BestToBeat> BestsToBeat::of(const QString &mode) const
{
    for (const auto &[bestMode, best] : m_bests) {
        if (bestMode == mode)
            return best;
    }
    return std::nullopt;
}

bool beats(const Play &play, const HistoryLayout &layout, const BestsToBeat &bests)
{
    const std::optional<BestToBeat> best = bests.of(play.setup().mode);
    if (!play.canSave() || !best)
        return false;
    // The play is measured from its own history line (its date and time do not matter here),
    // as the earlier plays are from theirs.
    const HistoryRow own = HistoryRow{QString(), QString()} + play.historyFields();
    return better(measured(layout, own), *best, byTime(play.setup(), layout));
}

bool isPersonalBest(const Play &play, const HistoryLayout &layout, const std::vector<HistoryRow> &earlier)
{
    return beats(play, layout, BestsToBeat(play.setup(), {}, layout, earlier));
}

} // namespace kotohana
