#pragma once

#include "PlamaiRules.h"

#include "games/common/Play.h"

#include <array>

namespace kotohana {

class RandomSource;

// The fields of プラマイ's history line.
namespace PlamaiField {
enum Id : int { Date, Time, Answers, Correct, Wrong, Rate, Speed, Seconds, Mode };
}

inline constexpr std::array<HistoryColumn, 9> kPlamaiTable = [] {
    using namespace PlamaiField;
    using C = HistoryColumn;
    return std::array{C::date(1400),
                      C::time(1000),
                      C::number(Answers, C::Source::Answers, u"答数", 600, C::Answered),
                      C::correct(Correct, 600, C::Best),
                      C::wrong(Wrong, 600),
                      C::rate(Rate, 900),
                      C::speed(Speed, 1000),
                      C::seconds(Seconds, 1025),
                      C::text(Mode, C::Source::Mode, u"モード", 700, Qt::AlignHCenter)};
}();
static_assert(inOrder(kPlamaiTable));

// The layout of プラマイ's history.
inline HistoryLayout plamaiHistory()
{
    return HistoryLayout(kPlamaiTable);
}

// One play of プラマイ: rows of fifteen digits, an answer per box between neighbours.
class PlamaiPlay final : public Play
{
public:
    static constexpr int kBoxes = 14;

    PlamaiPlay(PlaySetup setup, RandomSource &random);

    // The first row, at the end of the countdown.
    void firstRow();
    const PlamaiRules::Row &row() const { return m_row; }

    struct BoxOutcome {
        Outcome outcome;
        bool newRow = false; // the fourteenth box brought a fresh row
    };
    // The character typed into box (1 to 14). Nothing counts once the play is over or when
    // the box was only emptied.
    BoxOutcome answer(int box, const QString &typed);

    qint64 speedCount() const override { return cycle().answers(); }
    QString recordText() const override;

private:
    RandomSource &m_random;
    PlamaiRules::Row m_row{};
};

} // namespace kotohana
