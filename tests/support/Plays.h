#pragma once

#include "games/common/Play.h"

#include <QStringList>

#include <cstdlib>

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

// The digit プラマイ wants between a and b, worked out here rather than by the rules under test.
inline int plamaiDigit(int a, int b, const QString &mode)
{
    return mode == u"－" ? std::abs(a - b) : (a + b) % 10;
}

// The dictionary the first question of a seeded play is drawn from in the word games' tests.
inline QStringList seedWords()
{
    return {QStringLiteral("りんご"),   QStringLiteral("ごりら"), QStringLiteral("らっぱ"),   QStringLiteral("ぱんだ"),
            QStringLiteral("だちょう"), QStringLiteral("うさぎ"), QStringLiteral("ぎんこう"), QStringLiteral("うちわ")};
}

} // namespace kotohana::test
