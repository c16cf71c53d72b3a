#include "frmG2.h"

#include "ShiritoriPlay.h"

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
    : DictionaryGameWindow(services, state, definition(), {kDictionary, u"しりとり辞書"},
                           {QStringLiteral("覚えた言葉 "), "fraRireki", QStringLiteral("しりとり履歴"),
                            QStringLiteral("クリックするとしりとりの履歴表示になります"),
                            QStringLiteral("クリックすると覚えた言葉の表示になります")},
                           parent)
{
}

std::unique_ptr<Play> frmG2::makePlay(const PlaySetup &setup)
{
    // A dictionary that could not be read was reported while reading it: without a word the
    // computer has nothing to begin with.
    QStringList words = readDictionary();
    if (words.isEmpty())
        return nullptr;
    return std::make_unique<ShiritoriPlay>(setup, std::move(words), dictionaryPath(), services().random);
}

void frmG2::firstQuestion()
{
    auto *play = playAs<ShiritoriPlay>();
    play->firstWord();
    question()->setText(play->computerWord());
    dictionaryPanel().addToChain(play->computerWord());
    answerBox()->setFocus();
}

void frmG2::answer(const QString &typed)
{
    auto *play = playAs<ShiritoriPlay>();
    const ShiritoriPlay::Reply reply = play->answer(typed);
    for (const QString &word : reply.chained)
        dictionaryPanel().addToChain(word);
    question()->setText(play->computerWord());
    answerBox()->clear();
    showOutcome(reply.outcome);
}

void frmG2::playEnded()
{
    const auto *play = playAs<ShiritoriPlay>();
    dictionaryPanel().setCount(play->dictionarySize());
    if (play->learned() != 0) {
        services().messages.information(QStringLiteral("新しい文字を ") + QString::number(play->learned())
                                            + QStringLiteral(" 個覚えました！"),
                                        QStringLiteral("辞書追加"));
    }
}

} // namespace kotohana
