#include "Clock.h"

namespace kotohana {

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
