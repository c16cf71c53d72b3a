#include "PlayCycle.h"

#include "platform/Formats.h"

#include <algorithm>

namespace kotohana {

void PlayCycle::start(TimingMode mode, int seconds, int answers)
{
    m_state = State::Countdown;
    m_mode = mode;
    m_limitSeconds = seconds;
    m_limitAnswers = answers;
    m_step = 0;
    m_ok = 0;
    m_ng = 0;
    m_shownElapsed = QStringLiteral("0.0");
}

int PlayCycle::countdownTick(qint64 nowMs)
{
    if (m_state != State::Countdown) {
        m_step = 0;
        return 0;
    }
    ++m_step;
    if (m_step == 3) {
        m_state = State::Playing;
        m_endSecond = nowMs / 1000 + m_limitSeconds;
        m_startMs = nowMs;
    }
    return m_step;
}

std::optional<PlayCycle::TimeReading> PlayCycle::timeTick(qint64 nowMs)
{
    if (m_state != State::Playing || m_mode != TimingMode::Time)
        return std::nullopt;
    TimeReading reading;
    reading.restSeconds = m_endSecond - nowMs / 1000;
    reading.barFraction = m_limitSeconds > 0 ? std::clamp(double(reading.restSeconds) / m_limitSeconds, 0.0, 1.0) : 0.0;
    if (reading.restSeconds < 1) {
        reading.ended = true;
        end();
    }
    return reading;
}

std::optional<QString> PlayCycle::countTick(qint64 nowMs)
{
    if (m_state != State::Playing || m_mode != TimingMode::Count)
        return std::nullopt;
    m_shownElapsed = Formats::oneDecimal((nowMs - m_startMs) / 1000.0);
    return m_shownElapsed;
}

bool PlayCycle::answer(bool correct)
{
    if (m_state != State::Playing)
        return false;
    (correct ? m_ok : m_ng) += 1;
    if (m_mode == TimingMode::Count && answers() == m_limitAnswers) {
        end();
        return true;
    }
    return false;
}

void PlayCycle::end()
{
    m_state = State::Ended;
}

double PlayCycle::playSeconds() const
{
    return m_mode == TimingMode::Time ? double(m_limitSeconds) : Formats::numericValue(m_shownElapsed);
}

double PlayCycle::correctRate() const
{
    return answers() > 0 ? double(m_ok) / double(answers()) : 0.0;
}

double PlayCycle::speed(qint64 count) const
{
    const double seconds = playSeconds();
    return seconds > 0 ? double(count) / seconds : 0.0;
}

} // namespace kotohana
