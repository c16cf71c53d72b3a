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
    using Source = HistoryColumn::Source;
    HistoryRow row;
    for (const HistoryColumn &column : m_table) {
        switch (column.source) {
        case Source::Stamp:
            break;
        case Source::Answers:
            row.append(QString::number(m_cycle.answers()));
            break;
        case Source::Correct:
            row.append(QString::number(m_cycle.correct()));
            break;
        case Source::Wrong:
            row.append(QString::number(m_cycle.wrong()));
            break;
        case Source::Rate:
            row.append(Formats::percent(m_cycle.correctRate()));
            break;
        case Source::Speed:
            row.append(Formats::perSecond(speed()));
            break;
        case Source::Seconds:
            row.append(secondsField());
            break;
        case Source::Mode:
            row.append(m_setup.mode);
            break;
        case Source::ModeInitial:
            row.append(m_setup.mode.left(1));
            break;
        case Source::Topic:
            row.append(m_setup.topic);
            break;
        case Source::Characters:
            row.append(QString::number(speedCount()));
            break;
        case Source::Own:
            row.append(ownField(column.field));
            break;
        }
    }
    return row;
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
