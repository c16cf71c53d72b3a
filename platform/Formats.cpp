#include "Formats.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include <QByteArray>
#include <algorithm>

namespace kotohana::Formats {

QString date(QDate day)
{
    return day.toString(u"yyyy/MM/dd");
}

QString time(QTime moment)
{
    return moment.toString(u"HH:mm:ss");
}

QString shortDate(QDate day)
{
    return day.toString(u"yy/MM/dd");
}

QString shortYearMonth(QDate day)
{
    return day.toString(u"yy/MM");
}

QString kanjiYearMonth(QDate day)
{
    return day.toString(u"yyyy年MM月");
}

QString kanjiShortDate(QDate day)
{
    return day.toString(u"yy年MM月dd日");
}

QString fixed(double value, int decimals)
{
    if (!std::isfinite(value))
        value = 0;
    decimals = std::max(decimals, 0);
    const bool negative = value < 0;
    // First the value as it reads in decimal, 15 significant digits: d.dddddddddddddde±x ...
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific, 14);
    Q_ASSERT(error == std::errc());
    const QByteArrayView text(buffer, end - buffer);
    const qsizetype ePos = text.indexOf('e');
    QByteArray digits = text.first(1).toByteArray() + text.sliced(2, ePos - 2).toByteArray();
    const int exponent = text.sliced(ePos + 1).toByteArray().toInt();

    // ... then rounded half away from zero to the wanted decimals.
    const int keep = exponent + 1 + decimals; // digits before the rounding position
    QByteArray units; // the value × 10^decimals, as decimal digits
    if (keep >= digits.size()) {
        units = digits + QByteArray(keep - digits.size(), '0');
    } else {
        units = keep > 0 ? digits.first(keep) : QByteArray("0");
        if (keep >= 0 && digits.at(keep) >= '5') {
            qsizetype i = units.size() - 1;
            while (i >= 0 && units.at(i) == '9')
                units[i--] = '0';
            if (i < 0)
                units.prepend('1');
            else
                units[i] = char(units.at(i) + 1);
        }
    }
    if (units.size() <= decimals)
        units.prepend(QByteArray(decimals + 1 - units.size(), '0'));
    QByteArray result = units.first(units.size() - decimals);
    if (decimals > 0)
        result += '.' + units.last(decimals);
    const bool zero = result.count('0') + result.count('.') == result.size();
    if (negative && !zero)
        result.prepend('-');
    return QString::fromLatin1(result);
}

QString whole(double value)
{
    return fixed(value, 0);
}

QString twoDigits(qint64 value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

QString oneDecimal(double value)
{
    return fixed(value, 1);
}

QString percent(double ratio)
{
    return fixed(ratio * 100.0, 1) + u'%';
}

QString perSecond(double value)
{
    return fixed(value, 2) + QStringLiteral("/秒");
}

QString hms(qint64 seconds)
{
    const QString sign = seconds < 0 ? QStringLiteral("-") : QString();
    // The magnitude unsigned: the most negative qint64 has no positive counterpart.
    const quint64 magnitude = seconds < 0 ? 0 - quint64(seconds) : quint64(seconds);
    return sign + QString::number(magnitude / 3600) + u':' + twoDigits(qint64(magnitude / 60 % 60)) + u':'
        + twoDigits(qint64(magnitude % 60));
}

std::optional<double> leadingNumber(QStringView text)
{
    qsizetype i = 0;
    const qsizetype size = text.size();
    while (i < size && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    std::string number;
    if (i < size && (text[i] == u'-' || text[i] == u'+'))
        number += char(text[i++].unicode());
    const auto isDigit = [&](qsizetype at) { return at < size && text[at] >= u'0' && text[at] <= u'9'; };
    bool anyDigit = false;
    while (isDigit(i)) {
        number += char(text[i++].unicode());
        anyDigit = true;
    }
    if (i < size && text[i] == u'.') {
        number += '.';
        ++i;
        while (isDigit(i)) {
            number += char(text[i++].unicode());
            anyDigit = true;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    // An exponent counts only when it is complete: "3e5" is 300000, "3e" is 3.
    if (i < size && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        std::string exponent = "e";
        if (j < size && (text[j] == u'-' || text[j] == u'+'))
            exponent += char(text[j++].unicode());
        if (isDigit(j)) {
            while (isDigit(j))
                exponent += char(text[j++].unicode());
            number += exponent;
        }
    }
    if (number.front() == '+')
        number.erase(number.begin());
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || !std::isfinite(value))
        return std::nullopt;
    Q_UNUSED(end);
    return value;
}

std::optional<int> wholePartWithin(double value, int lowest, int highest)
{
    if (!(value >= double(lowest) && value <= double(highest)))
        return std::nullopt; // also a value that is not a number
    return int(value);
}

qint64 roundHalfEven(double value)
{
    // 2^63 is exact as a double; the largest double below it fits in a qint64.
    constexpr double kBeyond = 9223372036854775808.0;
    if (!std::isfinite(value))
        return 0;
    if (value >= kBeyond)
        return std::numeric_limits<qint64>::max();
    if (value < -kBeyond)
        return std::numeric_limits<qint64>::min();
    double lower = std::floor(value);
    const double fraction = value - lower;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(lower, 2.0) != 0.0))
        lower += 1.0;
    return qint64(lower);
}

} // namespace kotohana::Formats
