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
    const auto parts = text.trimmed().split(u'/');
    if (parts.size() != 3)
        return std::nullopt;
    int numbers[3] = {};
    for (int i = 0; i < 3; ++i) {
        const QStringView part = parts[i];
        if (part.isEmpty() || part.size() > (i == 0 ? 4 : 2))
            return std::nullopt;
        for (QChar c : part) {
            if (c < u'0' || c > u'9')
                return std::nullopt;
        }
        numbers[i] = part.toInt();
    }
    const QDate day(numbers[0], numbers[1], numbers[2]);
    if (!day.isValid() || numbers[0] < kFirstYear || numbers[0] > kLastYear)
        return std::nullopt;
    return day;
}

} // namespace kotohana::Dates
