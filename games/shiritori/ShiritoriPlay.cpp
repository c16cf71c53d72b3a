#include "ShiritoriPlay.h"

#include "ShiritoriRules.h"

#include "platform/KanaConvert.h"
#include "platform/RandomSource.h"
#include "platform/ShiftJis.h"
#include "platform/TextFile.h"

#include <QFileInfo>

namespace kotohana {

ShiritoriPlay::ShiritoriPlay(PlaySetup setup, QStringList words, QString dictionaryPath, RandomSource &random)
    : WordPlay(std::move(setup), kShiritoriTable)
    , m_dictionary(std::move(words))
    , m_dictionaryPath(std::move(dictionaryPath))
    , m_random(random)
{
    // The kana conversion readies its tables once per run: at the start of a play rather
    // than at its first answer.
    toFullWidthHiragana(u"ア");
}

void ShiritoriPlay::firstWord()
{
    m_random.reseedFromClock();
    const QStringList &words = m_dictionary.words();
    m_computerWord = words.at(m_random.index(int(words.size())));
}

ShiritoriPlay::Reply ShiritoriPlay::answer(const QString &typed)
{
    using ShiritoriRules::Verdict;
    Reply reply;
    const QString word = toFullWidthHiragana(cleaned(typed));
    if (!playing() || word.isEmpty())
        return reply;
    const auto wrong = [&](const QString &message, const QString &title) {
        reply.outcome = judged(false);
        reply.outcome.message = message;
        reply.outcome.title = title;
        return reply;
    };
    switch (ShiritoriRules::judge(word, m_computerWord, m_accepted)) {
    case Verdict::EndsWithN:
        return wrong(QStringLiteral("最後が『ん』じゃだめです！"), QStringLiteral("間違い"));
    case Verdict::EndsWithLong:
        // Neither right nor wrong: the player replaces the mark and tries again.
        reply.outcome.message = QStringLiteral("最後の 『ー』 は 『ぃ』 とか 『ぅ』 とかに置き換えてください！");
        reply.outcome.title = QStringLiteral("置き換え");
        return reply;
    case Verdict::Repeated:
        return wrong(QStringLiteral("既に使った回答です！"), QStringLiteral("重複回答"));
    case Verdict::NoChain:
        return wrong(QStringLiteral("しりとりになっていません！"), QStringLiteral("間違い"));
    case Verdict::Accepted:
        break;
    }
    const QString learningFailure = m_dictionary.contains(word) ? QString() : learn(word);
    // With no word to answer, the computer takes the player's own and the player goes on from it.
    m_computerWord = ShiritoriRules::reply(m_dictionary, word, m_random).value_or(word);
    reply.chained = {word, m_computerWord};
    m_accepted.append(word);
    addTyped(word.size());
    reply.outcome = judged(true);
    if (!learningFailure.isEmpty()) {
        reply.outcome.message = learningFailure;
        reply.outcome.title = QStringLiteral("辞書追加");
    }
    return reply;
}

QString ShiritoriPlay::learn(const QString &word)
{
    const FileResult written = TextFile::appendLine(m_dictionaryPath, word);
    if (written.ok()) {
        ++m_learned;
        return {};
    }
    if (written.unencodable) {
        return QStringLiteral("%1 は「%2」に書けない文字のため、この言葉は覚えられません。")
            .arg(ShiftJis::describeCharacter(*written.unencodable), QFileInfo(m_dictionaryPath).fileName());
    }
    return written.message;
}

QString ShiritoriPlay::ownField(int field) const
{
    Q_ASSERT(field == WordField::Count);
    return QString::number(dictionarySize());
}

QString ShiritoriPlay::recordText() const
{
    return conditions() + QStringLiteral("　新語 +") + QString::number(m_learned);
}

} // namespace kotohana
