#pragma once

#include "platform/Formats.h"

#include <QtGlobal>

#include <cmath>

namespace kotohana {

// Formats::roundHalfEven and Formats::addRounded, worked out in whole numbers for the values
// seconds take, so that totals over a hundred thousand plays stay cheap; other values take
// Formats' own way.
namespace Rounding {

inline qint64 halfEven(double value)
{
    if (!(std::fabs(value) < 9007199254740992.0)) // 2^53: beyond, or not a number
        return Formats::roundHalfEven(value);
    qint64 lower = qint64(value); // towards zero, exactly
    if (double(lower) > value)
        --lower; // the floor of a negative value
    const double fraction = value - double(lower);
    if (fraction > 0.5 || (fraction == 0.5 && (lower & 1) != 0))
        ++lower;
    return lower;
}

inline qint64 addRounded(qint64 total, double seconds)
{
    return halfEven(double(total) + seconds);
}

} // namespace Rounding
} // namespace kotohana
