#include "KarapaniPlay.h"

namespace kotohana {

KarapaniPlay::KarapaniPlay(PlaySetup setup, RandomSource &random)
    : WordPlay(std::move(setup), kLevelTable)
    , m_random(random)
{
}

void KarapaniPlay::nextQuestion()
{
    const std::optional<KarapaniRules::Mode> mode = KarapaniRules::mode(setup().mode);
    // A text that is no mode leaves the task as the last question had it.
    const KarapaniRules::Task task = mode ? mode->task : m_question.task;
    m_question = KarapaniRules::next(m_random, task, mode && mode->panic);
}

Outcome KarapaniPlay::answer(const QString &typed)
{
    const QString word = cleaned(typed);
    if (!playing() || word.isEmpty())
        return {};
    const bool correct = KarapaniRules::judge(word, m_question);
    if (correct) {
        addTyped(word.size());
        nextQuestion();
    }
    return judged(correct);
}

QString KarapaniPlay::recordText() const
{
    return conditions() + QStringLiteral("  ") + setup().mode + QStringLiteral("モード");
}

} // namespace kotohana
