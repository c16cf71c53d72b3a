#pragma once

#include "Play.h"

#include <array>

namespace kotohana {

// The history most word games keep (しりとり, バラバラ, 四熟虫喰, カラパニ): date, time, a count
// (answers, or the dictionary's size), correct, wrong, characters, rate, speed, seconds and,
// with a level list, the level's first character.
namespace WordField {
enum Id : int { Date, Time, Count, Correct, Wrong, Characters, Rate, Speed, Seconds, Level };
}

// The word history without a level: the answers filter sums correct and wrong. The count is
// the answers unless the game gives its own.
constexpr std::array<HistoryColumn, 9> wordTable(const char16_t *countHeading, HistoryColumn::Source count,
                                                 const char16_t *secondsHeading)
{
    using namespace WordField;
    using C = HistoryColumn;
    return {C::date(1400),
            C::time(1000),
            C::number(Count, count, countHeading, 600),
            C::correct(Correct, 600, C::Answered | C::Best),
            C::wrong(Wrong, 600, C::Answered),
            C::number(Characters, C::Source::Characters, u"文字数", 755),
            C::rate(Rate, 880),
            C::speed(Speed, 980),
            C::seconds(Seconds, 1025, secondsHeading)};
}

// The word history with a level list (四熟虫喰, カラパニ): the answers filter looks at the count.
inline constexpr std::array<HistoryColumn, 10> kLevelTable = [] {
    using namespace WordField;
    using C = HistoryColumn;
    return std::array{C::date(1360),
                      C::time(960),
                      C::number(Count, C::Source::Answers, u"答数", 600, C::Answered),
                      C::correct(Correct, 580, C::Best),
                      C::wrong(Wrong, 580),
                      C::number(Characters, C::Source::Characters, u"字数", 600),
                      C::rate(Rate, 860),
                      C::speed(Speed, 980),
                      C::seconds(Seconds, 980),
                      C::text(Level, C::Source::ModeInitial, u"Ｍ", 360, Qt::AlignHCenter)};
}();
static_assert(inOrder(kLevelTable) && inOrder(wordTable(u"", HistoryColumn::Source::Answers, u"")));

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

private:
    qint64 m_typed = 0;
};

} // namespace kotohana
