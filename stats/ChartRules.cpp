#include "ChartRules.h"

#include "platform/Formats.h"

namespace kotohana {

QString itemLabel(const QString &itemName, int sourceRows)
{
    return itemName.left(sourceRows > 17 ? 1 : 2);
}

void HourSlots::add(QStringView time, QStringView seconds)
{
    const std::optional<double> hour = Formats::leadingNumber(time.left(2));
    if (!hour || *hour < 0 || *hour >= kSlots)
        return;
    qint64 &slot = m_seconds[std::size_t(*hour)];
    slot = Formats::addRounded(slot, Formats::numericValue(seconds));
}

QString HourSlots::label(int hour)
{
    return u' ' + QString::number(hour);
}

} // namespace kotohana
