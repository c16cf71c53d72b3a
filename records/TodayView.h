#pragma once

#include "PlayRecord.h"

#include <QDate>
#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace kotohana {

// What the main page shows for one day, and the facts about the whole record file that the
// statistics pages take from it.
struct TodayView {
    struct Play {
        QString time;
        QString item;
        QString seconds; // shortest text of the saved value
    };
    struct ItemTotal {
        QString name;
        qint64 count = 0;
        qint64 seconds = 0; // rounded to a whole number at each addition, halves to even
    };

    bool noData = true; // the file holds no record
    // The earliest and the latest date of a record ("yyyy/mm/dd"), whatever their order in the
    // file; records whose date is not a date do not count. Empty when no record has a date.
    QString firstRecordDate;
    QString lastRecordDate;
    std::vector<Play> plays; // the day's plays in file order
    std::vector<qint64> playDays; // every date a record has, as Julian day numbers, sorted, once each
    std::array<ItemTotal, 7> items; // every item in list order
    float longestPlay = 0;
    qint64 dayTotalSeconds = 0;

    // The items played that day, in list order.
    std::vector<ItemTotal> playedItems() const;
    // How many different games were played that day.
    int kinds() const;
};

TodayView buildTodayView(const std::vector<PlayRecord> &records, QDate day);
// The view of another day of the same records, made from this one without them: only for a day
// no record is dated (its play days do not hold it), whose own parts are then empty. Nothing
// for a day that may have plays.
std::optional<TodayView> viewOfAnotherDay(const TodayView &view, QDate day);

// The days in a row with at least one play, up to today: counted from today when today has a
// play, else from yesterday, whose streak today's first play may still carry on. Records whose
// date is not a date, and records dated after today, count for nothing.
qint64 playStreak(const std::vector<PlayRecord> &records, QDate today);
// The same, from the play days a view collected.
qint64 playStreak(const std::vector<qint64> &playDays, QDate today);
// "連続 12 日"; empty when there is no streak.
QString streakCaption(qint64 days);

// The face mark and lamps grow with the number of different games played in a day.
enum class Face { None, Sulky, Smile, Laugh };
Face faceFor(int kinds);
// Lamps 1 to this number are lit; the label under the face takes the colour of the last one.
int litLamps(int kinds);
QString faceCaption(int kinds);

} // namespace kotohana
