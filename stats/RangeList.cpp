#include "RangeList.h"

#include "CellTexts.h"
#include "DayCache.h"
#include "Rounding.h"

#include "platform/Dates.h"
#include "platform/Formats.h"

namespace kotohana {

RangeListing listRange(const std::vector<PlayRecord> &records, const RangeFilter &filter, bool collectDates)
{
    // What a date text settles for every play of its day: their weekday, 0 when the filter
    // leaves them out, -1 when the text is not a date.
    const auto listedWeekday = [&filter](const QString &date) {
        const std::optional<QDate> day = CellTexts::parseDate(date);
        if (!day)
            return -1;
        if (date < filter.start || date > filter.end)
            return 0;
        const int weekday = Dates::weekday(*day);
        return filter.weekday == 0 || weekday == filter.weekday ? weekday : 0;
    };
    RangeListing listing;
    TextRunCache<int> days;
    const QString *previousDate = nullptr;
    for (const PlayRecord &record : records) {
        if (collectDates && (!previousDate || !sameText(record.date, *previousDate)))
            listing.dates.append(record.date);
        previousDate = &record.date;

        const int weekday = days.get(record.date, listedWeekday);
        if (weekday <= 0) {
            if (weekday < 0)
                ++listing.undated;
            continue;
        }
        if (!filter.item.isEmpty() && !record.item.contains(filter.item))
            continue;
        listing.rows.push_back({&record, weekday});
        const int index = CellTexts::itemIndex(record.item);
        if (index >= 0) {
            qint64 &total = listing.itemSeconds[std::size_t(index)];
            total = Rounding::addRounded(total, record.seconds);
        }
    }
    return listing;
}

QString periodStart(QDate today, int daysBack)
{
    return Formats::date(today.addDays(-daysBack));
}

} // namespace kotohana
