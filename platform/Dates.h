#pragma once

#include <QDate>
#include <QString>

#include <optional>

namespace kotohana {

// Date arithmetic in the program's terms. Adding days and months is QDate's own
// (QDate::addMonths keeps the day within the month: 2024/01/31 plus one month is 2024/02/29).
namespace Dates {

// 1 = Sunday ... 7 = Saturday.
int weekday(QDate day);
// 日 月 火 水 木 金 土 for weekdays 1 to 7.
QString weekdayName(int weekday);

qint64 daysBetween(QDate from, QDate to);
// Calendar months from the month of one date to the month of another: 01/31 → 02/01 is 1.
int monthsBetween(QDate from, QDate to);

// The years a record may be dated in. A date outside them is taken as no date at all, like any
// other invalid date, so that a page has at most one row for each day of these two centuries.
constexpr int kFirstYear = 1900;
constexpr int kLastYear = 2099;

// A saved date text, "2024/05/18" (a hand-edited 2024/5/18 is taken too); nothing when
// it is not a valid date from kFirstYear to kLastYear.
std::optional<QDate> parse(QStringView text);

} // namespace Dates
} // namespace kotohana
