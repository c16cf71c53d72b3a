#include "RandomSource.h"

#include "Clock.h"

namespace kotohana {

int RandomSource::index(int count)
{
    const int drawn = int(count * next());
    return drawn >= count ? count - 1 : drawn;
}

MersenneRandomSource::MersenneRandomSource(const Clock &clock, std::uint64_t seed)
    : m_clock(clock)
    , m_engine(seed)
{
}

double MersenneRandomSource::next()
{
    // 53 random bits scaled into [0, 1): never 1.
    return double(m_engine() >> 11) * 0x1.0p-53;
}

void MersenneRandomSource::reseedFromClock()
{
    // The clock is mixed into the state rather than replacing it: games reseed before every
    // draw, and two reseeds within one tick of the clock must still give independent draws.
    const auto now = std::uint64_t(m_clock.now().toMSecsSinceEpoch());
    const auto running = std::uint64_t(m_clock.monotonicMilliseconds());
    m_engine.seed(m_engine() ^ (now * 6364136223846793005ULL + running));
}

} // namespace kotohana
