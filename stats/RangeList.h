#pragma once

#include "records/PlayRecord.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace kotohana {

// The range page's filters: dates compared as text ("yyyy/mm/dd" sorts as the days do), a
// weekday (1 = Sunday ... 7 = Saturday, 0 = every day) and a text the item must contain.
struct RangeFilter {
    QString start;
    QString end;
    int weekday = 0;
    QString item;
};

struct RangeListing {
    struct Row {
        const PlayRecord *record; // one of the records listed from, which must outlive the listing
        int weekday; // 1 = Sunday ... 7 = Saturday
    };
    std::vector<Row> rows;
    std::array<qint64, 7> itemSeconds{}; // list order, rounded at each addition
    QStringList dates; // every record date once, in file order (when asked for)
    int undated = 0; // records left out because their date is not a date
};

// The plays that pass the filter. A record whose date is not a date (a hand-edited file) is left
// out, and counted: the page is about days, and says how many it could not place.
RangeListing listRange(const std::vector<PlayRecord> &records, const RangeFilter &filter, bool collectDates);

// The first day of a period of daysBack days before today, both ends included.
QString periodStart(QDate today, int daysBack);

} // namespace kotohana
