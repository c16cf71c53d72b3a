#pragma once

#include "games/common/WordGameWindow.h"

namespace kotohana {

// しりとり: a word chain against the computer, which learns the player's new words.
class frmG2 final : public WordGameWindow
{
    Q_OBJECT

public:
    static constexpr char16_t kDictionary[] = u"しりとり辞書.txt";

    frmG2(const Services &services, ProgramState &state, QWidget *parent = nullptr);

    static GameDefinition definition();

protected:
    QString helpText() const override;
    void loaded() override;
    bool canStart() override;
    void resetQuestion() override;
    void firstQuestion() override;
    void answer(const QString &typed) override;
    HistoryRow historyFields(const PlayResult &play) const override;
    QString recordText(const PlayResult &play) const override;
    void playEnded() override;

private:
    void setComputerWord(const QString &word);

    QStringList m_words;          // the dictionary as it stood at the start of the play
    QStringList m_accepted;
    QString m_computerWord;
    qint64 m_learned = 0;
};

} // namespace kotohana
