#include "TopicPanel.h"

#include "RensouRules.h"
#include "TopicFiles.h"

#include "platform/MessageBoxes.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>

namespace kotohana {

void setAnswerColumns(Grid &grid, int fontSize, std::initializer_list<AnswerColumn> columns)
{
    grid.setRows(1);
    grid.setCols(int(columns.size()));
    grid.setFontSize(fontSize);
    int c = 0;
    for (const auto &[heading, twips, align] : columns) {
        grid.setTextMatrix(0, c, QString::fromUtf16(heading));
        grid.setColWidth(c, twips);
        grid.setColAlignment(c, align);
        grid.setFixedAlignment(c, Grid::Align::Center);
        ++c;
    }
}

TopicPanel::TopicPanel(const DataFolder &folder, MessageBoxes &messages, QWidget *playArea)
    : QGroupBox(QStringLiteral("問題ごとの履歴"), playArea)
    , m_folder(folder)
    , m_messages(messages)
{
    setObjectName(QStringLiteral("fraRireki"));
    setAutoFillBackground(true);
    cboMondai2 = new QComboBox(this);
    cboMondai2->setObjectName(QStringLiteral("cboMondai2"));
    cboMondai2->setAccessibleName(QStringLiteral("履歴を見る問題"));
    lstRendata2 = new QListWidget(this);
    lstRendata2->setObjectName(QStringLiteral("lstRendata2"));
    lstRendata2->setAccessibleName(QStringLiteral("この問題の回答一覧"));
    msgRireki3 = new Grid(this);
    msgRireki3->setObjectName(QStringLiteral("msgRireki3"));
    msgRireki3->setAccessibleName(QStringLiteral("この問題の回答履歴"));
    cmdRenClr = new QPushButton(QStringLiteral("履歴削除"), this);
    cmdRenClr->setObjectName(QStringLiteral("cmdRenClr"));
    cmdModoru = new QPushButton(QStringLiteral("戻る"), this);
    cmdModoru->setObjectName(QStringLiteral("cmdModoru"));
    // The buttons beside the topic leave the lists all the height there is.
    auto *layout = new QGridLayout(this);
    auto *topicRow = new QHBoxLayout;
    topicRow->addWidget(cboMondai2, 1);
    topicRow->addWidget(cmdRenClr);
    topicRow->addWidget(cmdModoru);
    layout->addLayout(topicRow, 0, 0, 1, 2);
    layout->addWidget(lstRendata2, 1, 0);
    layout->addWidget(msgRireki3, 1, 1);
    layout->setColumnStretch(1, 3);
    hide();
    // The panel lies over the whole play area, outside its layout, and follows its size.
    playArea->installEventFilter(this);

    connect(cboMondai2, &QComboBox::activated, this, &TopicPanel::cboMondai2_Click);
    connect(cmdRenClr, &QPushButton::clicked, this, &TopicPanel::cmdRenClr_Click);
    connect(cmdModoru, &QPushButton::clicked, this, &TopicPanel::cmdModoru_Click);
}

void TopicPanel::setTopics(const QStringList &topics)
{
    cboMondai2->clear();
    cboMondai2->addItems(topics);
}

void TopicPanel::open(const QString &topic)
{
    cboMondai2->setCurrentText(topic);
    const TopicFiles::Contents contents = TopicFiles(m_folder, topic).open();
    if (!contents.ok())
        m_messages.critical(contents.failure, RensouRules::game().name());
    lstRendata2->clear();
    lstRendata2->addItems(contents.answers);
    setAnswerColumns(*msgRireki3, 11,
                     {{u"回", 600, Grid::Align::Right},
                      {u"日付", 1360, Grid::Align::Right},
                      {u"時間", 960, Grid::Align::Right},
                      {u"日回", 560, Grid::Align::Right},
                      {u"回答", 2330, Grid::Align::Left}});
    msgRireki3->setRows(int(contents.log.size()) + 1);
    int row = 1;
    for (const QStringList &entry : contents.log) {
        msgRireki3->setTextMatrix(row, 0, QString::number(row));
        for (int c = 0; c < entry.size(); ++c)
            msgRireki3->setTextMatrix(row, c + 1, entry[c]);
        ++row;
    }
    // The newest answers in view, as every list opens.
    msgRireki3->setTopRow(msgRireki3->rows() - 1);
    setGeometry(parentWidget()->rect());
    show();
    raise();
}

void TopicPanel::cboMondai2_Click()
{
    open(cboMondai2->currentText());
}

void TopicPanel::cmdRenClr_Click()
{
    const QString topic = cboMondai2->currentText();
    if (topic.isEmpty()
        || !m_messages.confirm(topic + QStringLiteral("のデータをクリアします。よろしいですか？"), QStringLiteral("クリア確認")))
        return;
    const FileResult cleared = TopicFiles(m_folder, topic).clear();
    if (!cleared.ok())
        m_messages.critical(cleared.message, RensouRules::game().name());
    msgRireki3->setRows(1);
    lstRendata2->clear();
}

void TopicPanel::cmdModoru_Click()
{
    if (lstRendata2->count() == 0)
        Q_EMIT answersEmptied();
    hide();
}

void TopicPanel::fraRireki_Click()
{
    hide();
}

void TopicPanel::mousePressEvent(QMouseEvent *event)
{
    fraRireki_Click();
    QGroupBox::mousePressEvent(event);
}

void TopicPanel::setVisible(bool visible)
{
    const bool covering = visible && m_covered.empty();
    if (covering) {
        QWidget *focused = window()->focusWidget();
        m_focusBack = focused && parentWidget()->isAncestorOf(focused) && !isAncestorOf(focused) ? focused : nullptr;
        for (QWidget *control : parentWidget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (control == this || control->isHidden())
                continue;
            QSizePolicy keepRoom = control->sizePolicy();
            keepRoom.setRetainSizeWhenHidden(true);
            control->setSizePolicy(keepRoom);
            control->hide();
            m_covered.emplace_back(control);
        }
    }
    const bool focusInside = isAncestorOf(window()->focusWidget());
    QGroupBox::setVisible(visible);
    if (covering && m_focusBack)
        cboMondai2->setFocus();
    if (visible)
        return;
    for (const QPointer<QWidget> &control : m_covered) {
        if (control)
            control->show();
    }
    m_covered.clear();
    if (focusInside && m_focusBack)
        m_focusBack->setFocus();
}

bool TopicPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QGroupBox::eventFilter(watched, event);
}

} // namespace kotohana
