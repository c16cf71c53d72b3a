#include "ShiritoriRules.h"

#include "platform/RandomSource.h"

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

std::optional<QString> reply(const QStringList &words, const QString &answer, RandomSource &random)
{
    const QString kana = chainKana(answer);
    QStringList candidates;
    for (const QString &word : words) {
        if (word.startsWith(kana))
            candidates.append(word);
    }
    if (candidates.isEmpty())
        return std::nullopt;
    return candidates.at(random.index(int(candidates.size())) - 1);
}

} // namespace kotohana::ShiritoriRules
