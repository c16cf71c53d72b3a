#include "Dates.h"

namespace kotohana::Dates {

int weekday(QDate day)
{
    return day.dayOfWeek() % 7 + 1;
}

QString weekdayName(int weekday)
{
    static constexpr char16_t names[] = u"日月火水木金土";
    if (weekday < 1 || weekday > 7)
        return QString();
    return QString(QChar(names[weekday - 1]));
}

qint64 daysBetween(QDate from, QDate to)
{
    return from.daysTo(to);
}

int monthsBetween(QDate from, QDate to)
{
    return (to.year() - from.year()) * 12 + (to.month() - from.month());
}

std::optional<QDate> parse(QStringView text)
{
    // Three groups of digits between slashes, of at most 4, 2 and 2 digits; read in one pass,
    // as every page reads every record's date.
    int numbers[3] = {};
    int part = 0;
    int digits = 0;
    for (const QChar c : text.trimmed()) {
        if (c == u'/') {
            if (digits == 0 || ++part > 2)
                return std::nullopt;
            digits = 0;
            continue;
        }
        if (c < u'0' || c > u'9' || ++digits > (part == 0 ? 4 : 2))
            return std::nullopt;
        numbers[part] = numbers[part] * 10 + (c.unicode() - u'0');
    }
    if (part != 2 || digits == 0)
        return std::nullopt;
    const QDate day(numbers[0], numbers[1], numbers[2]);
    if (!day.isValid() || numbers[0] < kFirstYear || numbers[0] > kLastYear)
        return std::nullopt;
    return day;
}

} // namespace kotohana::Dates
