#pragma once

#include "records/PlayRecord.h"

#include <QDate>
#include <QStringList>

#include <utility>
#include <vector>

namespace kotohana {

// The totals page: one row per calendar day or month from the first to the last play, a
// subtotal and one column per game, showing time, number of plays or both.
struct TotalsTable {
    enum class Unit { Day, Month };
    enum class Mode { Time = 0, Count = 1, TimeAndCount = 2 };

    QStringList itemHeadings; // the first five characters of each game's name
    std::vector<QStringList> rows; // number, day or month, subtotal, one cell per game
    bool hasTotalRow = false; // the monthly table ends with a "合計" row

    static TotalsTable build(const std::vector<PlayRecord> &records, QDate first, QDate last, Unit unit, Mode mode);
    // Both tables from one pass over the records: the daily one, then the monthly one.
    static std::pair<TotalsTable, TotalsTable> buildDaysAndMonths(const std::vector<PlayRecord> &records, QDate first, QDate last,
                                                                  Mode mode);
};

} // namespace kotohana
