#include "frmG2.h"

#include "ShiritoriPlay.h"

#include "games/common/DictionaryPanel.h"
#include "platform/DataFolder.h"
#include "platform/MessageBoxes.h"
#include "records/Services.h"

#include <QLabel>
#include <QLineEdit>

namespace kotohana {

GameDefinition frmG2::definition()
{
    GameDefinition game;
    game.game = GameCatalog::game(2);
    game.buttonToolTips = false;
    game.history = HistoryLayout(kShiritoriTable);
    game.charts = wordCharts(QStringLiteral("文字数"), QStringLiteral("辞書数"));
    return game;
}

frmG2::frmG2(const Services &services, ProgramState &state, QWidget *parent)
    : WordGameWindow(services, state, definition(), parent)
{
    m_panel = new DictionaryPanel({QStringLiteral("覚えた言葉 "), "fraRireki", QStringLiteral("しりとり履歴"),
                                   QStringLiteral("クリックするとしりとりの履歴表示になります"),
                                   QStringLiteral("クリックすると覚えた言葉の表示になります")},
                                  playArea());
    setSidePanel(m_panel);
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

QStringList frmG2::readDictionary()
{
    return readDeliveredList(QString::fromUtf16(kDictionary), QStringLiteral("しりとり辞書"));
}

void frmG2::loaded()
{
    const QStringList entries = readDictionary();
    m_panel->showListing(entries, entries.size());
    question()->clear();
    answerBox()->clear();
}

std::unique_ptr<Play> frmG2::makePlay(const PlaySetup &setup)
{
    // A dictionary that could not be read was reported while reading it: without a word the
    // computer has nothing to begin with.
    QStringList words = readDictionary();
    if (words.isEmpty())
        return nullptr;
    const QString path = services().folder.path(QString::fromUtf16(kDictionary));
    return std::make_unique<ShiritoriPlay>(setup, std::move(words), path, services().random);
}

void frmG2::resetQuestion()
{
    m_panel->startChain();
    question()->clear();
    answerBox()->clear();
}

void frmG2::firstQuestion()
{
    auto *play = playAs<ShiritoriPlay>();
    play->firstWord();
    question()->setText(play->computerWord());
    m_panel->addToChain(play->computerWord());
    answerBox()->setFocus();
}

void frmG2::answer(const QString &typed)
{
    auto *play = playAs<ShiritoriPlay>();
    const ShiritoriPlay::Reply reply = play->answer(typed);
    for (const QString &word : reply.chained)
        m_panel->addToChain(word);
    question()->setText(play->computerWord());
    answerBox()->clear();
    showOutcome(reply.outcome);
}

void frmG2::playEnded()
{
    const auto *play = playAs<ShiritoriPlay>();
    m_panel->setCount(play->dictionarySize());
    if (play->learned() != 0) {
        services().messages.information(QStringLiteral("新しい文字を ") + QString::number(play->learned())
                                            + QStringLiteral(" 個覚えました！"),
                                        QStringLiteral("辞書追加"));
    }
}

} // namespace kotohana
