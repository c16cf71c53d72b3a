#pragma once

#include "ui/Grid.h"

#include <QGroupBox>
#include <QPointer>
#include <QStringList>

#include <initializer_list>
#include <tuple>
#include <vector>

class QComboBox;
class QListWidget;
class QPushButton;

namespace kotohana {

class DataFolder;
class MessageBoxes;

// The headings (centred), widths in twips and alignments of a list of answers.
using AnswerColumn = std::tuple<const char16_t *, int, Grid::Align>;
void setAnswerColumns(Grid &grid, int fontSize, std::initializer_list<AnswerColumn> columns);

// The panel "問題ごとの履歴" over the play area: a topic's answers and the log of every answer
// given to it, with "履歴削除" to start the topic afresh. It can be opened at any time; what
// it deletes leaves a running play as it is.
class TopicPanel final : public QGroupBox
{
    Q_OBJECT

public:
    TopicPanel(const DataFolder &folder, MessageBoxes &messages, QWidget *playArea);

    void setTopics(const QStringList &topics);
    // Shows the topic's files, made ready first, over the whole play area.
    void open(const QString &topic);

    void cboMondai2_Click();
    void cmdRenClr_Click();
    void cmdModoru_Click();
    void fraRireki_Click();

    // Shown, the panel hides the controls it covers, each keeping its room, so that neither Tab
    // nor a screen reader reaches what is out of sight; hidden, it brings them back.
    void setVisible(bool visible) override;

Q_SIGNALS:
    // "戻る" left the topic with no answers: the list of existing answers empties too.
    void answersEmptied();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    const DataFolder &m_folder;
    MessageBoxes &m_messages;
    QComboBox *cboMondai2 = nullptr;
    QListWidget *lstRendata2 = nullptr;
    Grid *msgRireki3 = nullptr;
    QPushButton *cmdRenClr = nullptr;
    QPushButton *cmdModoru = nullptr;
    std::vector<QPointer<QWidget>> m_covered;
    QPointer<QWidget> m_focusBack; // a covered control that had the focus
};

} // namespace kotohana
