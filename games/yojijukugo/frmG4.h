#pragma once

#include "YojiRules.h"

#include "games/common/WordGameWindow.h"

#include <array>

class QLabel;

namespace kotohana {

// 四熟虫喰: a four-character idiom in four windows, some of them eaten; the whole idiom is typed.
class frmG4 final : public WordGameWindow
{
    Q_OBJECT

public:
    static constexpr char16_t kDictionary[] = u"四熟虫喰辞書.txt";

    frmG4(const Services &services, ProgramState &state, QWidget *parent = nullptr);

    static GameDefinition definition();
    void lblMondai_Click(int index);

protected:
    QString helpText() const override;
    void loaded() override;
    void modeChanged() override;
    bool canStart() override;
    void resetQuestion() override;
    void firstQuestion() override;
    void answer(const QString &typed) override;
    void reveal() override;
    void escapeOutsidePlay() override;
    HistoryRow historyFields(const PlayResult &play) const override;
    QString recordText(const PlayResult &play) const override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showWindow(int index, bool open, bool withCharacter);
    void newQuestion();

    QStringList m_idioms;
    YojiRules::Question m_question;
    YojiRules::Windows m_designated{};
    std::array<QLabel *, 4> lblMondai{};
    QLabel *lblPmode = nullptr;
};

} // namespace kotohana
