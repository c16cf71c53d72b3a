#include "Clock.h"

namespace kotohana {

double Clock::secondsSinceMidnight() const
{
    return timeOfDay().msecsSinceStartOfDay() / 1000.0;
}

SystemClock::SystemClock()
{
    m_timer.start();
}

QDateTime SystemClock::now() const
{
    return QDateTime::currentDateTime();
}

qint64 SystemClock::monotonicMilliseconds() const
{
    return m_timer.elapsed();
}

} // namespace kotohana
