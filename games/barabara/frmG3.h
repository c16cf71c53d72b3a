#pragma once

#include "BarabaraRules.h"

#include "games/common/WordGameWindow.h"

namespace kotohana {

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
    bool canStart() override;
    void resetQuestion() override;
    void firstQuestion() override;
    void answer(const QString &typed) override;
    void reveal() override;
    HistoryRow historyFields(const PlayResult &play) const override;
    QString recordText(const PlayResult &play) const override;

private:
    void newQuestion();

    QStringList m_words;
    BarabaraRules::Question m_question;
};


} // namespace kotohana
