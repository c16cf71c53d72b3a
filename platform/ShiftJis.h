#pragma once

#include <QByteArray>
#include <QString>
#include <QStringConverter>

#include <optional>

namespace kotohana {

// Text as Shift_JIS bytes the way Windows writes it (code page 932).
struct EncodedText {
    QByteArray bytes;
    // The first character that Shift_JIS cannot hold. When set, the bytes must not be written.
    std::optional<char32_t> unencodable;

    bool ok() const { return !unencodable.has_value(); }
};

struct DecodedText {
    QString text;
    // Bytes that are not Shift_JIS were met; each became a substitute character (？ or the
    // control character SUB), all of which Shift_JIS can write back.
    bool hadInvalidBytes = false;
};

namespace ShiftJis {

EncodedText encode(QStringView text);
DecodedText decode(QByteArrayView bytes);

// A decoder for reading a text a piece at a time; each piece must end where a character ends.
QStringDecoder decoder();
// What decode() does to the characters that stand for bytes that are not Shift_JIS.
void mendSubstitutes(QChar *begin, QChar *end);

// The first character of the text that Shift_JIS cannot hold, if any.
std::optional<char32_t> firstUnencodable(QStringView text);

// A character as a user can recognise it in a message: 「😀」(U+1F600).
QString describeCharacter(char32_t character);
// Its code alone, for a character that shows as nothing: U+0000.
QString codePoint(char32_t character);

} // namespace ShiftJis
} // namespace kotohana
