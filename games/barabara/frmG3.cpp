#include "frmG3.h"

#include "BarabaraPlay.h"

#include "records/Services.h"

#include <QLabel>
#include <QLineEdit>

namespace kotohana {

GameDefinition frmG3::definition()
{
    GameDefinition game;
    game.game = GameCatalog::game(3);
    game.history = HistoryLayout(kBarabaraTable);
    game.charts = wordCharts(QStringLiteral("文字数"), QStringLiteral("予備"));
    return game;
}

frmG3::frmG3(const Services &services, ProgramState &state, QWidget *parent)
    : DictionaryGameWindow(services, state, definition(), {kDictionary, u"バラバラ辞書"},
                           {QStringLiteral("登録ワード一覧 "), "frmRireki", QStringLiteral("バラバラ履歴"),
                            QStringLiteral("クリックすると解いた問題の表示になります"),
                            QStringLiteral("クリックすると登録ワード一覧の表示になります")},
                           parent)
{
    addHint();
}

std::unique_ptr<Play> frmG3::makePlay(const PlaySetup &setup)
{
    QStringList words = readDictionary();
    // Why the list is empty was told while reading it.
    return words.isEmpty() ? nullptr : std::make_unique<BarabaraPlay>(setup, std::move(words), services().random);
}

void frmG3::firstQuestion()
{
    auto *play = playAs<BarabaraPlay>();
    play->newQuestion();
    question()->setText(play->shown());
    answerBox()->setFocus();
}

void frmG3::reveal()
{
    // Before the first play there is no word to show.
    auto *play = playAs<BarabaraPlay>();
    if (play)
        play->reveal();
    question()->setText(play ? play->shown() : QString());
}

void frmG3::answer(const QString &typed)
{
    auto *play = playAs<BarabaraPlay>();
    const BarabaraPlay::Checked checked = play->answer(typed);
    if (checked.outcome.correct)
        dictionaryPanel().addToChain(checked.solved);
    question()->setText(play->shown());
    answerBox()->clear();
    showOutcome(checked.outcome);
}

} // namespace kotohana
