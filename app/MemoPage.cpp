#include "MemoPage.h"

#include "RecordLists.h"
#include "SaveMessages.h"

#include "platform/DataFolder.h"
#include "platform/ListFormat.h"
#include "platform/MessageBoxes.h"
#include "records/Memo.h"
#include "records/Services.h"
#include "ui/Grid.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kotohana {

MemoPage::MemoPage(const Services &services, QWidget *parent)
    : QFrame(parent)
    , m_services(services)
{
    setObjectName(QStringLiteral("fraMemo"));

    auto *memoCaption = new QLabel(QStringLiteral("メモ"), this);
    QFont captionFont = memoCaption->font();
    captionFont.setBold(true);
    captionFont.setPointSize(11);
    memoCaption->setFont(captionFont);
    txtKizuki = new QPlainTextEdit(this);
    txtKizuki->setObjectName(QStringLiteral("txtKizuki"));
    txtKizuki->setAccessibleName(QStringLiteral("メモ"));
    txtKizuki->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtKizuki->setMaximumHeight(170);
    // Tab moves on to the diary list, as everywhere else; Ctrl+Tab writes a tab into the memo.
    txtKizuki->setTabChangesFocus(true);
    txtKizuki->installEventFilter(this);
    cmdKizukiHozon = new QPushButton(QStringLiteral("メモ保存"), this);
    cmdKizukiHozon->setObjectName(QStringLiteral("cmdKizukiHozon"));

    auto *diaryCaption = new QLabel(QStringLiteral("一言日記"), this);
    diaryCaption->setFont(captionFont);
    msgMemoList = new Grid(this);
    msgMemoList->setObjectName(QStringLiteral("msgMemoList"));
    msgMemoList->setAccessibleName(QStringLiteral("一言日記の一覧"));

    auto *entryCaption = new QLabel(QStringLiteral("一言入力欄 →"), this);
    txtMemo = new QLineEdit(this);
    txtMemo->setObjectName(QStringLiteral("txtMemo"));
    txtMemo->setAccessibleName(QStringLiteral("一言入力欄"));
    cmdMemoHozon = new QPushButton(QStringLiteral("一言日記保存"), this);
    cmdMemoHozon->setObjectName(QStringLiteral("cmdMemoHozon"));

    auto *memoRow = new QHBoxLayout;
    memoRow->addWidget(memoCaption);
    memoRow->addStretch(1);
    memoRow->addWidget(cmdKizukiHozon);
    auto *entryRow = new QHBoxLayout;
    entryRow->addWidget(entryCaption);
    entryRow->addWidget(txtMemo, 1);
    entryRow->addWidget(cmdMemoHozon);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(memoRow);
    layout->addWidget(txtKizuki);
    layout->addSpacing(8);
    layout->addWidget(diaryCaption);
    layout->addWidget(msgMemoList, 1);
    layout->addLayout(entryRow);

    // Tab goes in reading order: メモ保存 stands above the memo, the diary list below it.
    setTabOrder(cmdKizukiHozon, txtKizuki);
    setTabOrder(txtKizuki, msgMemoList);
    setTabOrder(msgMemoList, txtMemo);
    setTabOrder(txtMemo, cmdMemoHozon);

    connect(cmdKizukiHozon, &QPushButton::clicked, this, &MemoPage::cmdKizukiHozon_Click);
    connect(msgMemoList, &Grid::clicked, this, &MemoPage::msgMemoList_Click);
    connect(cmdMemoHozon, &QPushButton::clicked, this, &MemoPage::cmdMemoHozon_Click);
    // Enter in the diary box saves, once a play has been picked to write it for.
    connect(txtMemo, &QLineEdit::returnPressed, this, [this] {
        if (cmdMemoHozon->isEnabled())
            cmdMemoHozon_Click();
    });
}

bool MemoPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtKizuki && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Tab && key->modifiers() == Qt::ControlModifier) {
            txtKizuki->insertPlainText(QStringLiteral("\t"));
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

QString MemoPage::readMemo(const Services &services)
{
    const Memo::Loaded memo = Memo::load(services.folder);
    if (!memo.ok)
        services.messages.critical(memo.message, QStringLiteral("メモ"));
    QString text = memo.text;
    text.replace(QLatin1StringView("\r\n"), QLatin1StringView("\n"));
    return text;
}

void MemoPage::LoadMemo()
{
    txtKizuki->setPlainText(readMemo(m_services));
    m_savedMemo = txtKizuki->toPlainText();
}

void MemoPage::cmdKizukiHozon_Click()
{
    saveMemo();
}

bool MemoPage::saveMemo()
{
    const QString text = txtKizuki->toPlainText();
    if (!SaveMessages::checkStorable(m_services.messages, text))
        return false;
    if (!SaveMessages::report(m_services.messages, Memo::save(m_services.folder, text)))
        return false;
    m_savedMemo = text;
    return true;
}

bool MemoPage::settleMemo()
{
    if (txtKizuki->toPlainText() == m_savedMemo)
        return true;
    switch (m_services.messages.askToSave(QStringLiteral("メモが変更されています。保存しますか？"), QStringLiteral("メモ"))) {
    case MessageBoxes::SaveChoice::Save:
        return saveMemo();
    case MessageBoxes::SaveChoice::Discard:
        LoadMemo();
        return true;
    case MessageBoxes::SaveChoice::Cancel:
        break;
    }
    return false;
}

void MemoPage::prepare()
{
    SetupDiaryList();
    FillDiaryList();
    m_selectedRow = 0;
    cmdMemoHozon->setEnabled(false);
}

void MemoPage::SetupDiaryList()
{
    RecordLists::setup(*msgMemoList, 9, {570, 1140, 870, 1850, 650, 6000});
}

void MemoPage::FillDiaryList()
{
    RecordLists::load(*msgMemoList, m_services, 16);
}

void MemoPage::msgMemoList_Click()
{
    if (msgMemoList->rows() <= 1 || msgMemoList->headingClicked())
        return; // a heading is not a play
    msgMemoList->setCol(5);
    txtMemo->setText(msgMemoList->text());
    m_selectedRow = msgMemoList->row();
    cmdMemoHozon->setEnabled(true);
    txtMemo->setFocus();
}

void MemoPage::cmdMemoHozon_Click()
{
    if (m_selectedRow < 1 || m_selectedRow >= msgMemoList->rows())
        return;
    if (!SaveMessages::checkStorable(m_services.messages, txtMemo->text()))
        return;
    // A double quote would end the record's text field early; the full-width one keeps it whole.
    const QString text = ListFormat::quotableText(txtMemo->text());
    if (text != txtMemo->text())
        txtMemo->setText(text);

    m_selectedRow = RecordLists::change(*msgMemoList, m_services, m_selectedRow, text);
    if (m_selectedRow == 0) {
        cmdMemoHozon->setEnabled(false);
        return;
    }
    msgMemoList->setRow(m_selectedRow);
    msgMemoList->setCol(5);
}

} // namespace kotohana
