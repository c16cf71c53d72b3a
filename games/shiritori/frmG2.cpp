#include "frmG2.h"

#include "ShiritoriRules.h"

#include "platform/DataFolder.h"
#include "platform/Formats.h"
#include "platform/KanaConvert.h"
#include "platform/ListFormat.h"
#include "platform/MessageBoxes.h"
#include "platform/RandomSource.h"
#include "platform/Services.h"
#include "platform/ShiftJis.h"
#include "platform/TextFile.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace kotohana {

GameDefinition frmG2::definition()
{
    GameDefinition game;
    game.name = QStringLiteral("しりとり");
    game.title = QStringLiteral("しりとりタイピング");
    game.objectName = "frmG2";
    game.buttonToolTips = false;
    game.history = wordHistory(false, {3, 4});
    game.columns = wordColumns(QStringLiteral("辞書"), QStringLiteral("秒数"));
    game.charts = wordCharts(QStringLiteral("文字数"), QStringLiteral("辞書数"));
    return game;
}

frmG2::frmG2(const Services &services, ProgramState &state, QWidget *parent)
    : WordGameWindow(services, state, definition(),
                     {QString::fromUtf16(kDictionary), QStringLiteral("覚えた言葉 "), "fraRireki",
                      QStringLiteral("しりとり履歴"), QStringLiteral("クリックするとしりとりの履歴表示になります"),
                      QStringLiteral("クリックすると覚えた言葉の表示になります"), false},
                     parent)
{
}

void frmG2::loaded()
{
    const QStringList entries = readDictionary();
    showListing(entries, entries.size());
    question()->clear();
    answerBox()->clear();
}

QString frmG2::helpText() const
{
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("このゲームは『しりとりタイピング』です。") + crlf + crlf
        + QStringLiteral("相手（コンピューター）としりとり遊びをします。") + crlf + crlf
        + QStringLiteral("※相手は同じ言葉を何度も使えますがこちらは１回のみというルールです。") + crlf
        + QStringLiteral("こちらが新しい言葉を使えばコンピュータはそれを覚え、次から出題してきます。") + crlf + crlf
        + QStringLiteral("しりとりでボキャブラリを鍛えましょう！");
}

bool frmG2::canStart()
{
    m_words = readDictionary();
    if (m_words.isEmpty()) {
        services().messages.critical(QStringLiteral("しりとり辞書に言葉がないため、始められません。"),
                                     QStringLiteral("しりとり"));
        return false;
    }
    return true;
}

void frmG2::resetQuestion()
{
    resetTyped();
    m_learned = 0;
    m_accepted.clear();
    m_computerWord.clear();
    chain()->clear();
    question()->clear();
    answerBox()->clear();
    showChain();
}

void frmG2::setComputerWord(const QString &word)
{
    m_computerWord = word;
    question()->setText(word);
    chain()->addItem(word);
    chain()->scrollToBottom();
}

void frmG2::firstQuestion()
{
    RandomSource &random = services().random;
    random.reseedFromClock();
    setComputerWord(m_words.at(random.index(int(m_words.size())) - 1));
    answerBox()->setFocus();
}

void frmG2::answer(const QString &typed)
{
    using ShiritoriRules::Verdict;
    MessageBoxes &messages = services().messages;
    const QString word = toFullWidthHiragana(typed);
    switch (ShiritoriRules::judge(word, m_computerWord, m_accepted)) {
    case Verdict::EndsWithN:
        messages.critical(QStringLiteral("最後が『ん』じゃだめです！"), QStringLiteral("間違い"));
        answerBox()->clear();
        answerJudged(false);
        return;
    case Verdict::EndsWithLong:
        messages.critical(QStringLiteral("最後の 『ー』 は 『ぃ』 とか 『ぅ』 とかに置き換えてください！"),
                          QStringLiteral("置き換え"));
        answerBox()->clear();
        return;
    case Verdict::Repeated:
        messages.critical(QStringLiteral("既に使った回答です！"), QStringLiteral("重複回答"));
        answerBox()->clear();
        answerJudged(false);
        return;
    case Verdict::NoChain:
        messages.critical(QStringLiteral("しりとりになっていません！"), QStringLiteral("間違い"));
        answerBox()->clear();
        answerJudged(false);
        return;
    case Verdict::Accepted:
        break;
    }
    // A new word is learned at once: the next play may ask it.
    if (!m_words.contains(word)) {
        if (const std::optional<char32_t> bad = ShiftJis::firstUnencodable(word)) {
            messages.critical(QStringLiteral("%1 は辞書に書けない文字のため、この言葉は覚えられません。")
                                  .arg(ShiftJis::describeCharacter(*bad)),
                              QStringLiteral("辞書追加"));
        } else {
            const FileResult learned = TextFile::appendLine(services().folder.path(QString::fromUtf16(kDictionary)), word);
            if (learned.ok())
                ++m_learned;
            else
                messages.critical(learned.message, QStringLiteral("辞書追加"));
        }
    }
    const std::optional<QString> computer = ShiritoriRules::reply(m_words, word, services().random);
    chain()->addItem(word);
    setComputerWord(computer.value_or(word));
    m_accepted.append(word);
    addTyped(word.size());
    answerBox()->clear();
    answerJudged(true);
}

void frmG2::playEnded()
{
    setListingCaption(m_words.size() + m_learned);
    if (m_learned != 0) {
        services().messages.information(QStringLiteral("新しい文字を ") + QString::number(m_learned)
                                            + QStringLiteral(" 個覚えました！"),
                                        QStringLiteral("辞書追加"));
    }
}

HistoryRow frmG2::historyFields(const PlayResult &play) const
{
    return wordFields(play, QString::number(m_words.size() + m_learned), false);
}

QString frmG2::recordText(const PlayResult &play) const
{
    return conditions(play) + QStringLiteral("　新語 +")
        + QString::number(m_learned);
}

} // namespace kotohana
