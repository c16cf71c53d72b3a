#include "ChartRules.h"

#include "Rounding.h"

#include "platform/Formats.h"

#include <cstdint>

namespace kotohana {

QString itemLabel(const QString &itemName, int sourceRows)
{
    return itemName.left(sourceRows > 17 ? 1 : 2);
}

void HourSlots::add(QStringView time, QStringView seconds)
{
    add(time, Formats::numericValue(seconds));
}

void HourSlots::add(QStringView time, double seconds)
{
    // Two digits, as saved times start, are the hour; anything else is read as a number.
    const auto isDigit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    std::optional<double> hour;
    if (time.size() >= 2 && isDigit(time[0]) && isDigit(time[1]))
        hour = double((time[0].unicode() - u'0') * 10 + (time[1].unicode() - u'0'));
    else
        hour = Formats::leadingNumber(time.left(2));
    if (!hour || *hour < 0 || *hour >= kSlots)
        return;
    qint64 &slot = m_seconds[std::size_t(*hour)];
    slot = Rounding::addRounded(slot, seconds);
}

QString HourSlots::label(int hour)
{
    return u' ' + QString::number(hour);
}

std::size_t PointTexts::TextHash::operator()(const QString &text) const noexcept
{
    std::uint64_t hash = 14695981039346656037ull;
    for (const QChar c : text) {
        hash ^= c.unicode();
        hash *= 1099511628211ull;
    }
    return std::size_t(hash);
}

double PointTexts::value(const QString &text)
{
    auto found = m_values.find(text);
    if (found == m_values.end())
        found = m_values.emplace(text, Formats::numericValue(text)).first;
    return found->second;
}

const QString &PointTexts::itemLabel(const QString &itemName)
{
    auto found = m_labels.find(itemName);
    if (found == m_labels.end())
        found = m_labels.emplace(itemName, kotohana::itemLabel(itemName, m_sourceRows)).first;
    return found->second;
}

} // namespace kotohana
