#pragma once

#include "records/PlayRecord.h"

#include <QString>

#include <vector>

namespace kotohana {

// The all-graph page: every play (the records as they are), a summary per game and one per
// calendar day from the first to the last play (days without play included).
struct AllGraph {
    struct ItemRow {
        QString name;
        qint64 count = 0;
        qint64 seconds = 0; // rounded at each addition, halves to even
        qint64 longest = 0; // the longest play, rounded the same way
        QString average; // "0.0"
    };
    struct DayRow {
        QString date;
        qint64 count = 0;
        qint64 seconds = 0;
        qint64 longest = 0;
        QString average;
    };

    std::vector<ItemRow> items; // games played at least once, in list order
    std::vector<DayRow> days;
};

// Days run from the earliest to the latest real date of the records; a record with a date that
// is not one (a hand-edited file) is listed but belongs to no day.
AllGraph buildAllGraph(const std::vector<PlayRecord> &records);

} // namespace kotohana
