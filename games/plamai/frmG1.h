#pragma once

#include "games/common/GameWindow.h"

#include <array>

class QLabel;
class QLineEdit;

namespace kotohana {

class PlamaiPlay;

// プラマイ: a row of fifteen digits and fourteen one-character boxes between them.
class frmG1 final : public GameWindow
{
    Q_OBJECT

public:
    frmG1(const Services &services, ProgramState &state, QWidget *parent = nullptr);

    static GameDefinition definition();

    void txtKaitou_Change(int index);
    void txtKaitou_Click(int index);

protected:
    std::unique_ptr<Play> makePlay(const PlaySetup &setup) override;
    bool showsRateEachAnswer() const override { return true; }
    void resetQuestion() override;
    void firstQuestion() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showRow();
    void colourBox(int index, const QColor &color);

    std::array<QLabel *, 15> lblMondai{};
    std::array<QLineEdit *, 14> txtKaitou{};
};

} // namespace kotohana
