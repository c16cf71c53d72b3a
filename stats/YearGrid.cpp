#include "YearGrid.h"

#include "CellTexts.h"

#include "platform/Dates.h"
#include "platform/Formats.h"

#include <algorithm>

namespace kotohana {
namespace {

QDate monthOf(QDate day)
{
    return QDate(day.year(), day.month(), 1);
}

} // namespace

YearGrid YearGrid::build(const CalendarData::Months &calendar, QDate shown)
{
    YearGrid grid;
    grid.firstDay = monthOf(shown).addMonths(-11);
    grid.lastDay = monthOf(shown).addMonths(1).addDays(-1);
    // The Sunday on or before the first day starts the first week.
    const QDate start = grid.firstDay.addDays(1 - Dates::weekday(grid.firstDay));
    grid.weeks = int(start.daysTo(grid.lastDay) / 7 + 1);
    grid.days.resize(std::size_t(grid.weeks) * 7);
    for (QDate month = grid.firstDay; month <= grid.lastDay; month = month.addMonths(1))
        grid.months.push_back({int(start.daysTo(month) / 7), QString::number(month.month()) + QStringLiteral("月")});

    for (QDate date = grid.firstDay; date <= grid.lastDay; date = date.addDays(1)) {
        Day &day = grid.days[std::size_t(start.daysTo(date))];
        day.date = date;
        if (!calendar.first.isValid() || date < calendar.first || date > calendar.last)
            continue;
        const auto row = std::size_t(Dates::monthsBetween(calendar.first, date));
        day.plays = calendar.plays[row][std::size_t(date.day())];
        day.seconds = calendar.seconds[row][std::size_t(date.day())];
        grid.longestDay = std::max(grid.longestDay, day.seconds);
    }
    for (Day &day : grid.days)
        day.step = step(day.plays, day.seconds, grid.longestDay);
    return grid;
}

int YearGrid::step(qint64 plays, qint64 seconds, qint64 longestDay)
{
    if (plays <= 0)
        return 0;
    if (seconds <= 0 || longestDay <= 0)
        return 1;
    // The least k with seconds ≤ k/4 of the longest day.
    return int(std::clamp<qint64>((4 * seconds + longestDay - 1) / longestDay, 1, kSteps - 1));
}

quint32 YearGrid::stepColor(int step)
{
    static const quint32 colors[kSteps] = {0xFFFFFF, CalendarData::classColor(6), 0xE88080, 0xBE4848, 0x782020};
    return colors[std::clamp(step, 0, kSteps - 1)];
}

QString YearGrid::spanText() const
{
    return CellTexts::kanjiYearMonth(firstDay) + QStringLiteral("～") + CellTexts::kanjiYearMonth(lastDay);
}

QString YearGrid::stepText(int step) const
{
    if (step <= 0)
        return QStringLiteral("なし");
    if (longestDay <= 0)
        return {};
    // A day of step k has at most the whole seconds of k/4 of the longest day.
    return QStringLiteral("～") + Formats::hms(longestDay * step / (kSteps - 1));
}

QString YearGrid::dayText(const Day &day)
{
    const QString date = Formats::date(day.date) + QStringLiteral("（") + Dates::weekdayName(Dates::weekday(day.date))
        + QStringLiteral("）\n");
    if (day.plays <= 0)
        return date + QStringLiteral("プレイなし");
    return date + QString::number(day.plays) + QStringLiteral("回　プレイ時間 ") + Formats::hms(day.seconds);
}

YearGrid::Span YearGrid::shownMonths(const CalendarData::Months &calendar, QDate today)
{
    const QDate thisMonth = monthOf(today);
    if (!calendar.first.isValid())
        return {thisMonth, thisMonth, thisMonth};
    Span span;
    span.latest = std::max(thisMonth, monthOf(calendar.last));
    span.earliest = std::min(span.latest, monthOf(calendar.first).addMonths(11));
    span.initial = calendar.last >= thisMonth.addMonths(-11) ? thisMonth : monthOf(calendar.last);
    span.initial = std::clamp(span.initial, span.earliest, span.latest);
    return span;
}

} // namespace kotohana
