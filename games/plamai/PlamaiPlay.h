#pragma once

#include "PlamaiRules.h"

#include "games/common/Play.h"

namespace kotohana {

class RandomSource;

// The fields of プラマイ's history line.
namespace PlamaiField {
enum : int { Date, Time, Answers, Correct, Wrong, Rate, Speed, Seconds, Mode };
}

// The layout of プラマイ's history.
HistoryLayout plamaiHistory();

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
    HistoryRow historyFields() const override;
    QString recordText() const override;

private:
    RandomSource &m_random;
    PlamaiRules::Row m_row{};
};

} // namespace kotohana
