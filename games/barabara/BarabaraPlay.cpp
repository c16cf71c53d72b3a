#include "BarabaraPlay.h"

namespace kotohana {

BarabaraPlay::BarabaraPlay(PlaySetup setup, QStringList words, RandomSource &random)
    : WordPlay(std::move(setup), kBarabaraTable)
    , m_words(std::move(words))
    , m_random(random)
{
}

void BarabaraPlay::newQuestion()
{
    m_question = BarabaraRules::make(m_words, m_random);
    m_revealed = false;
}

BarabaraPlay::Checked BarabaraPlay::answer(const QString &typed)
{
    Checked checked;
    const QString word = cleaned(typed);
    if (!playing() || word.isEmpty())
        return checked;
    const bool right = word == m_question.answer;
    if (right) {
        checked.solved = shown();
        newQuestion();
        addTyped(word.size());
    }
    checked.outcome = judged(right);
    if (!right) {
        checked.outcome.message = QStringLiteral("違います！！");
        checked.outcome.title = QStringLiteral("間違い");
    }
    return checked;
}

} // namespace kotohana
