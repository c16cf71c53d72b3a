#include "TotalsTable.h"

#include "CellTexts.h"
#include "DayCache.h"
#include "Rounding.h"

#include "platform/Dates.h"
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
        seconds = Rounding::addRounded(seconds, played);
    }
};

// "text (plays)".
QString withPlays(const QString &text, qint64 plays)
{
    const QString count = CellTexts::number(plays);
    QString result;
    result.reserve(text.size() + count.size() + 3);
    result.append(text).append(u" (").append(count).append(u')');
    return result;
}

QString subtotalText(const Cell &cell, TotalsTable::Mode mode)
{
    switch (mode) {
    case TotalsTable::Mode::Time:
        return CellTexts::hms(cell.seconds);
    case TotalsTable::Mode::Count:
        return CellTexts::number(cell.plays);
    case TotalsTable::Mode::TimeAndCount:
        break;
    }
    return withPlays(CellTexts::hms(cell.seconds), cell.plays);
}

// A game's cell; empty for a game not played in the row, unless it is the total row.
QString itemText(const Cell &cell, TotalsTable::Mode mode, bool showZero)
{
    const bool zero = mode == TotalsTable::Mode::Count ? cell.plays == 0 : cell.seconds == 0;
    if (zero && !showZero)
        return {};
    switch (mode) {
    case TotalsTable::Mode::Time:
        return CellTexts::number(cell.seconds);
    case TotalsTable::Mode::Count:
        return CellTexts::number(cell.plays);
    case TotalsTable::Mode::TimeAndCount:
        break;
    }
    return withPlays(CellTexts::number(cell.seconds), cell.plays);
}

struct Row {
    Cell total;
    std::array<Cell, 7> items;
};

qint64 rowCount(QDate first, QDate last, TotalsTable::Unit unit)
{
    return unit == TotalsTable::Unit::Month ? Dates::monthsBetween(first, last) + 1 : first.daysTo(last) + 1;
}

// The plays of the span per day and per month, in one pass over the records; a table not
// asked for is left empty.
void tally(const std::vector<PlayRecord> &records, QDate first, QDate last, std::vector<Row> *days, std::vector<Row> *months)
{
    if (days)
        days->assign(std::size_t(std::max<qint64>(rowCount(first, last, TotalsTable::Unit::Day), 0)), {});
    if (months)
        months->assign(std::size_t(std::max<qint64>(rowCount(first, last, TotalsTable::Unit::Month), 0)), {});
    // The rows of a date's plays; no rows for a text that is not a date or lies outside the span.
    struct Rows {
        qint64 day = -1;
        qint64 month = -1;
    };
    TextRunCache<Rows> rowsOfDate;
    const auto rowsOf = [first, last](const QString &text) {
        const std::optional<QDate> day = CellTexts::parseDate(text);
        if (!day || *day < first || *day > last)
            return Rows{};
        return Rows{first.daysTo(*day), Dates::monthsBetween(first, *day)};
    };
    for (const PlayRecord &record : records) {
        const Rows &at = rowsOfDate.get(record.date, rowsOf);
        if (at.day < 0)
            continue;
        const int index = CellTexts::itemIndex(record.item);
        for (auto [rows, r] : {std::pair(days, at.day), std::pair(months, at.month)}) {
            if (!rows)
                continue;
            Row &row = (*rows)[std::size_t(r)];
            row.total.add(record.seconds);
            if (index >= 0)
                row.items[std::size_t(index)].add(record.seconds);
        }
    }
}

TotalsTable tableOf(const std::vector<Row> &rows, QDate first, TotalsTable::Unit unit, TotalsTable::Mode mode)
{
    TotalsTable table;
    for (const QString &name : itemNames())
        table.itemHeadings.append(name.left(5));
    if (rows.empty())
        return table;
    const bool monthly = unit == TotalsTable::Unit::Month;
    Row grand;
    table.rows.reserve(rows.size() + 1);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const QDate when = monthly ? first.addMonths(int(r)) : first.addDays(qint64(r));
        QStringList cells{CellTexts::number(qint64(r) + 1), monthly ? CellTexts::shortYearMonth(when) : CellTexts::shortDate(when),
                          subtotalText(rows[r].total, mode)};
        cells.reserve(3 + qsizetype(rows[r].items.size()));
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

} // namespace

TotalsTable TotalsTable::build(const std::vector<PlayRecord> &records, QDate first, QDate last, Unit unit, Mode mode)
{
    std::vector<Row> rows;
    tally(records, first, last, unit == Unit::Day ? &rows : nullptr, unit == Unit::Month ? &rows : nullptr);
    return tableOf(rows, first, unit, mode);
}

std::pair<TotalsTable, TotalsTable> TotalsTable::buildDaysAndMonths(const std::vector<PlayRecord> &records, QDate first,
                                                                    QDate last, Mode mode)
{
    std::vector<Row> days;
    std::vector<Row> months;
    tally(records, first, last, &days, &months);
    return {tableOf(days, first, Unit::Day, mode), tableOf(months, first, Unit::Month, mode)};
}

} // namespace kotohana
