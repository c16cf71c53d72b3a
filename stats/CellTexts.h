#pragma once

#include <QDate>
#include <QString>

#include <optional>
#include <vector>

namespace kotohana {

// The texts of list cells, built for lists of a hundred thousand rows: each function gives
// exactly the text of its counterpart in Formats, Dates, QString::number or itemIndex, without
// going through QLocale's general formatting.
namespace CellTexts {

// QString::number(value). The texts of numbers below kPooledNumbers are made once, in blocks
// of 65,536 that are kept for the life of the program (a megabyte each): the lists' running
// numbers, counts and seconds then cost no memory of their own, however many rows show them.
constexpr qint64 kPooledNumbers = qint64(1) << 18;
QString number(qint64 value);
// Dates::weekdayName(weekday), one shared text per weekday.
const QString &weekdayName(int weekday);

// Formats::date, shortDate, shortYearMonth, kanjiYearMonth and kanjiShortDate.
QString date(QDate day);
QString shortDate(QDate day);
QString shortYearMonth(QDate day);
QString kanjiYearMonth(QDate day);
QString kanjiShortDate(QDate day);

// Formats::hms and Formats::oneDecimal.
QString hms(qint64 seconds);
QString oneDecimal(double value);

// ListFormat::formatNumber of many single-precision numbers, most of them repeated (a play's
// seconds): each distinct number gets one text, which the lists then share.
class SecondsTexts final
{
public:
    const QString &text(float value);

private:
    struct Entry {
        quint32 bits = 0;
        QString text; // null while the entry is free
    };
    void grow();

    std::vector<Entry> m_entries = std::vector<Entry>(64);
    std::size_t m_used = 0;
};

// Dates::parse(text).
std::optional<QDate> parseDate(QStringView text);

// itemIndex(name).
int itemIndex(QStringView name);

} // namespace CellTexts
} // namespace kotohana
