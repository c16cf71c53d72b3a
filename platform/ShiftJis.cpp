#include "ShiftJis.h"

#include <QStringConverter>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <optional>

namespace kotohana::ShiftJis {
namespace {

// "windows-31j" is ICU's name for code page 932: NEC and IBM extensions included,
// 0x5C is the backslash and 0x7E the tilde, as Windows reads and writes them.
constexpr const char *kCodecName = "windows-31j";

QStringEncoder makeEncoder()
{
    QStringEncoder encoder(kCodecName, QStringConverter::Flag::Stateless);
    Q_ASSERT(encoder.isValid());
    return encoder;
}

// The converter reads three control bytes as IBM's code pages do (0x1A as U+001C, 0x1C as U+007F,
// 0x7F as U+001A); Windows reads each byte as the control character of its own number, and so
// does the program. The converter gets and gives its own forms.
char16_t converterControl(char16_t c)
{
    switch (c) {
    case 0x1A:
        return 0x1C;
    case 0x1C:
        return 0x7F;
    case 0x7F:
        return 0x1A;
    default:
        return c;
    }
}

// The bytes the converter reads as another control character than their own.
bool isSwappedControl(char byte)
{
    return byte == '\x1A' || byte == '\x1C' || byte == '\x7F';
}

// Characters that input methods type but code page 932 holds under another code point
// (〜 is ～ there, − is －); they are written as the character Windows would show.
QString windowsForms(QStringView text)
{
    static const std::pair<char16_t, char16_t> forms[] = {{u'\u301C', u'\uFF5E'}, {u'\u2212', u'\uFF0D'}, {u'\u2016', u'\u2225'},
                                                          {u'\u2014', u'\u2015'}, {u'\u00A2', u'\uFFE0'}, {u'\u00A3', u'\uFFE1'},
                                                          {u'\u00AC', u'\uFFE2'}, {u'\u00A5', u'\uFFE5'}};
    QString result = text.toString();
    for (const auto &[typed, written] : forms)
        result.replace(QChar(typed), QChar(written));
    for (QChar &c : result)
        c = QChar(converterControl(c.unicode()));
    return result;
}

QStringDecoder decoder()
{
    QStringDecoder result(kCodecName, QStringConverter::Flag::Stateless);
    Q_ASSERT(result.isValid());
    return result;
}

// What the converter makes of one or two bytes, remembered: a record file is mostly ASCII, and
// its other characters are few and come again and again (the games' names), while each call of
// the converter costs as much as many characters. Each entry is the one character the bytes are,
// kNotOne when they are not exactly one character, or 0 while not asked yet. Reading threads
// share the tables; an entry is written whole or not at all.
constexpr char16_t kNotOne = 0xFFFF;
std::atomic<char16_t> singleBytes[256];
std::atomic<char16_t> twoBytes[256 * 256];

// Asks the converter what the bytes are, and remembers it in entry.
Q_DECL_COLD_FUNCTION Q_NEVER_INLINE char16_t learn(std::atomic<char16_t> &entry, QByteArrayView bytes)
{
    QStringDecoder converter = decoder();
    const QString text = converter.decode(bytes);
    const bool one = !converter.hasError() && text.size() == 1 && text[0] != QChar(0xFFFD) && text[0] != QChar(0);
    const char16_t known = one ? text[0].unicode() : kNotOne;
    entry.store(known, std::memory_order_relaxed);
    return known;
}

char16_t asOneCharacter(std::atomic<char16_t> &entry, const unsigned char *bytes, qsizetype size)
{
    const char16_t known = entry.load(std::memory_order_relaxed);
    return known ? known : learn(entry, QByteArrayView(bytes, size));
}

// A piece without the three swapped control bytes, decoded as the converter would decode it
// whole: a byte below 0x80 is always a character of its own (never the start of two), so the
// known characters are put in directly and the converter is asked only from the first bytes that
// are not one known character to the end of the piece.
QChar *decodePiece(std::optional<QStringDecoder> &converter, QChar *out, QByteArrayView bytes)
{
    const auto *at = reinterpret_cast<const unsigned char *>(bytes.data());
    const auto *const end = at + bytes.size();
    while (at != end) {
        // Eight ASCII bytes at a time, as long as they come.
        for (quint64 eight = 0; end - at >= 8; at += 8, out += 8) {
            std::memcpy(&eight, at, sizeof eight);
            if (eight & 0x8080808080808080ULL)
                break;
            for (int k = 0; k < 8; ++k)
                out[k] = QChar(char16_t(at[k]));
        }
        if (at == end)
            break;
        if (*at < 0x80) {
            *out++ = QChar(char16_t(*at++));
            continue;
        }
        char16_t known = asOneCharacter(singleBytes[*at], at, 1);
        qsizetype length = 1;
        if (known == kNotOne && end - at >= 2) {
            known = asOneCharacter(twoBytes[*at * 256 + at[1]], at, 2);
            length = 2;
        }
        if (known == kNotOne) {
            // Made in place: the converter keeps its own address to count what it cannot read.
            if (!converter)
                converter.emplace(kCodecName, QStringConverter::Flag::Stateless);
            return converter->appendToBuffer(out, QByteArrayView(at, end - at));
        }
        *out++ = QChar(known);
        at += length;
    }
    return out;
}

} // namespace

std::optional<char32_t> firstUnencodable(QStringView original)
{
    const QString converted = windowsForms(original);
    const QStringView text(converted);
    QStringEncoder encoder = makeEncoder();
    QByteArray all = encoder.encode(text);
    if (!encoder.hasError())
        return std::nullopt;
    // Slow path, only taken when something is wrong: find the culprit character.
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        QStringEncoder one = makeEncoder();
        QByteArray bytes = one.encode(text.mid(i, length));
        if (one.hasError())
            return length == 2 ? QChar::surrogateToUcs4(text[i], text[i + 1]) : char32_t(text[i].unicode());
        i += length;
    }
    return U'\uFFFD';
}

EncodedText encode(QStringView original)
{
    const QString text = windowsForms(original);
    QStringEncoder encoder = makeEncoder();
    EncodedText result;
    result.bytes = encoder.encode(text);
    if (encoder.hasError()) {
        result.bytes.clear();
        result.unencodable = firstUnencodable(original);
    }
    return result;
}

qsizetype decodedSize(qsizetype bytes)
{
    // Asked for every text a reader decodes: the converter that knows is made once per thread.
    thread_local const QStringDecoder sizing = decoder();
    return sizing.requiredSpace(bytes);
}

QChar *decodeInto(QChar *out, QByteArrayView bytes, bool &invalid)
{
    // Made only when a character is not in the tables yet.
    std::optional<QStringDecoder> converter;
    QChar *const begin = out;
    // Those three bytes are never part of a two-byte character: the text around them is decoded
    // in pieces, and each of them is put in as itself.
    const bool swapped = bytes.contains('\x1A') || bytes.contains('\x1C') || bytes.contains('\x7F');
    qsizetype start = 0;
    for (qsizetype i = 0; swapped && i < bytes.size(); ++i) {
        if (!isSwappedControl(bytes[i]))
            continue;
        out = decodePiece(converter, out, bytes.sliced(start, i - start));
        *out++ = QChar(char16_t(bytes[i]));
        start = i + 1;
    }
    out = decodePiece(converter, out, bytes.sliced(start));
    if (converter && converter->hasError()) {
        invalid = true;
        // The converter's replacement character has no Shift_JIS form; a full-width question
        // mark stands in for it, so that a text read from a damaged file can still be written back.
        std::replace(begin, out, QChar(0xFFFD), QChar(0xFF1F));
    }
    return out;
}

DecodedText decode(QByteArrayView bytes)
{
    DecodedText result;
    result.text.resize(decodedSize(bytes.size()));
    QChar *const end = decodeInto(result.text.data(), bytes, result.hadInvalidBytes);
    result.text.truncate(end - result.text.constData());
    return result;
}

QString describeCharacter(char32_t character)
{
    const QString shown = QString::fromUcs4(&character, 1);
    return QStringLiteral("「%1」(%2)").arg(shown, codePoint(character));
}

QString codePoint(char32_t character)
{
    return QStringLiteral("U+") + QString::number(quint32(character), 16).toUpper().rightJustified(4, u'0');
}

} // namespace kotohana::ShiftJis
