#include "CalendarData.h"

#include "DayCache.h"

#include "platform/Dates.h"
#include "platform/Formats.h"

namespace kotohana::CalendarData {

int colorClass(qint64 plays)
{
    if (plays <= 0)
        return 0;
    if (plays > 10)
        return 6;
    return int((plays + 1) / 2);
}

quint32 classColor(int colorClass)
{
    static constexpr quint32 colors[] = {0, 0xC0C0FF, 0xC0E0FF, 0xC0FFFF, 0xC0FFC0, 0xFFFFC0, 0xFFC0C0};
    return colorClass >= 1 && colorClass <= 6 ? colors[colorClass] : 0;
}

Months months(const std::vector<PlayRecord> &records, QDate first, QDate last)
{
    Months result;
    const int rows = Dates::monthsBetween(first, last) + 1;
    if (rows < 1)
        return result;
    for (int m = 0; m < rows; ++m)
        result.labels.append(Formats::kanjiYearMonth(first.addMonths(m)));
    result.plays.assign(std::size_t(rows), {});
    DayCache days;
    for (const PlayRecord &record : records) {
        const std::optional<QDate> day = days.parse(record.date);
        if (!day || *day < first || *day > last)
            continue;
        ++result.plays[std::size_t(Dates::monthsBetween(first, *day))][std::size_t(day->day())];
    }
    qint64 played = 0;
    for (const auto &row : result.plays) {
        for (std::size_t d = 1; d <= 31; ++d) {
            if (row[d] > 0) {
                ++result.legend[std::size_t(colorClass(row[d]))];
                ++played;
            }
        }
    }
    result.legend[0] = std::max<qint64>(first.daysTo(last) + 1 - played, 0);
    return result;
}

Weeks weeks(const std::vector<PlayRecord> &records, QDate first, QDate last)
{
    Weeks result;
    // The latest Sunday strictly before the first day: a first play on a Sunday starts a
    // week later, in the second row.
    result.start = first.addDays(-Dates::weekday(first.addDays(-1)));
    const qint64 rows = result.start.daysTo(last) / 7 + 1;
    if (rows < 1)
        return result;
    for (qint64 u = 0; u < rows; ++u)
        result.labels.append(Formats::kanjiShortDate(result.start.addDays(7 * u)));
    result.plays.assign(std::size_t(rows), {});
    DayCache days;
    for (const PlayRecord &record : records) {
        const std::optional<QDate> day = days.parse(record.date);
        if (!day || *day < first || *day > last)
            continue;
        const int weekday = Dates::weekday(*day);
        ++result.plays[std::size_t(result.start.daysTo(*day) / 7)][std::size_t(weekday)];
        ++result.playsPerWeekday[std::size_t(weekday)];
        qint64 &seconds = result.secondsPerWeekday[std::size_t(weekday)];
        seconds = Formats::addRounded(seconds, record.seconds);
    }
    return result;
}

} // namespace kotohana::CalendarData
