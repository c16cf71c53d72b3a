#pragma once

#include "GameWindow.h"

#include <QStringList>

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QVBoxLayout;

namespace kotohana {

// The word games' window: a question, one answer box answered with Enter, rows of the
// game's own under them, and a side panel at the right.
class WordGameWindow : public GameWindow
{
    Q_OBJECT

public:
    WordGameWindow(const Services &services, ProgramState &state, GameDefinition definition, QWidget *parent = nullptr);

    // The charts of the word history most word games keep.
    static std::vector<GameDefinition::ChartButton> wordCharts(const QString &charactersCaption, const QString &countCaption);
    // A game with a level list (cboHide) and the word history with the level's first character.
    static GameDefinition levelDefinition(const GameInfo &game, QStringList levels);

    void txtKaitou_KeyPress(int key);

protected:
    // Enter with an answer while a play runs: the text as typed, for the play to judge.
    virtual void answer(const QString &typed) = 0;
    // Whether Esc reveals the answer during a play (and clears the box outside one).
    virtual bool revealsOnEscape() const { return false; }
    virtual void reveal() { }
    // Esc while no play runs, in a game that reveals: the box is cleared and the focus goes
    // to "スタート" by default.
    virtual void escapeOutsidePlay();

    // A "　問題" label above the question; a click on it reveals the answer.
    void addHint();
    QLabel *question() const { return lblMondai; }
    // The game's own display of the question takes the place of the question label.
    void replaceQuestion(QWidget *display);
    QLineEdit *answerBox() const { return txtKaitou; }
    // Where a game puts its own rows, under the answer box.
    QVBoxLayout *underAnswer() const { return m_under; }
    // A panel of the game's at the right of the question and answer.
    void setSidePanel(QWidget *panel);

    // A list file the program is delivered with, one list field an entry, in file order. A
    // missing or empty file is written anew from the delivered one first, and the user is
    // told; a file that is there but cannot be read is reported and left alone.
    QStringList readDeliveredList(const QString &fileName, const QString &title);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *lblMondai = nullptr;
    QLineEdit *txtKaitou = nullptr;
    QLabel *lblHint = nullptr;
    QHBoxLayout *m_row = nullptr;
    QVBoxLayout *m_column = nullptr;
    QVBoxLayout *m_under = nullptr;
};

} // namespace kotohana
