#pragma once

#include "games/common/WordGameWindow.h"

namespace kotohana {

class DictionaryPanel;

// バラバラ: a word with its characters in random order, to be typed in its right order.
class frmG3 final : public WordGameWindow
{
    Q_OBJECT

public:
    static constexpr char16_t kDictionary[] = u"バラバラ辞書.txt";

    frmG3(const Services &services, ProgramState &state, QWidget *parent = nullptr);

    static GameDefinition definition();

protected:
    QString helpText() const override;
    void loaded() override;
    std::unique_ptr<Play> makePlay(const PlaySetup &setup) override;
    void resetQuestion() override;
    void firstQuestion() override;
    void answer(const QString &typed) override;
    bool revealsOnEscape() const override { return true; }
    void reveal() override;

private:
    QStringList readDictionary();

    DictionaryPanel *m_panel = nullptr;
};

} // namespace kotohana
