#pragma once

#include "records/PlayRecord.h"

#include <QDate>
#include <QStringList>

#include <array>
#include <vector>

namespace kotohana {

// The calendar page: plays per day laid out by month (one row per month, a column per day of
// the month) and by week (one row per week from Sunday, a column per weekday), each day
// coloured by its number of plays.
namespace CalendarData {

// The colour class of a day with this many plays: 0 none, 1 for 1-2, 2 for 3-4 ... 5 for
// 9-10, 6 for more than 10.
int colorClass(qint64 plays);
// The class's colour as &HBBGGRR.
quint32 classColor(int colorClass);

struct Months {
    QDate first; // the span's first and last day; null with no span
    QDate last;
    QStringList labels; // "2024年01月", one per row
    std::vector<std::array<qint64, 32>> plays; // [row][day of month 1..31]
    std::vector<std::array<qint64, 32>> seconds; // [row][day]: time played, rounded at each addition
    std::array<qint64, 7> legend{}; // days per class; [0] = days of the span without play
};

struct Weeks {
    QDate start; // the Sunday of the first row
    QStringList labels; // "24年02月25日", one per row
    std::vector<std::array<qint64, 8>> plays; // [row][weekday 1..7]
    std::array<qint64, 8> playsPerWeekday{}; // [1..7]
    std::array<qint64, 8> secondsPerWeekday{}; // [1..7], rounded at each addition
};

// The span runs from the first to the last record date. Records whose date is not a date or
// lies outside the span are not counted.
Months months(const std::vector<PlayRecord> &records, QDate first, QDate last);
Weeks weeks(const std::vector<PlayRecord> &records, QDate first, QDate last);

} // namespace CalendarData
} // namespace kotohana
