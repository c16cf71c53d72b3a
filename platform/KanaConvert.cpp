#include "KanaConvert.h"

#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <memory>

namespace kotohana {
namespace {

std::unique_ptr<icu::Transliterator> makeTransliterator()
{
    // Only katakana go through Katakana-Hiragana: it would turn ー into a vowel and full-width
    // letters back into half-width ones.
    UErrorCode error = U_ZERO_ERROR;
    UParseError parseError{};
    std::unique_ptr<icu::Transliterator> transliterator(
        icu::Transliterator::createFromRules(icu::UnicodeString(u"kotohana-hiragana"),
                                             icu::UnicodeString(u"::Halfwidth-Fullwidth; ::[:Katakana:] Katakana-Hiragana;"),
                                             UTRANS_FORWARD, parseError, error));
    if (U_FAILURE(error))
        return nullptr;
    return transliterator;
}

} // namespace

QString toFullWidthHiragana(QStringView text)
{
    static const std::unique_ptr<icu::Transliterator> transliterator = makeTransliterator();
    if (!transliterator)
        return text.toString();
    icu::UnicodeString converted(reinterpret_cast<const char16_t *>(text.utf16()), int32_t(text.size()));
    transliterator->transliterate(converted);
    return QString(reinterpret_cast<const QChar *>(converted.getBuffer()), converted.length());
}

} // namespace kotohana
