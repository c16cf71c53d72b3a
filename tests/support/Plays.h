#pragma once

#include "games/common/Play.h"

namespace kotohana::test {

// The settings of a count-mode play of that many answers, and of a time-mode play of that many
// seconds.
inline PlaySetup countPlay(int answers, QString mode = {})
{
    return {TimingMode::Count, 60, answers, std::move(mode), {}};
}
inline PlaySetup timePlay(int seconds, QString mode = {})
{
    return {TimingMode::Time, seconds, 10, std::move(mode), {}};
}

// Takes a play through its countdown, a tick a second, as the window's timer would: it takes
// answers from here on, and its clock starts at 3000 ms.
inline void begin(Play &play)
{
    for (qint64 ms = 1000; ms <= 3000; ms += 1000)
        play.cycle().countdownTick(ms);
}

} // namespace kotohana::test
