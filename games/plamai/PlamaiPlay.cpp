#include "PlamaiPlay.h"

#include "platform/Formats.h"

namespace kotohana {

HistoryLayout plamaiHistory()
{
    using Field = HistoryLayout::Field;
    using namespace PlamaiField;
    HistoryLayout layout;
    layout.fields = {Field::Text, Field::Text, Field::Number, Field::Number, Field::Number,
                     Field::Text, Field::Text, Field::Text,   Field::Text};
    layout.secondsField = Seconds;
    layout.modeField = Mode;
    layout.answersFields = {Answers};
    layout.achievementField = Correct;
    return layout;
}

PlamaiPlay::PlamaiPlay(PlaySetup setup, RandomSource &random)
    : Play(std::move(setup))
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
    const bool correct =
        PlamaiRules::judge(m_row[std::size_t(box - 1)], m_row[std::size_t(box)], typed, setup().mode);
    if (box == kBoxes) {
        // The fresh row is drawn before the end test, so it stays on screen after the last box.
        m_row = PlamaiRules::newRow(m_random);
        result.newRow = true;
    }
    result.outcome = judged(correct);
    return result;
}

HistoryRow PlamaiPlay::historyFields() const
{
    return {QString::number(cycle().answers()),
            QString::number(cycle().correct()),
            QString::number(cycle().wrong()),
            Formats::percent(cycle().correctRate()),
            Formats::perSecond(speed()),
            secondsField(),
            setup().mode};
}

QString PlamaiPlay::recordText() const
{
    return conditions() + QStringLiteral("  (") + setup().mode + QStringLiteral(") モード");
}

} // namespace kotohana
