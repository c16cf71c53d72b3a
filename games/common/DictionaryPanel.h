#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

class QGroupBox;
class QListView;
class QListWidget;
class QStringListModel;

namespace kotohana {

// The side panel of the dictionary games (しりとり, バラバラ, 四熟虫喰): the listing of the
// dictionary, and over it the list of this play's words. A click on a frame switches between
// them.
class DictionaryPanel final : public QWidget
{
    Q_OBJECT

public:
    struct Captions {
        QString listing; // "覚えた言葉 ": the count and "個" follow
        const char *chainFrame; // object name of the frame over the listing
        QString chain; // its caption
        QString listingTip; // "click here for the play's words"
        QString chainTip; // "click here for the dictionary"
    };

    DictionaryPanel(Captions captions, QWidget *parent = nullptr);

    // Lists the dictionary, with count in the caption.
    void showListing(const QStringList &entries, qint64 count);
    void setCount(qint64 count);

    // The play's words: emptied and shown at the start of a play.
    void startChain();
    void addToChain(const QString &text);

    void fraJisyo_Click();
    void fraRireki_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Captions m_captions;
    QGroupBox *fraJisyo = nullptr;
    QGroupBox *fraRireki = nullptr;
    QStringListModel *m_listing = nullptr;
    QListView *lstJisyo = nullptr;
    QListWidget *lstRireki = nullptr;
};

} // namespace kotohana
