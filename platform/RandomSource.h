#pragma once

#include <cstdint>
#include <random>

namespace kotohana {

class Clock;

class RandomSource
{
public:
    virtual ~RandomSource() = default;

    // Uniform in [0, 1).
    virtual double next() = 0;
    virtual void reseedFromClock() = 0;

    // An entry of a list of count entries, numbered from 0: the whole part of count × r.
    int index(int count);
};

// A Mersenne Twister. Reseeding mixes in the clock it is given, so a fake clock makes a
// reseeded sequence repeatable too.
class MersenneRandomSource final : public RandomSource
{
public:
    MersenneRandomSource(const Clock &clock, std::uint64_t seed);

    double next() override;
    void reseedFromClock() override;

private:
    const Clock &m_clock;
    std::mt19937_64 m_engine;
};

} // namespace kotohana
