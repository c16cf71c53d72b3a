#pragma once

#include "records/Services.h"
#include "ui/WatchedMessageBoxes.h"

#include <QDate>
#include <QWidget>

#include <utility>
#include <vector>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QKeySequence;
class QToolButton;
class QFrame;
class QPushButton;

namespace kotohana {

class AllGraphPage;
class CalendarPage;
class EditPage;
class HelpWindows;
class MemoPage;
class RangePage;
class SortPage;
class TodayPage;
class TotalsPage;
struct ProgramState;

// The main window: a column of menu buttons, eight pages of which one shows at a time, and
// the launcher overlay. It is built anew each time it is opened (after a game, say), so it
// keeps nothing that must outlive it: shared values live in ProgramState.
class frmMain final : public QWidget
{
    Q_OBJECT

public:
    frmMain(const Services &services, ProgramState &state, HelpWindows &help, QWidget *parent = nullptr);

    void Form_Load();
    // A backup took the data files' place: the window shows what they hold now.
    void dataRestored();
    void HideAllFrames();

    void cmdMain_Click();
    void cmdGame_Click();
    void cmdModori_Click();
    void cmdG_Click(int game);
    void cmdSettei_Click();
    void cmdMemo_Click();
    void cmdCale_Click();
    void cmdBunseki_Click();
    void cmdSyuukei_Click();
    void cmdTaijyu_Click();
    void cmdRentai_Click();
    void cmdOwari_Click();
    void cmdHelp_Click();
    void chkHelp_Click();
    void SetWindowTitle();
    // The date changed while the window is open: the main page follows to the new day when it
    // showed the old one.
    void dayChanged(QDate before, QDate today);
    // Shows the day on the main page, picked on another page.
    void showDay(QDate day);

    static QString welcomeText();

Q_SIGNALS:
    // The user ended the program.
    void programEnd();
    // A game of the launcher was picked: its window takes this one's place.
    void gameChosen(int game);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    // Closing the window (its close box, 終了, or a game taking its place) first settles an
    // unsaved memo; the user may stay.
    void closeEvent(QCloseEvent *event) override;

private:
    QPushButton *addMenuButton(const char *name, const QString &caption, const QString &toolTip, const QKeySequence &key);
    void placePage(QFrame *page);
    void buildMenu();
    void buildPages();
    void buildLauncher();
    // Shows what the data files hold: the user name in the title, today's view, the memo and
    // the help-tour switch.
    void readDataFiles();
    void fillLauncher();
    // Presses the menu button of what is in view, the launcher or a page, and only that one.
    void markShownPage();
    // Closes the launcher, showing again the page it covered.
    void uncoverPage();
    // The page, built and placed on first use.
    template <typename Page, typename... More>
    Page *built(Page *&page, More &...more);
    EditPage *editPage();
    MemoPage *memoPage();
    // Whether the memo may be left: saved, unchanged, or given up by the user.
    bool memoSettled();
    // The page switch of every menu button: nothing when the page already shows; otherwise
    // hide all pages, show this one, let it paint, then explain it when the help tour is on.
    void switchPage(QFrame *page, const std::function<void()> &fill, const QString &helpTourMessage);

    // The services with this window's own message boxes, counted while they are open.
    WatchedMessageBoxes m_boxes;
    const Services m_services;
    // A game chosen while a box of a handler was open: it opens once that handler is done.
    int m_gameDue = 0;
    ProgramState &m_state;
    HelpWindows &m_help;
    bool m_loading = false;

    QWidget *m_menu = nullptr;
    QWidget *m_pageArea = nullptr;
    RangePage *fraTaijyu = nullptr;
    SortPage *fraBunseki = nullptr;
    AllGraphPage *fraRenTai = nullptr;
    TodayPage *fraMain = nullptr;
    EditPage *fraSettei = nullptr;
    CalendarPage *fraCale = nullptr;
    MemoPage *fraMemo = nullptr;
    TotalsPage *fraSyuukei = nullptr;
    QFrame *fraGame = nullptr;
    QFrame *m_coveredPage = nullptr; // the page the launcher lies over while it shows
    std::vector<QToolButton *> m_tiles; // the launcher's games, in their order
    std::vector<QFrame *> m_pages; // the pages built so far
    std::vector<std::pair<QPushButton *, QString>> m_pageButtons; // menu button, its page's name
    QButtonGroup *m_marks = nullptr; // the menu buttons of which one is pressed

    QPushButton *cmdGame = nullptr;
    QPushButton *cmdMain = nullptr;
    QCheckBox *chkHelp = nullptr;
};

} // namespace kotohana
