#pragma once

#include "games/common/WordGameWindow.h"

namespace kotohana {

class DictionaryPanel;

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
    std::unique_ptr<Play> makePlay(const PlaySetup &setup) override;
    void resetQuestion() override;
    void firstQuestion() override;
    void answer(const QString &typed) override;
    void playEnded() override;

private:
    QStringList readDictionary();

    DictionaryPanel *m_panel = nullptr;
};

} // namespace kotohana
