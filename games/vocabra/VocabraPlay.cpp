#include "VocabraPlay.h"

#include "VocabraRules.h"

#include "platform/TextFile.h"

namespace kotohana {

VocabraPlay::VocabraPlay(PlaySetup setup, QStringList kana, QSet<QString> banned, QString bannedFile, RandomSource &random)
    : WordPlay(std::move(setup), kVocabraTable)
    , m_kana(std::move(kana))
    , m_banned(std::move(banned))
    , m_bannedFile(std::move(bannedFile))
    , m_random(random)
{
}

bool VocabraPlay::canAsk() const
{
    return VocabraRules::canAsk(m_kana, VocabraRules::asksPairs(setup().mode), m_banned);
}

bool VocabraPlay::nextQuestion()
{
    const std::optional<QString> next = VocabraRules::nextQuestion(m_kana, VocabraRules::asksPairs(setup().mode), m_banned,
                                                                   m_random);
    if (next)
        m_question = *next;
    return next.has_value();
}

VocabraPlay::Answered VocabraPlay::answer(const QString &typed)
{
    using VocabraRules::Answer;
    Answered result;
    const QString word = cleaned(typed);
    if (!playing() || word.isEmpty())
        return result;
    const Answer kind = VocabraRules::judge(word, m_question);
    const bool counted = kind != Answer::Banish && kind != Answer::Itself;
    if (kind != Answer::Wrong)
        addTyped(word.size());
    if (kind == Answer::Banish) {
        const FileResult banned = TextFile::appendLine(m_bannedFile, m_question);
        if (!banned.ok()) {
            result.outcome.message = banned.message;
            result.outcome.title = QStringLiteral("ボキャブラ");
        }
    }
    if (counted) {
        m_score += VocabraRules::points(kind);
        if (kind != Answer::Wrong)
            ++m_positions[std::size_t(int(kind) - int(Answer::Beginning))];
        // A wrong word leaves the box empty before it is listed.
        result.entry = m_question + QStringLiteral(" _ ") + (kind == Answer::Wrong ? QString() : word);
    }
    result.asked = nextQuestion();
    if (counted)
        result.outcome = judged(kind != Answer::Wrong);
    return result;
}

QString VocabraPlay::ownField(int field) const
{
    Q_ASSERT(field == VocabraField::Score);
    return QString::number(m_score);
}

QString VocabraPlay::recordText() const
{
    return conditions() + QStringLiteral("  ") + setup().mode + QStringLiteral("モード");
}

} // namespace kotohana
