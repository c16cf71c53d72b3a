#pragma once

#include "PlamaiRules.h"

#include "games/common/GameWindow.h"

#include <array>

class QLabel;
class QLineEdit;

namespace kotohana {

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
    QString helpText() const override;
    bool showsRateEachAnswer() const override { return true; }
    void resetQuestion() override;
    void firstQuestion() override;
    qint64 speedCount() const override;
    HistoryRow historyFields(const PlayResult &play) const override;
    QString recordText(const PlayResult &play) const override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showNewRow();
    void colourBox(int index, const QColor &color);

    PlamaiRules::Row m_row{};
    std::array<QLabel *, 15> lblMondai{};
    std::array<QLineEdit *, 14> txtKaitou{};
};

} // namespace kotohana
