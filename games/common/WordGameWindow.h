#pragma once

#include "GameWindow.h"

#include <QLabel>
#include <QStringList>

class QGroupBox;
class QLineEdit;
class QListWidget;

namespace kotohana {

// The word games' window: a question, one answer box answered with Enter, the list of this
// play's words over the listing of the game's dictionary, and typed characters as the speed
// count.
class WordGameWindow : public GameWindow
{
    Q_OBJECT

public:
    struct Layout {
        QString dictionaryFile;   // the game's dictionary in the data folder; empty for none
        QString listingCaption;   // "覚えた言葉 ", "登録ワード一覧 " ...
        const char *chainFrame;   // object name of the frame over the listing
        QString chainCaption;     // its caption
        QString listingTip;       // "click here for the play's words"
        QString chainTip;         // "click here for the dictionary"
        bool hint = false;        // a "　問題" label that shows the answer
    };

    WordGameWindow(const Services &services, ProgramState &state, GameDefinition definition, Layout layout,
                   QWidget *parent = nullptr);

    // The history most word games keep: a count (answers, or the dictionary's size), correct,
    // wrong, characters, rate, speed and seconds, and with a level list the level's first
    // character. Their lists show those fields under these columns, and chart them so.
    static HistoryLayout wordHistory(bool withLevel, std::vector<int> answersFields);
    static std::vector<GameDefinition::Column> wordColumns(const QString &countHeading, const QString &secondsHeading);
    static std::vector<GameDefinition::Column> levelColumns();
    static std::vector<GameDefinition::ChartButton> wordCharts(const QString &charactersCaption,
                                                               const QString &countCaption);

    void txtKaitou_KeyPress(int key);
    void fraJisyo_Click();
    void fraRireki_Click();

protected:
    // Enter with a word while a play runs.
    virtual void answer(const QString &typed) = 0;
    // Esc while a play runs (and a click on "　問題"); nothing by default.
    virtual void reveal() {}
    // Esc while no play runs: the box is cleared and the focus goes to "スタート" by default.
    virtual void escapeOutsidePlay();

    qint64 speedCount() const override { return m_typed; }
    // The fields of wordHistory() for a play.
    HistoryRow wordFields(const PlayResult &play, const QString &count, bool withLevel) const;

    // The dictionary's entries, one list field each, in file order. A missing or empty file is
    // written anew from the delivered words first, and the user is told.
    QStringList readDictionary() { return readDeliveredList(m_layout.dictionaryFile); }
    // The same for any list file the program is delivered with.
    QStringList readDeliveredList(const QString &fileName);
    // Lists the dictionary in its frame, with the count in the caption.
    void showListing(const QStringList &entries, qint64 count);
    void setListingCaption(qint64 count);

    QLabel *question() const { return lblMondai; }
    QLineEdit *answerBox() const { return txtKaitou; }
    QListWidget *chain() const { return lstRireki; }
    void showChain();
    void resetTyped() { m_typed = 0; }
    void addTyped(qint64 characters) { m_typed += characters; }
    qint64 typed() const { return m_typed; }

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Layout m_layout;
    qint64 m_typed = 0;
    QLabel *lblMondai = nullptr;
    QLineEdit *txtKaitou = nullptr;
    QLabel *lblHint = nullptr;
    QGroupBox *fraJisyo = nullptr;
    QGroupBox *fraRireki = nullptr;
    QListWidget *lstJisyo = nullptr;
    QListWidget *lstRireki = nullptr;
};

} // namespace kotohana
