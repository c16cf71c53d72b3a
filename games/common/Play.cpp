#include "Play.h"

#include "platform/Formats.h"
#include "platform/ListFormat.h"

namespace kotohana {

QString PlaySetup::timingName() const
{
    return timing == TimingMode::Time ? QStringLiteral("秒数") : QStringLiteral("答数");
}

QString PlaySetup::limitText() const
{
    return QString::number(timing == TimingMode::Time ? seconds : answers);
}

Play::Play(PlaySetup setup)
    : m_setup(std::move(setup))
{
    m_cycle.start(m_setup.timing, m_setup.seconds, m_setup.answers);
}

void Play::changeMode(const QString &mode)
{
    if (m_cycle.running())
        m_setup.mode = mode;
}

QString Play::conditions() const
{
    return m_setup.timingName() + QStringLiteral(" : ") + m_setup.limitText();
}

QString Play::endRate() const
{
    return Formats::percent(m_cycle.correctRate());
}

QString Play::secondsField() const
{
    return ListFormat::formatNumber(float(seconds())) + QStringLiteral("秒");
}

Outcome Play::judged(bool correct)
{
    Outcome outcome;
    outcome.counted = m_cycle.playing();
    outcome.correct = correct;
    outcome.ended = m_cycle.answer(correct);
    return outcome;
}

} // namespace kotohana
