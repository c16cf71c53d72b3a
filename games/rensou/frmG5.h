#pragma once

#include "games/common/WordGameWindow.h"

class QComboBox;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace kotohana {

class Grid;
class TopicPanel;

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
    void msgRireki_Click();

protected:
    void loaded() override;
    PlaySetup startSetup() override;
    std::unique_ptr<Play> makePlay(const PlaySetup &setup) override;
    void resetQuestion() override;
    void firstQuestion() override;
    void answer(const QString &typed) override;
    void showCounts() override;
    void playEnded() override;

private:
    QString topic() const;
    // The topic list without the topics whose files could not be the topic's own.
    QStringList offeredTopics();
    // Shows the topic's answers, its files made ready first.
    void fillExisting(const QString &topic);
    // During a countdown and a play the topic is the play's: it cannot be changed.
    void lockTopic(bool locked);

    QComboBox *cboMondai = nullptr;
    QPushButton *cmdStart2 = nullptr;
    QPushButton *cmdSyousai = nullptr;
    QRadioButton *optRendata = nullptr;
    QRadioButton *optRendata2 = nullptr;
    QListWidget *lstRenData = nullptr;
    Grid *msgRireki2 = nullptr;
    QLabel *lblChu = nullptr;
    TopicPanel *m_panel = nullptr;
};

} // namespace kotohana
