#pragma once

#include "games/common/DictionaryGameWindow.h"

namespace kotohana {

// しりとり: a word chain against the computer, which learns the player's new words.
class frmG2 final : public DictionaryGameWindow
{
    Q_OBJECT

public:
    static constexpr char16_t kDictionary[] = u"しりとり辞書.txt";

    frmG2(const Services &services, ProgramState &state, QWidget *parent = nullptr);

    static GameDefinition definition();

protected:
    std::unique_ptr<Play> makePlay(const PlaySetup &setup) override;
    void firstQuestion() override;
    void answer(const QString &typed) override;
    void playEnded() override;
};

} // namespace kotohana
