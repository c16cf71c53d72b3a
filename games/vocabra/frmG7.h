#pragma once

#include "games/common/WordGameWindow.h"

#include <QSet>

#include <array>

class QGroupBox;
class QListWidget;

namespace kotohana {

// ボキャブラ: a word that contains the kana asked, scored by where they stand in it.
class frmG7 final : public WordGameWindow
{
    Q_OBJECT

public:
    static constexpr char16_t kKanaFile[] = u"ボキャブラかな.TXT";
    static constexpr char16_t kBannedFile[] = u"ボキャブラ不要.TXT";

    frmG7(const Services &services, ProgramState &state, QWidget *parent = nullptr);

    static GameDefinition definition();

protected:
    void loaded() override;
    std::unique_ptr<Play> makePlay(const PlaySetup &setup) override;
    void resetQuestion() override;
    void firstQuestion() override;
    void answer(const QString &typed) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QSet<QString> readBanned();
    void showQuestion();
    void showScore();

    QStringList m_kana;
    QSet<QString> m_banned;
    std::array<QLabel *, 4> lblTen{};
    QGroupBox *fraRireki = nullptr;
    QListWidget *lstRireki = nullptr;
};

} // namespace kotohana
