#pragma once

#include "records/PlayRecord.h"
#include "stats/CalendarData.h"
#include "stats/YearGrid.h"

#include <QDate>
#include <QFrame>

#include <array>
#include <vector>

class QLabel;
class QPushButton;

namespace kotohana {

class Chart;
class Grid;
class YearGridView;
struct Services;

// The "カレンダー" page: plays per day by month and by week, coloured by how many, a legend
// counting the days of each colour, plays and seconds per weekday, and the twelve months up to
// a month as a grid of days coloured by time played, which opens a day on the main page.
class CalendarPage final : public QFrame
{
    Q_OBJECT

public:
    CalendarPage(const Services &services, QWidget *parent = nullptr);

    // Both calendars over the days from the first to the last play (empty dates: no play yet).
    void fill(const QString &firstRecordDate, const QString &lastRecordDate);
    static QString helpText();

Q_SIGNALS:
    // The user picked a day of the year grid, to see it on the main page.
    void dayOpened(QDate day);

private:
    void FillMonthCalendar(const std::vector<PlayRecord> &records, QDate first, QDate last);
    void FillWeekCalendar(const std::vector<PlayRecord> &records, QDate first, QDate last);
    void setupMonthGrid();
    void setupWeekGrid();
    // The plays and seconds per weekday [1..7] in the two charts.
    void showWeekdays(const std::array<qint64, 8> &plays, const std::array<qint64, 8> &seconds);
    // The year grid ending with this month, kept within the months it may show.
    void showYear(QDate month);

    const Services &m_services;
    Grid *msgCale = nullptr;
    Grid *msgCale_w = nullptr;
    std::array<QLabel *, 7> lblHan{};
    Chart *mcrKensu = nullptr;
    Chart *mcrKingaku = nullptr;
    YearGridView *yearGrid = nullptr;
    QLabel *lblYearSpan = nullptr;
    QPushButton *cmdPrevMonth = nullptr;
    QPushButton *cmdNextMonth = nullptr;
    std::array<QLabel *, YearGrid::kSteps> lblYearStep{};

    CalendarData::Months m_months; // the days of the last filling, which the year grid shows
    YearGrid::Span m_yearMonths;
    QDate m_shownMonth;
};

} // namespace kotohana
