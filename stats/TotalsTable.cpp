#include "TotalsTable.h"

#include "DayCache.h"

#include "platform/Dates.h"
#include "platform/Formats.h"
#include "records/Items.h"

#include <array>

namespace kotohana {
namespace {

struct Cell {
    qint64 plays = 0;
    qint64 seconds = 0;

    void add(float played)
    {
        ++plays;
        seconds = Formats::addRounded(seconds, played);
    }
};

QString subtotalText(const Cell &cell, TotalsTable::Mode mode)
{
    switch (mode) {
    case TotalsTable::Mode::Time:
        return Formats::hms(cell.seconds);
    case TotalsTable::Mode::Count:
        return QString::number(cell.plays);
    case TotalsTable::Mode::TimeAndCount:
        break;
    }
    return Formats::hms(cell.seconds) + QStringLiteral(" (") + QString::number(cell.plays) + u')';
}

// A game's cell; empty for a game not played in the row, unless it is the total row.
QString itemText(const Cell &cell, TotalsTable::Mode mode, bool showZero)
{
    const bool zero = mode == TotalsTable::Mode::Count ? cell.plays == 0 : cell.seconds == 0;
    if (zero && !showZero)
        return {};
    switch (mode) {
    case TotalsTable::Mode::Time:
        return QString::number(cell.seconds);
    case TotalsTable::Mode::Count:
        return QString::number(cell.plays);
    case TotalsTable::Mode::TimeAndCount:
        break;
    }
    return QString::number(cell.seconds) + QStringLiteral(" (") + QString::number(cell.plays) + u')';
}

} // namespace

TotalsTable TotalsTable::build(const std::vector<PlayRecord> &records, QDate first, QDate last, Unit unit, Mode mode)
{
    TotalsTable table;
    for (const QString &name : itemNames())
        table.itemHeadings.append(name.left(5));
    const bool monthly = unit == Unit::Month;
    const qint64 rowCount = monthly ? Dates::monthsBetween(first, last) + 1 : first.daysTo(last) + 1;
    if (rowCount < 1)
        return table;

    struct Row {
        Cell total;
        std::array<Cell, 7> items;
    };
    std::vector<Row> rows(static_cast<std::size_t>(rowCount));
    DayCache days;
    for (const PlayRecord &record : records) {
        const std::optional<QDate> day = days.parse(record.date);
        if (!day || *day < first || *day > last)
            continue;
        Row &row = rows[std::size_t(monthly ? Dates::monthsBetween(first, *day) : first.daysTo(*day))];
        row.total.add(record.seconds);
        const int index = itemIndex(record.item);
        if (index >= 0)
            row.items[std::size_t(index)].add(record.seconds);
    }

    Row grand;
    table.rows.reserve(rows.size() + 1);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const QDate when = monthly ? first.addMonths(int(r)) : first.addDays(qint64(r));
        QStringList cells{QString::number(r + 1), monthly ? Formats::shortYearMonth(when) : Formats::shortDate(when),
                          subtotalText(rows[r].total, mode)};
        for (std::size_t i = 0; i < rows[r].items.size(); ++i) {
            cells.append(itemText(rows[r].items[i], mode, false));
            grand.items[i].plays += rows[r].items[i].plays;
            grand.items[i].seconds += rows[r].items[i].seconds;
        }
        grand.total.plays += rows[r].total.plays;
        grand.total.seconds += rows[r].total.seconds;
        table.rows.push_back(std::move(cells));
    }
    if (monthly) {
        QStringList cells{QString(), QStringLiteral("合計"), subtotalText(grand.total, mode)};
        for (const Cell &item : grand.items)
            cells.append(itemText(item, mode, true));
        table.rows.push_back(std::move(cells));
        table.hasTotalRow = true;
    }
    return table;
}

} // namespace kotohana
