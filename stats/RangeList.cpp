#include "RangeList.h"

#include "DayCache.h"

#include "platform/Dates.h"
#include "platform/Formats.h"
#include "platform/ListFormat.h"
#include "records/Items.h"

namespace kotohana {

RangeListing listRange(const std::vector<PlayRecord> &records, const RangeFilter &filter, bool collectDates)
{
    RangeListing listing;
    DayCache days;
    ListFormat::NumberTexts seconds;
    const QString *previousDate = nullptr;
    for (const PlayRecord &record : records) {
        if (collectDates && (!previousDate || record.date != *previousDate))
            listing.dates.append(record.date);
        previousDate = &record.date;

        const std::optional<QDate> day = days.parse(record.date);
        if (!day)
            continue;
        if (record.date < filter.start || record.date > filter.end)
            continue;
        const int weekday = Dates::weekday(*day);
        if (filter.weekday != 0 && weekday != filter.weekday)
            continue;
        if (!filter.item.isEmpty() && !record.item.contains(filter.item))
            continue;
        listing.rows.push_back({record.date, record.time, Dates::weekdayName(weekday), record.item,
                                seconds.text(record.seconds)});
        const int index = itemIndex(record.item);
        if (index >= 0) {
            qint64 &total = listing.itemSeconds[std::size_t(index)];
            total = Formats::addRounded(total, record.seconds);
        }
    }
    return listing;
}

QString periodStart(QDate today, int daysBack)
{
    return Formats::date(today.addDays(-daysBack));
}

} // namespace kotohana
