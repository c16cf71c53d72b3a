#include "RandomSource.h"

#include "Clock.h"

namespace kotohana {

int RandomSource::index(int count)
{
    const int drawn = int(count * next()) + 1;
    return drawn > count ? count : drawn;
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
    const auto now = std::uint64_t(m_clock.now().toMSecsSinceEpoch());
    const auto running = std::uint64_t(m_clock.monotonicMilliseconds());
    m_engine.seed(now * 6364136223846793005ULL + running);
}

} // namespace kotohana
