#pragma once

#include "RensouRules.h"

#include "games/common/WordGameWindow.h"

class QComboBox;
class QGroupBox;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace kotohana {

// 連想心理: free association to a topic; every answer is new, existing or a duplicate, and each
// topic keeps its answers and a log of them.
class frmG5 final : public WordGameWindow
{
    Q_OBJECT

public:
    static constexpr char16_t kTopicFile[] = u"連想心理題目.txt";

    frmG5(const Services &services, ProgramState &state, QWidget *parent = nullptr);

    static GameDefinition definition();

    void cboMondai_Click();
    void optRendata_Click();
    void optRendata2_Click();
    void cmdStart2_Click();
    void cmdSyousai_Click();
    void cboMondai2_Click();
    void cmdRenClr_Click();
    void cmdModoru_Click();
    void msgRireki_Click();

protected:
    QString helpText() const override;
    void loaded() override;
    bool canStart() override;
    void resetQuestion() override;
    void firstQuestion() override;
    void answer(const QString &typed) override;
    void showCounts() override;
    void playEnded() override;
    QString historyCell(int column, const QString &field) const override;
    HistoryRow historyFields(const PlayResult &play) const override;
    QString recordText(const PlayResult &play) const override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString topic() const;
    QString topicFile(const QString &name) const;
    // The lines of a topic's file, created empty when it is missing.
    QStringList answersOf(const QString &topic) const;
    std::vector<QStringList> logOf(const QString &topic) const;
    void fillExisting(const QString &topic);
    void openPanel(const QString &topic);

    bool m_drawTopic = true;
    QStringList m_existing;
    QStringList m_thisPlay;
    int m_playOfTheDay = 1;
    qint64 m_new = 0;
    qint64 m_existingCount = 0;
    qint64 m_duplicates = 0;

    QComboBox *cboMondai = nullptr;
    QPushButton *cmdStart2 = nullptr;
    QPushButton *cmdSyousai = nullptr;
    QRadioButton *optRendata = nullptr;
    QRadioButton *optRendata2 = nullptr;
    QListWidget *lstRenData = nullptr;
    Grid *msgRireki2 = nullptr;
    QLabel *lblChu = nullptr;
    QGroupBox *fraRireki = nullptr;
    QComboBox *cboMondai2 = nullptr;
    QListWidget *lstRendata2 = nullptr;
    Grid *msgRireki3 = nullptr;
    QPushButton *cmdRenClr = nullptr;
    QPushButton *cmdModoru = nullptr;
};

} // namespace kotohana
