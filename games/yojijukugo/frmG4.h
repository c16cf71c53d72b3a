#pragma once

#include "games/common/DictionaryGameWindow.h"

#include <array>

class QLabel;

namespace kotohana {

// 四熟虫喰: a four-character idiom in four windows, some of them eaten; the whole idiom is typed.
class frmG4 final : public DictionaryGameWindow
{
    Q_OBJECT

public:
    static constexpr char16_t kDictionary[] = u"四熟虫喰辞書.txt";

    frmG4(const Services &services, ProgramState &state, QWidget *parent = nullptr);

    static GameDefinition definition();
    void lblMondai_Click(int index);

protected:
    void loaded() override;
    void modeChanged() override;
    std::unique_ptr<Play> makePlay(const PlaySetup &setup) override;
    void resetQuestion() override;
    void firstQuestion() override;
    void answer(const QString &typed) override;
    bool revealsOnEscape() const override { return true; }
    void reveal() override;
    void escapeOutsidePlay() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Window index (1 to 4) open (white) or eaten (face colour), with the text it shows.
    void showWindow(int index, bool open, const QString &text = {});
    // Every window white where designated, eaten elsewhere, all without characters.
    void showDesignated(bool designatedLevel);
    void showQuestion();

    std::array<QLabel *, 4> lblMondai{};
    QLabel *lblPmode = nullptr;
};

} // namespace kotohana
