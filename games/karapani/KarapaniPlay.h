#pragma once

#include "KarapaniRules.h"

#include "games/common/WordPlay.h"

namespace kotohana {

class RandomSource;

// One play of カラパニ. Each question takes its task from the play's mode when it is drawn, so
// a mode chosen during the play asks from the next question on, and the question on screen is
// judged by the task it was shown with.
class KarapaniPlay final : public WordPlay
{
public:
    KarapaniPlay(PlaySetup setup, RandomSource &random);

    // Draws a question: the first at the end of the countdown, the next after a right answer.
    void nextQuestion();
    const KarapaniRules::Question &question() const { return m_question; }

    // A right answer counts its characters and brings the next question; a wrong one keeps
    // the question. Nothing counts outside the play.
    Outcome answer(const QString &typed);

    QString recordText() const override;

private:
    RandomSource &m_random;
    KarapaniRules::Question m_question;
};

} // namespace kotohana
