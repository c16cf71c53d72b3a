#pragma once

#include <QByteArray>
#include <QString>

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

// Decoding a text a piece at a time, each piece ending where a character ends: room for the
// characters of so many bytes, and the piece decoded as decode() would, into out, which has that
// room. Gives the end of what was written; sets invalid when bytes that are not Shift_JIS were met.
qsizetype decodedSize(qsizetype bytes);
QChar *decodeInto(QChar *out, QByteArrayView bytes, bool &invalid);

// The first character of the text that Shift_JIS cannot hold, if any.
std::optional<char32_t> firstUnencodable(QStringView text);

// A character as a user can recognise it in a message: 「😀」(U+1F600).
QString describeCharacter(char32_t character);
// Its code alone, for a character that shows as nothing: U+0000.
QString codePoint(char32_t character);

} // namespace ShiftJis
} // namespace kotohana
