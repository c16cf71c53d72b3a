#include "CellTexts.h"

#include "platform/Dates.h"
#include "platform/Formats.h"
#include "platform/ListFormat.h"
#include "records/Items.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>

namespace kotohana::CellTexts {
namespace {

// Writes into a fixed buffer of UTF-16 code units.
class Writer final
{
public:
    void digits(quint64 value)
    {
        char16_t reversed[20];
        int count = 0;
        do {
            reversed[count++] = char16_t(u'0' + value % 10);
            value /= 10;
        } while (value != 0);
        while (count > 0)
            m_text[m_size++] = reversed[--count];
    }
    void twoDigits(int value)
    {
        m_text[m_size++] = char16_t(u'0' + value / 10 % 10);
        m_text[m_size++] = char16_t(u'0' + value % 10);
    }
    void fourDigits(int value)
    {
        twoDigits(value / 100);
        twoDigits(value % 100);
    }
    void put(char16_t c) { m_text[m_size++] = c; }
    QString text() const { return QString(reinterpret_cast<const QChar *>(m_text), m_size); }

private:
    char16_t m_text[48];
    qsizetype m_size = 0;
};

// The year, month and day of a day whose year has four digits; false for any other day, which
// the formats of Formats handle.
bool fourDigitYear(QDate day, int &year, int &month, int &dayOfMonth)
{
    day.getDate(&year, &month, &dayOfMonth);
    return year >= 1000 && year <= 9999;
}

// The pooled number texts, in blocks made when first asked for and never freed, so that a
// text can point into them (QString::fromRawData) for as long as the program runs. The lists
// are filled on the thread of the windows alone (the reading ahead of the record file makes
// no cell texts), so the blocks need no lock.
class NumberPool final
{
public:
    static constexpr qint64 kBlockSize = qint64(1) << 16;
    static constexpr qint64 kBlocks = kPooledNumbers / kBlockSize;

    QString text(qint64 value)
    {
        const qint64 index = value / kBlockSize;
        const int width = digitsOf(index * kBlockSize + kBlockSize - 1);
        const int size = digitsOf(value);
        const char16_t *slot = blockOf(index, width) + (value % kBlockSize) * width;
        return QString::fromRawData(reinterpret_cast<const QChar *>(slot + width - size), size);
    }

private:
    static int digitsOf(qint64 value)
    {
        int digits = 1;
        for (; value >= 10; value /= 10)
            ++digits;
        return digits;
    }

    // A block holds its numbers in slots of one width, each written out in full with leading
    // zeros; a number's text is the end of its slot.
    const char16_t *blockOf(qint64 index, int width)
    {
        char16_t *&block = m_blocks[std::size_t(index)];
        if (block)
            return block;
        auto *texts = new char16_t[std::size_t(kBlockSize * width)]; // kept for good: texts point into it
        char16_t digits[20];
        for (qint64 rest = index * kBlockSize, i = width - 1; i >= 0; rest /= 10, --i)
            digits[i] = char16_t(u'0' + rest % 10);
        for (qint64 n = 0; n < kBlockSize; ++n) {
            std::copy(digits, digits + width, texts + n * width);
            for (int i = width - 1; i >= 0 && ++digits[i] > u'9'; --i)
                digits[i] = u'0';
        }
        block = texts;
        return texts;
    }

    std::array<char16_t *, std::size_t(kBlocks)> m_blocks{};
};

// Where SecondsTexts looks for a number first.
std::size_t slotOf(quint32 bits, std::size_t size)
{
    // Round numbers differ only in their high bits: they are mixed into the low ones.
    bits ^= bits >> 16;
    bits *= 0x85EBCA6Bu;
    bits ^= bits >> 13;
    bits *= 0xC2B2AE35u;
    bits ^= bits >> 16;
    return std::size_t(bits) & (size - 1);
}

} // namespace

QString number(qint64 value)
{
    if (value >= 0 && value < kPooledNumbers) {
        static NumberPool pool;
        return pool.text(value);
    }
    Writer writer;
    if (value < 0)
        writer.put(u'-');
    writer.digits(value < 0 ? 0 - quint64(value) : quint64(value));
    return writer.text();
}

const QString &weekdayName(int weekday)
{
    static const std::array<QString, 8> names = [] {
        std::array<QString, 8> texts;
        for (int w = 1; w <= 7; ++w)
            texts[std::size_t(w)] = Dates::weekdayName(w);
        return texts;
    }();
    return names[weekday >= 1 && weekday <= 7 ? std::size_t(weekday) : 0];
}

QString date(QDate day)
{
    int year = 0, month = 0, dayOfMonth = 0;
    if (!fourDigitYear(day, year, month, dayOfMonth))
        return Formats::date(day);
    Writer writer;
    writer.fourDigits(year);
    writer.put(u'/');
    writer.twoDigits(month);
    writer.put(u'/');
    writer.twoDigits(dayOfMonth);
    return writer.text();
}

QString shortDate(QDate day)
{
    int year = 0, month = 0, dayOfMonth = 0;
    if (!fourDigitYear(day, year, month, dayOfMonth))
        return Formats::shortDate(day);
    Writer writer;
    writer.twoDigits(year % 100);
    writer.put(u'/');
    writer.twoDigits(month);
    writer.put(u'/');
    writer.twoDigits(dayOfMonth);
    return writer.text();
}

QString shortYearMonth(QDate day)
{
    int year = 0, month = 0, dayOfMonth = 0;
    if (!fourDigitYear(day, year, month, dayOfMonth))
        return Formats::shortYearMonth(day);
    Writer writer;
    writer.twoDigits(year % 100);
    writer.put(u'/');
    writer.twoDigits(month);
    return writer.text();
}

QString kanjiYearMonth(QDate day)
{
    int year = 0, month = 0, dayOfMonth = 0;
    if (!fourDigitYear(day, year, month, dayOfMonth))
        return Formats::kanjiYearMonth(day);
    Writer writer;
    writer.fourDigits(year);
    writer.put(u'年');
    writer.twoDigits(month);
    writer.put(u'月');
    return writer.text();
}

QString kanjiShortDate(QDate day)
{
    int year = 0, month = 0, dayOfMonth = 0;
    if (!fourDigitYear(day, year, month, dayOfMonth))
        return Formats::kanjiShortDate(day);
    Writer writer;
    writer.twoDigits(year % 100);
    writer.put(u'年');
    writer.twoDigits(month);
    writer.put(u'月');
    writer.twoDigits(dayOfMonth);
    writer.put(u'日');
    return writer.text();
}

QString hms(qint64 seconds)
{
    if (seconds < 0)
        return Formats::hms(seconds);
    Writer writer;
    writer.digits(quint64(seconds / 3600));
    writer.put(u':');
    writer.twoDigits(int(seconds / 60 % 60));
    writer.put(u':');
    writer.twoDigits(int(seconds % 60));
    return writer.text();
}

QString oneDecimal(double value)
{
    // Formats::fixed's own steps for one decimal: the value to 15 significant digits, then
    // rounded half away from zero. Values it would write with more digits than fit here take
    // its own way.
    if (!std::isfinite(value) || std::signbit(value) || value >= 1e15)
        return Formats::oneDecimal(value);
    char scientific[32];
    const auto [end, error] = std::to_chars(scientific, scientific + sizeof scientific, value, std::chars_format::scientific, 14);
    if (error != std::errc())
        return Formats::oneDecimal(value);
    // d.dddddddddddddde±xx: 15 digits and the exponent.
    char digits[15];
    digits[0] = scientific[0];
    for (int i = 1; i < 15; ++i)
        digits[i] = scientific[i + 1];
    int exponent = 0;
    std::from_chars(scientific + 17 + (scientific[17] == '+' ? 1 : 0), end, exponent);

    const int keep = exponent + 2; // digits up to and including the first decimal
    char units[20]; // the value × 10, as decimal digits
    int size = 0;
    if (keep >= 15) {
        for (int i = 0; i < keep; ++i)
            units[size++] = i < 15 ? digits[i] : '0';
    } else {
        if (keep > 0) {
            for (int i = 0; i < keep; ++i)
                units[size++] = digits[i];
        } else {
            units[size++] = '0';
        }
        if (keep >= 0 && digits[keep] >= '5') {
            int i = size - 1;
            while (i >= 0 && units[i] == '9')
                units[i--] = '0';
            if (i < 0) {
                for (int j = size; j > 0; --j)
                    units[j] = units[j - 1];
                units[0] = '1';
                ++size;
            } else {
                ++units[i];
            }
        }
    }
    if (size == 1) {
        units[1] = units[0];
        units[0] = '0';
        size = 2;
    }
    Writer writer;
    for (int i = 0; i < size - 1; ++i)
        writer.put(char16_t(units[i]));
    writer.put(u'.');
    writer.put(char16_t(units[size - 1]));
    return writer.text();
}

const QString &SecondsTexts::text(float value)
{
    const quint32 bits = std::bit_cast<quint32>(value);
    std::size_t slot = slotOf(bits, m_entries.size());
    while (!m_entries[slot].text.isNull()) {
        if (m_entries[slot].bits == bits)
            return m_entries[slot].text;
        slot = (slot + 1) & (m_entries.size() - 1);
    }
    if (2 * (m_used + 1) > m_entries.size()) {
        grow();
        return text(value);
    }
    ++m_used;
    m_entries[slot] = {bits, ListFormat::formatNumber(value)};
    return m_entries[slot].text;
}

void SecondsTexts::grow()
{
    std::vector<Entry> old(2 * m_entries.size());
    old.swap(m_entries);
    for (Entry &entry : old) {
        if (entry.text.isNull())
            continue;
        std::size_t slot = slotOf(entry.bits, m_entries.size());
        while (!m_entries[slot].text.isNull())
            slot = (slot + 1) & (m_entries.size() - 1);
        m_entries[slot] = std::move(entry);
    }
}

std::optional<QDate> parseDate(QStringView text)
{
    // Year, month and day: digits only, at most 4, 2 and 2 of them, split by '/'.
    text = text.trimmed();
    const qsizetype size = text.size();
    qsizetype at = 0;
    int numbers[3] = {};
    for (int part = 0; part < 3; ++part) {
        const qsizetype start = at;
        int value = 0;
        while (at < size && text[at] != u'/') {
            const char16_t c = text[at].unicode();
            if (c < u'0' || c > u'9')
                return std::nullopt;
            value = value * 10 + (c - u'0');
            if (at - start >= (part == 0 ? 4 : 2))
                return std::nullopt;
            ++at;
        }
        if (at == start)
            return std::nullopt;
        numbers[part] = value;
        if (part < 2) {
            if (at == size)
                return std::nullopt;
            ++at; // the '/'
        }
    }
    if (at != size)
        return std::nullopt; // a fourth part
    const QDate day(numbers[0], numbers[1], numbers[2]);
    if (!day.isValid() || numbers[0] < Dates::kFirstYear || numbers[0] > Dates::kLastYear)
        return std::nullopt;
    return day;
}

int itemIndex(QStringView name)
{
    // Every game's name starts with a character of its own, so one comparison of the whole
    // name settles it.
    struct FirstCharacters {
        std::array<QChar, 7> characters{};
        bool distinct = true;
    };
    static const FirstCharacters firsts = [] {
        FirstCharacters result;
        const auto &names = itemNames();
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (names[i].isEmpty()) {
                result.distinct = false;
                break;
            }
            result.characters[i] = names[i].front();
            for (std::size_t j = 0; j < i; ++j)
                result.distinct = result.distinct && result.characters[j] != result.characters[i];
        }
        return result;
    }();
    if (!firsts.distinct || name.isEmpty())
        return kotohana::itemIndex(name);
    for (std::size_t i = 0; i < firsts.characters.size(); ++i) {
        if (firsts.characters[i] != name.front())
            continue;
        const QString &item = itemNames()[i];
        return item.size() == name.size() && std::equal(name.begin(), name.end(), item.begin()) ? int(i) : -1;
    }
    return -1;
}

} // namespace kotohana::CellTexts
