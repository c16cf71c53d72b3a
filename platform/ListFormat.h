#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVarLengthArray>

#include <optional>

namespace kotohana {

// The record files' line format: fields separated by commas, text in double quotes with
// nothing escaped, numbers bare with "." as the decimal separator.
namespace ListFormat {

// A number in its shortest single-precision form: 60, 47.3, 0.5, -2.25 (never 60.0 or 47.299999).
QString formatNumber(float value);

// The whole field as a number ("60", " 47.3", ".5"); nothing else may follow.
std::optional<float> parseNumber(QStringView field);

using Fields = QVarLengthArray<QStringView, 8>;
using ByteFields = QVarLengthArray<QByteArrayView, 8>;

// Reads one line field by field: a field ends at a comma or at the end of the line, leading
// blanks are skipped, a quoted field runs to its closing quote and loses its quotes.
// A comma at the end of the line leaves one more, empty, field. A blank line has no field.
Fields splitFields(QStringView line);
// The same over the line's Shift_JIS bytes, before decoding: the blanks, quotes and commas are
// bytes below 0x80, which Shift_JIS never uses inside a character of two bytes, so the fields
// are those of the decoded line.
ByteFields splitFields(QByteArrayView line);

// The entries of a list file (a dictionary, a topic list, a topic's answers): every field of
// every line that is not empty, in file order.
QStringList entries(QStringView text);

// Text safe for a quoted field: a double quote becomes the full-width ＂ and a line break a
// space, since the format has no escape for either and they would break the record.
QString quotableText(QStringView text);

// Builds one line.
class LineWriter final
{
public:
    LineWriter &text(QStringView value); // quoted
    LineWriter &number(float value); // bare, shortest form
    LineWriter &integer(qint64 value); // bare
    LineWriter &nothing(); // an empty unquoted field: "a",  ends in a bare comma

    const QString &line() const { return m_line; }

private:
    void separate();

    QString m_line;
    bool m_first = true;
};

} // namespace ListFormat
} // namespace kotohana
