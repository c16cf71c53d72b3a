#pragma once

#include "BarabaraRules.h"

#include "games/common/WordPlay.h"

namespace kotohana {

class RandomSource;

inline constexpr auto kBarabaraTable = wordTable(u"答数", HistoryColumn::Source::Answers, u"表示秒数");

// One play of バラバラ: a dictionary word with its characters in random order, to be typed
// in its right order. A wrong answer leaves the question; a right one brings the next.
class BarabaraPlay final : public WordPlay
{
public:
    // words: the dictionary's entries, one at least.
    BarabaraPlay(PlaySetup setup, QStringList words, RandomSource &random);

    // A new word, at the end of the countdown and after each right answer.
    void newQuestion();
    const BarabaraRules::Question &question() const { return m_question; }
    // The word in its right order takes the place of the scrambled one until the next question.
    void reveal() { m_revealed = true; }
    // What the question shows: the scrambled word, or the word itself once revealed.
    QString shown() const { return m_revealed ? m_question.answer : m_question.scrambled; }

    struct Checked {
        Outcome outcome;
        QString solved; // what the question showed when it was answered right; empty otherwise
    };
    Checked answer(const QString &typed);

    QString recordText() const override { return conditions(); }

private:
    QStringList m_words;
    RandomSource &m_random;
    BarabaraRules::Question m_question;
    bool m_revealed = false;
};

} // namespace kotohana
