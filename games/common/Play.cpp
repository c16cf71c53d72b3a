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

Play::Play(PlaySetup setup, HistoryTable table)
    : m_setup(std::move(setup))
    , m_table(table)
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

HistoryRow Play::historyFields() const
{
    HistoryRow row;
    for (const HistoryColumn &column : m_table) {
        if (column.source != HistoryColumn::Source::Stamp)
            row.append(fieldText(column));
    }
    return row;
}

QString Play::fieldText(const HistoryColumn &column) const
{
    using Source = HistoryColumn::Source;
    switch (column.source) {
    case Source::Answers:
        return QString::number(m_cycle.answers());
    case Source::Correct:
        return QString::number(m_cycle.correct());
    case Source::Wrong:
        return QString::number(m_cycle.wrong());
    case Source::Rate:
        return Formats::percent(m_cycle.correctRate());
    case Source::Speed:
        return Formats::perSecond(speed());
    case Source::Seconds:
        return secondsField();
    case Source::Mode:
        return m_setup.mode;
    case Source::ModeInitial:
        return m_setup.mode.left(1);
    case Source::Topic:
        return m_setup.topic;
    case Source::Characters:
        return QString::number(speedCount());
    case Source::Own:
        return ownField(column.field);
    case Source::Stamp:
        break;
    }
    return {};
}

QString Play::ownField(int field) const
{
    Q_UNUSED(field);
    return {};
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
