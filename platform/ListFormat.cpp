#include "ListFormat.h"

#include "TextFile.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace kotohana::ListFormat {
QString formatNumber(float value)
{
    if (!std::isfinite(value))
        return QStringLiteral("0");
    if (value == 0.0f)
        value = 0.0f; // no "-0"
    char buffer[64];
    // Fixed notation in the fewest digits that still read back as the same float.
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    Q_ASSERT(error == std::errc());
    return QString::fromLatin1(buffer, end - buffer);
}

std::optional<float> parseNumber(QStringView field)
{
    field = field.trimmed();
    if (field.isEmpty() || field.size() > 48)
        return std::nullopt;
    char buffer[64];
    qsizetype length = 0;
    qsizetype start = 0;
    if (field[0] == u'+' && field.size() > 1 && field[1] != u'-')
        start = 1; // from_chars takes no plus sign
    for (qsizetype i = start; i < field.size(); ++i) {
        const QChar c = field[i];
        if (c.unicode() > 0x7f)
            return std::nullopt;
        buffer[length++] = char(c.unicode());
    }
    float value = 0;
    const auto [end, error] = std::from_chars(buffer, buffer + length, value, std::chars_format::general);
    if (error != std::errc() || end != buffer + length || !std::isfinite(value))
        return std::nullopt;
    return value;
}

namespace {

template <typename FieldList, typename View>
FieldList fieldsOf(View line)
{
    // One pass over the characters: every record file of years of play goes through here.
    const auto isBlank = [](auto c) { return c == ' ' || c == '\t'; };
    FieldList fields;
    const auto *const data = line.data();
    const qsizetype size = line.size();
    qsizetype i = 0;
    while (i < size && isBlank(data[i]))
        ++i;
    if (i == size)
        return fields; // a blank line has no field

    while (true) {
        while (i < size && isBlank(data[i]))
            ++i;
        if (i < size && data[i] == '"') {
            const qsizetype open = ++i;
            while (i < size && data[i] != '"')
                ++i;
            fields.append(View(data + open, i - open));
            // Anything between the closing quote and the comma is not part of the field.
            while (i < size && data[i] != ',')
                ++i;
        } else {
            const qsizetype start = i;
            while (i < size && data[i] != ',')
                ++i;
            qsizetype last = i;
            while (last > start && isBlank(data[last - 1]))
                --last;
            fields.append(View(data + start, last - start));
        }
        if (i >= size)
            break;
        ++i; // the comma
    }
    return fields;
}

} // namespace

Fields splitFields(QStringView line)
{
    return fieldsOf<Fields>(line);
}

ByteFields splitFields(QByteArrayView line)
{
    return fieldsOf<ByteFields>(line);
}

QString quotableText(QStringView text)
{
    QString result = text.toString();
    result.replace(u'"', u'＂');
    result.replace(QLatin1StringView("\r\n"), QLatin1StringView(" "));
    result.replace(u'\r', u' ');
    result.replace(u'\n', u' ');
    return result;
}

void LineWriter::separate()
{
    if (!m_first)
        m_line += u',';
    m_first = false;
}

LineWriter &LineWriter::text(QStringView value)
{
    separate();
    m_line += u'"';
    if (value.contains(u'"') || value.contains(u'\n') || value.contains(u'\r'))
        m_line += quotableText(value);
    else
        m_line += value;
    m_line += u'"';
    return *this;
}

LineWriter &LineWriter::number(float value)
{
    separate();
    m_line += formatNumber(value);
    return *this;
}

LineWriter &LineWriter::integer(qint64 value)
{
    separate();
    m_line += QString::number(value);
    return *this;
}

LineWriter &LineWriter::nothing()
{
    separate();
    return *this;
}

QStringList entries(QStringView text)
{
    QStringList result;
    for (QStringView line : TextFile::lines(text)) {
        for (QStringView field : splitFields(line)) {
            if (!field.isEmpty())
                result.append(field.toString());
        }
    }
    return result;
}

} // namespace kotohana::ListFormat
