#include "DictionaryPanel.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QListWidget>
#include <QVBoxLayout>

namespace kotohana {

DictionaryPanel::DictionaryPanel(Captions captions, QWidget *parent)
    : QWidget(parent)
    , m_captions(std::move(captions))
{
    fraJisyo = new QGroupBox(this);
    fraJisyo->setObjectName(QStringLiteral("fraJisyo"));
    fraJisyo->setToolTip(m_captions.listingTip);
    lstJisyo = new QListWidget(fraJisyo);
    lstJisyo->setObjectName(QStringLiteral("lstJisyo"));
    (new QVBoxLayout(fraJisyo))->addWidget(lstJisyo);
    fraRireki = new QGroupBox(m_captions.chain, this);
    fraRireki->setObjectName(QString::fromLatin1(m_captions.chainFrame));
    fraRireki->setToolTip(m_captions.chainTip);
    lstRireki = new QListWidget(fraRireki);
    lstRireki->setObjectName(QStringLiteral("lstRireki"));
    (new QVBoxLayout(fraRireki))->addWidget(lstRireki);
    // The play's list lies over the listing and hides it whole, titles included.
    fraRireki->setAutoFillBackground(true);
    fraRireki->hide();
    for (QGroupBox *frame : {fraJisyo, fraRireki})
        frame->installEventFilter(this);

    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(fraJisyo, 0, 0);
    layout->addWidget(fraRireki, 0, 0);
    setFixedWidth(260);
}

void DictionaryPanel::showListing(const QStringList &entries, qint64 count)
{
    lstJisyo->clear();
    lstJisyo->addItems(entries);
    setCount(count);
}

void DictionaryPanel::setCount(qint64 count)
{
    fraJisyo->setTitle(m_captions.listing + QString::number(count) + QStringLiteral("個"));
}

void DictionaryPanel::startChain()
{
    lstRireki->clear();
    fraJisyo_Click();
}

void DictionaryPanel::addToChain(const QString &text)
{
    lstRireki->addItem(text);
    lstRireki->scrollToBottom();
}

void DictionaryPanel::fraJisyo_Click()
{
    fraRireki->show();
}

void DictionaryPanel::fraRireki_Click()
{
    fraRireki->hide();
}

bool DictionaryPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == fraJisyo)
            fraJisyo_Click();
        else if (watched == fraRireki)
            fraRireki_Click();
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace kotohana
