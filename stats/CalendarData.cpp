#include "CalendarData.h"

#include "CellTexts.h"
#include "DayCache.h"
#include "Rounding.h"

#include "platform/Dates.h"

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
    result.first = first;
    result.last = last;
    for (int m = 0; m < rows; ++m)
        result.labels.append(CellTexts::kanjiYearMonth(first.addMonths(m)));
    result.plays.assign(std::size_t(rows), {});
    result.seconds.assign(std::size_t(rows), {});
    // Where a date's plays are counted: its row and day of the month; no row for a text that
    // is not a date or lies outside the span.
    struct Cell {
        int row = -1;
        int day = 0;
    };
    TextRunCache<Cell> cells;
    const auto cellOf = [first, last](const QString &text) {
        const std::optional<QDate> day = CellTexts::parseDate(text);
        if (!day || *day < first || *day > last)
            return Cell{};
        return Cell{Dates::monthsBetween(first, *day), day->day()};
    };
    for (const PlayRecord &record : records) {
        const Cell &cell = cells.get(record.date, cellOf);
        if (cell.row < 0)
            continue;
        ++result.plays[std::size_t(cell.row)][std::size_t(cell.day)];
        qint64 &seconds = result.seconds[std::size_t(cell.row)][std::size_t(cell.day)];
        seconds = Rounding::addRounded(seconds, record.seconds);
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
        result.labels.append(CellTexts::kanjiShortDate(result.start.addDays(7 * u)));
    result.plays.assign(std::size_t(rows), {});
    // Where a date's plays are counted: its row and weekday; weekday 0 for a text that is not
    // a date or lies outside the span.
    struct Cell {
        qint64 row = 0;
        int weekday = 0;
    };
    TextRunCache<Cell> cells;
    const auto cellOf = [first, last, start = result.start](const QString &text) {
        const std::optional<QDate> day = CellTexts::parseDate(text);
        if (!day || *day < first || *day > last)
            return Cell{};
        return Cell{start.daysTo(*day) / 7, Dates::weekday(*day)};
    };
    for (const PlayRecord &record : records) {
        const Cell &cell = cells.get(record.date, cellOf);
        if (cell.weekday == 0)
            continue;
        const auto weekday = std::size_t(cell.weekday);
        ++result.plays[std::size_t(cell.row)][weekday];
        ++result.playsPerWeekday[weekday];
        qint64 &seconds = result.secondsPerWeekday[weekday];
        seconds = Rounding::addRounded(seconds, record.seconds);
    }
    return result;
}

} // namespace kotohana::CalendarData
