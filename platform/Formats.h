#pragma once

#include <QDate>
#include <QString>
#include <QTime>

#include <optional>

namespace kotohana {

// The number, date and time formats used on screen and on disk.
namespace Formats {

QString date(QDate day); // 2024/05/18
QString time(QTime moment); // 21:05:09
QString shortDate(QDate day); // 24/05/18
QString shortYearMonth(QDate day); // 24/05
QString kanjiYearMonth(QDate day); // 2024年05月
QString kanjiShortDate(QDate day); // 24年05月18日

// Decimal formats. Halves round away from zero, as they do on screen in the decimal text
// of the value (0.15 shows as 0.2 with one decimal).
QString fixed(double value, int decimals);
QString whole(double value); // "0"
QString twoDigits(qint64 value); // "00"
QString oneDecimal(double value); // "0.0"
QString percent(double ratio); // "0.0%" of ratio × 100
QString perSecond(double value); // "0.00/秒"

// Seconds as whole hours (no limit, no leading zero), minutes and seconds: 3725 → 1:02:05.
QString hms(qint64 seconds);

// The value of the longest leading part of the text that is a number: "60秒" → 60,
// " 47.3" → 47.3; nothing for "" or "abc".
std::optional<double> leadingNumber(QStringView text);

// The same with 0 for a text that does not start with a number.
inline double numericValue(QStringView text)
{
    return leadingNumber(text).value_or(0.0);
}

// The whole part of a number read from a file (1.9 → 1, -1.9 → -1) when the number lies
// within [lowest, highest]; nothing otherwise. A number from a file goes through here before it
// becomes an int: one outside int's range has no such value.
std::optional<int> wholePartWithin(double value, int lowest, int highest);

// To a whole number, a half going to the even neighbour: 12.5 → 12, 13.5 → 14. A value beyond
// qint64's range gives the nearest end of it, an infinity or not-a-number gives 0.
qint64 roundHalfEven(double value);

// A running total of seconds, rounded to a whole number at each addition.
inline qint64 addRounded(qint64 total, double seconds)
{
    return roundHalfEven(double(total) + seconds);
}

} // namespace Formats
} // namespace kotohana
