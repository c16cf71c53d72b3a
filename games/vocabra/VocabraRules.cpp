#include "VocabraRules.h"

#include "platform/RandomSource.h"

namespace kotohana::VocabraRules {
namespace {

int draw(RandomSource &random, int count)
{
    random.reseedFromClock();
    return random.index(count);
}

QString question(const QStringList &kana, bool pairs, int first, int second)
{
    return pairs ? kana.at(first) + kana.at(second) : kana.at(first);
}

// Every question that may still be asked, for the rare list that is almost all banned.
QStringList allowed(const QStringList &kana, bool pairs, const QSet<QString> &banned)
{
    QStringList result;
    const int n = int(kana.size());
    for (int first = 0; first < n; ++first) {
        for (int second = 0; second < (pairs ? n : 1); ++second) {
            if (pairs && first >= kBasicKana && second >= kBasicKana)
                continue;
            const QString q = question(kana, pairs, first, second);
            if (!banned.contains(q))
                result.append(q);
        }
    }
    return result;
}

} // namespace

QStringList modeNames()
{
    return {QStringLiteral("１文字"), QStringLiteral("２文字")};
}

bool asksPairs(const QString &mode)
{
    return mode != modeNames().first();
}

bool canAsk(const QStringList &kana, bool pairs, const QSet<QString> &banned)
{
    return !allowed(kana, pairs, banned).isEmpty();
}

std::optional<QString> nextQuestion(const QStringList &kana, bool pairs, const QSet<QString> &banned, RandomSource &random)
{
    const int n = int(kana.size());
    if (n == 0)
        return std::nullopt;
    // Draws as the game always has; after many misses the questions left are counted out, so
    // a list with (nearly) every question banned can never make the draw run forever.
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const int first = draw(random, n);
        int second = first;
        if (pairs) {
            do {
                second = draw(random, n);
            } while (first >= kBasicKana && second >= kBasicKana);
        }
        const QString q = question(kana, pairs, first, second);
        if (!banned.contains(q))
            return q;
    }
    const QStringList left = allowed(kana, pairs, banned);
    if (left.isEmpty())
        return std::nullopt;
    return left.at(draw(random, int(left.size())));
}

Answer judge(const QString &typed, const QString &question)
{
    if (typed == QStringLiteral("不要"))
        return Answer::Banish;
    if (typed == question)
        return Answer::Itself;
    if (!typed.contains(question))
        return Answer::Wrong;
    if (typed.startsWith(question))
        return Answer::Beginning;
    if (typed.endsWith(question))
        return Answer::End;
    return Answer::Inside;
}

int points(Answer answer)
{
    switch (answer) {
    case Answer::Beginning:
        return 1;
    case Answer::End:
        return 2;
    case Answer::Inside:
        return 3;
    case Answer::Wrong:
        return -1;
    case Answer::Banish:
    case Answer::Itself:
        break;
    }
    return 0;
}

} // namespace kotohana::VocabraRules
