#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace kotohana {

class RandomSource;

// The rules of しりとり, on answers already turned into full-width hiragana.
namespace ShiritoriRules {

// The kana a reply must begin with: the last character, a small kana read as its large form
// (おもちゃ → や); っ and ー stay as they are.
QString chainKana(const QString &word);

enum class Verdict {
    EndsWithN, // 最後が『ん』
    EndsWithLong, // a final ー: neither right nor wrong
    Repeated, // used already in this play
    NoChain, // does not begin with the chain kana
    Accepted,
};

Verdict judge(const QString &answer, const QString &computerWord, const QStringList &acceptedWords);

// The dictionary's words grouped by their first character, each group in dictionary order
// with its duplicates, so that the words beginning with a kana are found without reading
// the others.
class WordIndex final
{
public:
    explicit WordIndex(QStringList words);

    const QStringList &words() const { return m_words; }
    // How many words begin with prefix (a single character, or none: every word), and the
    // i-th of them, from 0, in dictionary order.
    qsizetype count(QStringView prefix) const;
    const QString &at(QStringView prefix, qsizetype i) const;
    bool contains(const QString &word) const;

private:
    QStringList m_words;
    // The words' positions grouped by first character: those beginning with character c are
    // m_order[m_start[c]] to m_order[m_start[c + 1] - 1].
    std::vector<int> m_start;
    std::vector<int> m_order;
};

// The computer's reply: one of the dictionary's words beginning with the chain kana of the
// answer, duplicates and all, drawn by its number among them; none when there is none.
std::optional<QString> reply(const WordIndex &dictionary, const QString &answer, RandomSource &random);

} // namespace ShiritoriRules
} // namespace kotohana
