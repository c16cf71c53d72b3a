#pragma once

#include "Play.h"

#include <vector>

namespace kotohana {

// The history most word games keep (しりとり, バラバラ, 四熟虫喰, カラパニ): date, time, a count
// (answers, or the dictionary's size), correct, wrong, characters, rate, speed, seconds and,
// with a level list, the level's first character.
namespace WordField {
enum : int { Date, Time, Count, Correct, Wrong, Characters, Rate, Speed, Seconds, Level };
}

// The layout of that history; answersFields are the fields the answers filter sums.
HistoryLayout wordHistory(bool withLevel, std::vector<int> answersFields);

// A play of a word game: answers typed into one box and sent with Enter; its speed counts
// the characters of the answers the game counts.
class WordPlay : public Play
{
public:
    using Play::Play;

    // What is judged and stored of a typed answer: the text without the blanks (half-width
    // or ideographic spaces, tabs) an input method leaves before or after it.
    static QString cleaned(const QString &typed);

    qint64 speedCount() const override { return m_typed; }
    qint64 typed() const { return m_typed; }

protected:
    void addTyped(qint64 characters) { m_typed += characters; }
    // The fields of wordHistory() from the count on.
    HistoryRow wordFields(const QString &count, bool withLevel) const;

private:
    qint64 m_typed = 0;
};

} // namespace kotohana
