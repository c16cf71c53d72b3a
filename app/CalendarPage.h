#pragma once

#include "records/PlayRecord.h"

#include <QDate>
#include <QFrame>

#include <array>
#include <vector>

class QLabel;

namespace kotohana {

class Chart;
class Grid;
struct Services;

// The "カレンダー" page: plays per day by month and by week, coloured by how many, a legend
// counting the days of each colour, and plays and seconds per weekday.
class CalendarPage final : public QFrame
{
    Q_OBJECT

public:
    CalendarPage(const Services &services, QWidget *parent = nullptr);

    // Both calendars over the days from the first to the last play (empty dates: no play yet).
    void fill(const QString &firstRecordDate, const QString &lastRecordDate);
    static QString helpText();

private:
    void FillMonthCalendar(const std::vector<PlayRecord> &records, QDate first, QDate last);
    void FillWeekCalendar(const std::vector<PlayRecord> &records, QDate first, QDate last);
    void setupMonthGrid();
    void setupWeekGrid();
    // The plays and seconds per weekday [1..7] in the two charts.
    void showWeekdays(const std::array<qint64, 8> &plays, const std::array<qint64, 8> &seconds);

    const Services &m_services;
    Grid *msgCale = nullptr;
    Grid *msgCale_w = nullptr;
    std::array<QLabel *, 7> lblHan{};
    Chart *mcrKensu = nullptr;
    Chart *mcrKingaku = nullptr;
};

} // namespace kotohana
