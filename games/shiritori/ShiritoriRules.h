#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace kotohana {

class RandomSource;

// The rules of しりとり, on answers already turned into full-width hiragana.
namespace ShiritoriRules {

// The kana a reply must begin with: the last character, a small kana read as its large form
// (おもちゃ → や); っ and ー stay as they are.
QString chainKana(const QString &word);

enum class Verdict {
    EndsWithN,       // 最後が『ん』
    EndsWithLong,    // a final ー: neither right nor wrong
    Repeated,        // used already in this play
    NoChain,         // does not begin with the chain kana
    Accepted,
};

Verdict judge(const QString &answer, const QString &computerWord, const QStringList &acceptedWords);

// The computer's reply: one of the dictionary's words beginning with the chain kana of the
// answer, duplicates and all; none when there is none.
std::optional<QString> reply(const QStringList &words, const QString &answer, RandomSource &random);

} // namespace ShiritoriRules
} // namespace kotohana
