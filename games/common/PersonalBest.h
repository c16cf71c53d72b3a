#pragma once

#include "History.h"

#include <QStringList>

#include <optional>
#include <utility>
#include <vector>

namespace kotohana {

class Play;
struct PlaySetup;

// Whether a finished play is a personal best: it beats every earlier play of its game's
// history that was played under the same conditions. Those are the plays the history list's
// own filters pick for it: the same game mode and, in time mode, the same seconds ("60秒"), in
// count mode the same number of answers; in 連想心理 the same topic. A time-mode play beats
// another with more correct answers; a count-mode play with as many correct answers in fewer
// seconds, or with more correct answers, so that answers typed fast at random neither make a
// best nor stand in the way of one (連想心理, in both modes: with more new answers). A tie
// beats nothing. A play with no earlier play of its conditions is a first play, not a best;
// nor is a play that cannot be saved (over with no answer, or not over).
//
// The history keeps no timing mode. A count-mode play whose time came out exactly at a
// time-mode limit ("60秒") is compared with the time-mode plays of that limit, and a time-mode
// play with as many answers as a count-mode limit with those count-mode plays. Either way it
// is so many answers in so many seconds, which is what the plays it joins are judged by.
bool isPersonalBest(const Play &play, const HistoryLayout &layout, const std::vector<HistoryRow> &earlier);

// The same judgement in two steps, so that a long history is read when a play starts and not
// when it ends: the best earlier plays under every set of conditions the play may end under,
// then whether the finished play beats the best of the conditions it is saved under. Its
// timing, limit and topic are set at "スタート"; its game mode can still change while it runs.
struct BestToBeat {
    double achievement = 0;
    double seconds = 0;
};
class BestsToBeat final
{
public:
    BestsToBeat() = default;
    // modes: the game's mode list, whose every mode the play may end in; empty for a game
    // without one.
    BestsToBeat(const PlaySetup &setup, const QStringList &modes, const HistoryLayout &layout,
                const std::vector<HistoryRow> &earlier);

    // The best earlier play of that mode; none for the first play of its conditions.
    std::optional<BestToBeat> of(const QString &mode) const;

private:
    std::vector<std::pair<QString, std::optional<BestToBeat>>> m_bests;
};
bool beats(const Play &play, const HistoryLayout &layout, const BestsToBeat &bests);

} // namespace kotohana
