#pragma once

#include "platform/Clock.h"

namespace kotohana::test {

// A clock that stands still until a test moves it.
class FakeClock final : public Clock
{
public:
    explicit FakeClock(QDateTime start = QDateTime(QDate(2024, 5, 18), QTime(21, 5, 9)))
        : m_now(std::move(start))
    {
    }

    QDateTime now() const override { return m_now; }
    qint64 monotonicMilliseconds() const override { return m_monotonic; }

    void set(const QDateTime &moment) { m_now = moment; }
    void advanceMilliseconds(qint64 ms)
    {
        m_now = m_now.addMSecs(ms);
        m_monotonic += ms;
    }

private:
    QDateTime m_now;
    qint64 m_monotonic = 0;
};

} // namespace kotohana::test
