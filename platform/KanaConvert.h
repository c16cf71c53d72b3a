#pragma once

#include <QString>

namespace kotohana {

// A typed word as full-width hiragana: katakana become hiragana (ゴリラ → ごりら), half-width
// kana full-width ones with their voiced marks (ｶﾞ → が), letters and digits full-width. The
// long-vowel mark ー and kanji stay as they are.
QString toFullWidthHiragana(QStringView text);

} // namespace kotohana
