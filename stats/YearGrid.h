#pragma once

#include "CalendarData.h"

#include <QDate>
#include <QString>

#include <vector>

namespace kotohana {

// The calendar page's year at a glance: every day of the twelve months up to a month, a
// column per week from Sunday (as the week calendar runs) and a row per weekday, each day with
// its plays, its time played and a colour step by that time.
//
// The steps follow the most played day of the twelve months, cut in quarters: a day played up
// to a quarter of its time is step 1, up to a half step 2, up to three quarters step 3, longer
// step 4; a day without play is step 0. Steps relative to the year's own longest day keep the
// grid telling days apart whether the user plays five minutes a day or an hour. Each step is a
// darker shade of one colour, so the steps are told apart by their lightness alone.
struct YearGrid {
    static constexpr int kSteps = 5;

    struct Day {
        QDate date; // null for a place of the first or last week outside the twelve months
        qint64 plays = 0;
        qint64 seconds = 0; // rounded at each addition, halves to even
        int step = 0;
    };
    struct MonthLabel {
        int week = 0; // the column of the month's first day
        QString text; // "6月"
    };

    QDate firstDay; // the first day of the first month
    QDate lastDay; // the last day of the month shown
    int weeks = 0; // 53 or 54
    std::vector<Day> days; // weeks × 7: week by week, Sunday first
    std::vector<MonthLabel> months; // the twelve
    qint64 longestDay = 0; // the seconds of the most played day; 0 without play

    // The twelve months up to the month of `shown`, from the calendar's days.
    static YearGrid build(const CalendarData::Months &calendar, QDate shown);

    // "2024年06月～2025年05月".
    QString spanText() const;
    // What a step of the legend stands for: "なし" for step 0, else the most time played a day
    // of the step can have, "～0:15:30"; empty for steps 1 to 4 while nothing was played.
    QString stepText(int step) const;

    static int step(qint64 plays, qint64 seconds, qint64 longestDay);
    // The step's colour as &HBBGGRR: white for no play, then ever darker blues from the light
    // blue of the calendar's most played days.
    static quint32 stepColor(int step);
    // The day's tooltip: "2024/05/18（土）", then "3回　プレイ時間 0:12:34" or "プレイなし".
    static QString dayText(const Day &day);

    // Which months the grid may end with: from the twelfth month of the plays (or the last
    // month, when fewer months were played) to this month or the month of the last play,
    // whichever is later. It first ends with this month, unless the last play is older than
    // its twelve months: then with the month of the last play, so that a record book left
    // for a while opens on its last year rather than on empty days.
    struct Span {
        QDate earliest;
        QDate latest;
        QDate initial;
    };
    static Span shownMonths(const CalendarData::Months &calendar, QDate today);
};

} // namespace kotohana
