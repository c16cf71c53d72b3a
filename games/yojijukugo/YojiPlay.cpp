#include "YojiPlay.h"

namespace kotohana {

YojiPlay::YojiPlay(PlaySetup setup, QStringList idioms, const YojiRules::Windows &designated, RandomSource &random)
    : WordPlay(std::move(setup), kLevelTable)
    , m_idioms(std::move(idioms))
    , m_designated(designated)
    , m_random(random)
{
}

void YojiPlay::newQuestion()
{
    m_question = YojiRules::make(m_idioms, setup().mode, m_designated, m_random);
    m_revealed = false;
}

void YojiPlay::closeWindows()
{
    m_question.open = {};
    m_revealed = false;
}

QString YojiPlay::shown(int window) const
{
    const bool visible = m_revealed || m_question.open[std::size_t(window)];
    return visible ? m_question.idiom.mid(window, 1) : QString();
}

YojiPlay::Checked YojiPlay::answer(const QString &typed)
{
    Checked checked;
    const QString idiom = cleaned(typed);
    if (!playing() || idiom.isEmpty())
        return checked;
    if (idiom != m_question.idiom) {
        checked.outcome = judged(false);
        checked.outcome.message = QStringLiteral("違います！！");
        checked.outcome.title = QStringLiteral("間違い");
        return checked;
    }
    for (int window = 0; window < 4; ++window) {
        const QString character = shown(window);
        checked.solved += character.isEmpty() ? QStringLiteral("□") : character;
    }
    newQuestion();
    addTyped(idiom.size());
    checked.outcome = judged(true);
    return checked;
}

QString YojiPlay::recordText() const
{
    return conditions() + QStringLiteral("  ") + setup().mode + QStringLiteral("モード");
}

} // namespace kotohana
