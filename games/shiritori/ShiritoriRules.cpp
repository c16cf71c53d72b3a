#include "ShiritoriRules.h"

#include "platform/RandomSource.h"

#include <utility>

namespace kotohana::ShiritoriRules {

QString chainKana(const QString &word)
{
    if (word.isEmpty())
        return {};
    static const QString small = QStringLiteral("ぁぃぅぇぉゃゅょ");
    static const QString large = QStringLiteral("あいうえおやゆよ");
    const QChar last = word.back();
    const qsizetype at = small.indexOf(last);
    return QString(at >= 0 ? large[at] : last);
}

Verdict judge(const QString &answer, const QString &computerWord, const QStringList &acceptedWords)
{
    if (answer.endsWith(u'ん'))
        return Verdict::EndsWithN;
    if (answer.endsWith(u'ー'))
        return Verdict::EndsWithLong;
    if (acceptedWords.contains(answer))
        return Verdict::Repeated;
    if (answer.left(1) != chainKana(computerWord))
        return Verdict::NoChain;
    return Verdict::Accepted;
}

WordIndex::WordIndex(QStringList words)
    : m_words(std::move(words))
    , m_start(std::size_t(0x10000) + 1, 0)
{
    // Counted by first character, then placed: one pass each, in dictionary order.
    for (const QString &word : std::as_const(m_words)) {
        if (!word.isEmpty())
            ++m_start[std::size_t(word.front().unicode()) + 1];
    }
    for (std::size_t c = 1; c < m_start.size(); ++c)
        m_start[c] += m_start[c - 1];
    m_order.resize(std::size_t(m_start.back()));
    std::vector<int> next(m_start.begin(), m_start.end() - 1);
    for (qsizetype i = 0; i < m_words.size(); ++i) {
        const QString &word = m_words.at(i);
        if (!word.isEmpty())
            m_order[std::size_t(next[word.front().unicode()]++)] = int(i);
    }
}

qsizetype WordIndex::count(QStringView prefix) const
{
    if (prefix.isEmpty())
        return m_words.size();
    Q_ASSERT(prefix.size() == 1);
    const std::size_t c = prefix.front().unicode();
    return m_start[c + 1] - m_start[c];
}

const QString &WordIndex::at(QStringView prefix, qsizetype i) const
{
    if (prefix.isEmpty())
        return m_words.at(i);
    Q_ASSERT(i >= 0 && i < count(prefix));
    return m_words.at(m_order[std::size_t(m_start[prefix.front().unicode()] + i)]);
}

bool WordIndex::contains(const QString &word) const
{
    if (word.isEmpty())
        return m_words.contains(word);
    const QStringView first = QStringView(word).left(1);
    for (qsizetype i = 0, n = count(first); i < n; ++i) {
        if (at(first, i) == word)
            return true;
    }
    return false;
}

std::optional<QString> reply(const WordIndex &dictionary, const QString &answer, RandomSource &random)
{
    const QString kana = chainKana(answer);
    const qsizetype candidates = dictionary.count(kana);
    if (candidates == 0)
        return std::nullopt;
    return dictionary.at(kana, random.index(int(candidates)));
}

} // namespace kotohana::ShiritoriRules
