#include "DictionaryPanel.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QListView>
#include <QListWidget>
#include <QStringListModel>
#include <QVBoxLayout>

namespace kotohana {

DictionaryPanel::DictionaryPanel(Captions captions, QWidget *parent)
    : QWidget(parent)
    , m_captions(std::move(captions))
{
    fraJisyo = new QGroupBox(this);
    fraJisyo->setObjectName(QStringLiteral("fraJisyo"));
    fraJisyo->setToolTip(m_captions.listingTip);
    // The listing is a view over the dictionary's words themselves: a hundred thousand of
    // them are shown without an item made for each.
    m_listing = new QStringListModel(this);
    lstJisyo = new QListView(fraJisyo);
    lstJisyo->setObjectName(QStringLiteral("lstJisyo"));
    lstJisyo->setAccessibleName(m_captions.listing.trimmed());
    lstJisyo->setModel(m_listing);
    lstJisyo->setEditTriggers(QAbstractItemView::NoEditTriggers);
    (new QVBoxLayout(fraJisyo))->addWidget(lstJisyo);
    fraRireki = new QGroupBox(m_captions.chain, this);
    fraRireki->setObjectName(QString::fromLatin1(m_captions.chainFrame));
    fraRireki->setToolTip(m_captions.chainTip);
    lstRireki = new QListWidget(fraRireki);
    lstRireki->setObjectName(QStringLiteral("lstRireki"));
    lstRireki->setAccessibleName(m_captions.chain);
    (new QVBoxLayout(fraRireki))->addWidget(lstRireki);
    // Every entry of both lists is one line of the list's font. Laid out as one size, a
    // dictionary of a hundred thousand words is listed without measuring each word, and a
    // word added to the play's list does not have all the others measured again; an entry
    // wider than its list ends in "…".
    for (QListView *list : {lstJisyo, static_cast<QListView *>(lstRireki)})
        list->setUniformItemSizes(true);
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
    m_listing->setStringList(entries);
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
    // The listing under the play's list is out of sight: out of the Tab order and not
    // reported to assistive tools as showing.
    fraRireki->show();
    fraJisyo->hide();
}

void DictionaryPanel::fraRireki_Click()
{
    fraJisyo->show();
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
