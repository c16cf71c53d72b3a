#pragma once

#include "KarapaniRules.h"

#include "games/common/WordGameWindow.h"

namespace kotohana {

class Shape;

// カラパニ: type the colour word as written, or the colour it is drawn in.
class frmG6 final : public WordGameWindow
{
    Q_OBJECT

public:
    frmG6(const Services &services, ProgramState &state, QWidget *parent = nullptr);

    static GameDefinition definition();

protected:
    QString helpText() const override;
    void modeChanged() override;
    void resetQuestion() override;
    void firstQuestion() override;
    void answer(const QString &typed) override;
    HistoryRow historyFields(const PlayResult &play) const override;
    QString recordText(const PlayResult &play) const override;
    void playEnded() override;

private:
    void showTask(KarapaniRules::Task task);
    void newQuestion();

    KarapaniRules::Question m_question;
    KarapaniRules::Task m_task = KarapaniRules::Task::Word;
    bool m_panic = false;
    QLabel *lblMode = nullptr;
    QLabel *lblPmode = nullptr;
    Shape *shpMode = nullptr;
};

} // namespace kotohana
