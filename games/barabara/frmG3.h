#pragma once

#include "games/common/DictionaryGameWindow.h"

namespace kotohana {

// バラバラ: a word with its characters in random order, to be typed in its right order.
class frmG3 final : public DictionaryGameWindow
{
    Q_OBJECT

public:
    static constexpr char16_t kDictionary[] = u"バラバラ辞書.txt";

    frmG3(const Services &services, ProgramState &state, QWidget *parent = nullptr);

    static GameDefinition definition();

protected:
    std::unique_ptr<Play> makePlay(const PlaySetup &setup) override;
    void firstQuestion() override;
    void answer(const QString &typed) override;
    bool revealsOnEscape() const override { return true; }
    void reveal() override;
};

} // namespace kotohana
