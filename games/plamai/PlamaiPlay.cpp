#include "PlamaiPlay.h"

namespace kotohana {

PlamaiPlay::PlamaiPlay(PlaySetup setup, RandomSource &random)
    : Play(std::move(setup), kPlamaiTable)
    , m_random(random)
{
}

void PlamaiPlay::firstRow()
{
    m_row = PlamaiRules::newRow(m_random);
}

PlamaiPlay::BoxOutcome PlamaiPlay::answer(int box, const QString &typed)
{
    BoxOutcome result;
    if (!playing() || typed.isEmpty() || box < 1 || box > kBoxes)
        return result;
    // The mode is read at each box, so a mode chosen during the play rules from the next box.
    const bool correct = PlamaiRules::judge(m_row[std::size_t(box - 1)], m_row[std::size_t(box)], typed, setup().mode);
    if (box == kBoxes) {
        // The fresh row is drawn before the end test, so it stays on screen after the last box.
        m_row = PlamaiRules::newRow(m_random);
        result.newRow = true;
    }
    result.outcome = judged(correct);
    return result;
}

QString PlamaiPlay::recordText() const
{
    return conditions() + QStringLiteral("  (") + setup().mode + QStringLiteral(") モード");
}

} // namespace kotohana
