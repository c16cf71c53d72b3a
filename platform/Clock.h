#pragma once

#include <QDateTime>
#include <QElapsedTimer>

namespace kotohana {

// Wall-clock time for dates and times shown and saved, and a monotonic reading for timing
// plays (which must not jump when the wall clock changes or a play runs across midnight).
class Clock
{
public:
    virtual ~Clock() = default;

    virtual QDateTime now() const = 0;
    virtual qint64 monotonicMilliseconds() const = 0;

    QDate today() const { return now().date(); }
    QTime timeOfDay() const { return now().time(); }
};

class SystemClock final : public Clock
{
public:
    SystemClock();
    QDateTime now() const override;
    qint64 monotonicMilliseconds() const override;

private:
    QElapsedTimer m_timer;
};

} // namespace kotohana
