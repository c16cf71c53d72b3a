#include "frmMain.h"

#include "AllGraphPage.h"
#include "CalendarPage.h"
#include "EditPage.h"
#include "Games.h"
#include "HelpTour.h"
#include "MemoPage.h"
#include "RangePage.h"
#include "SaveMessages.h"
#include "SortPage.h"
#include "TodayPage.h"
#include "TotalsPage.h"

#include "games/common/ProgramState.h"
#include "platform/Clock.h"
#include "platform/MessageBoxes.h"
#include "records/MainSettings.h"
#include "ui/Grid.h"
#include "ui/HelpWindows.h"
#include "ui/Keys.h"
#include "ui/Picture.h"
#include "ui/ScreenFit.h"
#include "ui/Theme.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPushButton>
#include <QSet>
#include <QShortcut>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace kotohana {
namespace {

constexpr int kMenuWidth = 150;
// The launcher shows its games four to a row.
constexpr int kTilesInRow = 4;

// The menu column's and the launcher's looks, each set on its own frame: the pages keep the
// plain style, which paints faster than one going through style rules.
const char *const kMenuStyle = R"(
#fraMenu { background: {menuBack}; border-right: 1px solid {menuEdge}; }
#fraMenu QPushButton {
    min-height: 30px; padding: 2px 8px; border: 1px solid {menuButtonEdge}; border-radius: 5px;
    background: {menuButton}; color: {menuText}; text-align: center;
}
#fraMenu QPushButton:hover { background: {menuHover}; border-color: {menuFocus}; }
#fraMenu QPushButton:pressed { background: {menuPressed}; }
#fraMenu QPushButton:checked { background: {menuChecked}; border: 2px solid {menuCheckedEdge}; color: {menuCheckedText}; font-weight: bold; }
#fraMenu QPushButton:focus { border: 2px solid {menuFocus}; }
#fraMenu QPushButton:disabled { color: {menuDisabledText}; background: {menuDisabled}; }
#cmdGame { background: {gameButton}; border-color: {gameButtonEdge}; font-weight: bold; min-height: 40px; }
#cmdGame:hover { background: {gameHover}; }
#cmdOwari { background: {quitButton}; border-color: {quitEdge}; }
#lblAppTitle { font-size: 20pt; font-weight: bold; color: {title}; padding: 8px 0 10px 0; }
)";

const char *const kLauncherStyle = R"(
#fraGame { background: {launcherBack}; border: 1px solid {launcherEdge}; }
#fraGame QToolButton { border: 1px solid {launcherEdge}; border-radius: 8px; background: {tile}; color: {tileText}; padding: 6px; font-size: 12pt; font-weight: bold; }
#fraGame QToolButton:hover { background: {tileHover}; border-color: {gameButtonEdge}; }
#fraGame QToolButton:focus { background: {tileFocus}; border: 3px solid {tileFocusEdge}; }
#fraGame QToolButton:disabled { color: {tileDisabledText}; background: {tileDisabled}; }
#lblLauncherTitle { font-size: 16pt; font-weight: bold; color: {launcherTitle}; }
)";

void loadFontsOf(QWidget &part)
{
    // A font is found and loaded the first time a text is measured or drawn in it, a few ms
    // each. Those of what shows first are loaded here, while the record file is still being
    // read on the first start, instead of when the window first paints.
    part.ensurePolished();
    QSet<QString> loaded;
    const auto load = [&loaded](const QFont &font) {
        if (!loaded.contains(font.key())) {
            loaded.insert(font.key());
            QFontMetrics(font).horizontalAdvance(QStringLiteral("日あア0"));
        }
    };
    load(part.font());
    for (const QWidget *widget : part.findChildren<QWidget *>())
        load(widget->font());
}

} // namespace

frmMain::frmMain(const Services &services, ProgramState &state, HelpWindows &help, QWidget *parent)
    : QWidget(parent)
    , m_boxes(services.messages,
              [this] {
                  if (m_gameDue != 0)
                      QMetaObject::invokeMethod(
                          this, [this] { cmdG_Click(std::exchange(m_gameDue, 0)); }, Qt::QueuedConnection);
              })
    , m_services{services.clock, services.random, m_boxes, services.folder, services.records}
    , m_state(state)
    , m_help(help)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("コトハナ"));
    resize(1120, 740);
    // The smallest size shows every page whole: the range page's three filter boxes side by
    // side, the calendar's list and the main page's two lists without scrolling sideways.
    setMinimumSize(1100, 620);
    showFocusAlways(*this);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildMenu();
    layout->addWidget(m_menu);
    buildPages();
    layout->addWidget(m_pageArea, 1);
}

QPushButton *frmMain::addMenuButton(const char *name, const QString &caption, const QString &toolTip, const QKeySequence &key)
{
    auto *button = new QPushButton(caption, m_menu);
    button->setObjectName(QString::fromLatin1(name));
    // The key is the button's own: it works wherever the focus is in the window, and the
    // button's tip names it, so the captions stay as they are.
    button->setShortcut(key);
    button->setToolTip(QStringLiteral("%1（%2）").arg(toolTip, key.toString(QKeySequence::NativeText)));
    m_menu->layout()->addWidget(button);
    return button;
}

void frmMain::buildMenu()
{
    m_menu = new QFrame(this);
    m_menu->setObjectName(QStringLiteral("fraMenu"));
    m_menu->setStyleSheet(themedStyleSheet(kMenuStyle));
    // The menu and the launcher take the desktop's light or dark look as it changes.
    connect(&themeWatcher(), &ThemeWatcher::lookChanged, this, [this] {
        m_menu->setStyleSheet(themedStyleSheet(kMenuStyle));
        if (fraGame)
            fraGame->setStyleSheet(themedStyleSheet(kLauncherStyle));
    });
    m_menu->setFixedWidth(kMenuWidth);
    auto *column = new QVBoxLayout(m_menu);
    column->setContentsMargins(12, 8, 12, 12);
    column->setSpacing(6);

    auto *title = new QLabel(QStringLiteral("コトハナ"), m_menu);
    title->setObjectName(QStringLiteral("lblAppTitle"));
    title->setAlignment(Qt::AlignCenter);
    column->addWidget(title);

    // The menu marks what is on screen: the launcher or one page, its button pressed. The
    // buttons act when they become pressed, however that happens: a click, their key, the
    // space bar or an assistive tool's "toggle" alike; a pressed button does nothing.
    m_marks = new QButtonGroup(this);
    m_marks->setExclusive(true);
    const auto addMarked = [this](QPushButton *button, const char *shows, void (frmMain::*handler)()) {
        button->setCheckable(true);
        // One choice among the menu's pages: a screen reader reads such a button as a radio
        // button, the pressed one marked, not as a check box of its own.
        button->setAutoExclusive(true);
        m_marks->addButton(button);
        m_pageButtons.emplace_back(button, QString::fromLatin1(shows));
        connect(button, &QPushButton::toggled, this, [this, handler](bool pressed) {
            if (!pressed)
                return;
            (this->*handler)();
            markShownPage();
        });
    };

    cmdGame = addMenuButton("cmdGame", QStringLiteral("ゲーム"), QStringLiteral("メイン画面を表示します"),
                            QKeySequence(Qt::CTRL | Qt::Key_G));
    addMarked(cmdGame, "fraGame", &frmMain::cmdGame_Click);
    column->addSpacing(8);
    struct PageEntry {
        const char *name;
        const char *caption;
        const char *toolTip;
        const char *page;
        void (frmMain::*handler)();
    };
    const PageEntry pages[] = {
        {"cmdMain", "メイン", "メイン画面を表示します", "fraMain", &frmMain::cmdMain_Click},
        {"cmdTaijyu", "範囲指定", "表示条件を指定できます", "fraTaijyu", &frmMain::cmdTaijyu_Click},
        {"cmdRentai", "全グラフ", "現在までの全グラフを表示します", "fraRenTai", &frmMain::cmdRentai_Click},
        {"cmdCale", "カレンダー", "実施状況把握カレンダーを表示します", "fraCale", &frmMain::cmdCale_Click},
        {"cmdBunseki", "並び替え", "データを並び替えて表示できます", "fraBunseki", &frmMain::cmdBunseki_Click},
        {"cmdSyuukei", "集計表示", "月別、日別の集計結果を表示します", "fraSyuukei", &frmMain::cmdSyuukei_Click},
        {"cmdMemo", "一言日記", "ちょっとした日記を記録、表示します", "fraMemo", &frmMain::cmdMemo_Click},
        {"cmdSettei", "編集", "編集画面を表示します", "fraSettei", &frmMain::cmdSettei_Click}};
    int key = Qt::Key_1;
    for (const PageEntry &entry : pages) {
        QPushButton *button = addMenuButton(entry.name, QString::fromUtf8(entry.caption), QString::fromUtf8(entry.toolTip),
                                            QKeySequence(Qt::CTRL | Qt::Key(key++)));
        addMarked(button, entry.page, entry.handler);
    }
    cmdMain = m_menu->findChild<QPushButton *>(QStringLiteral("cmdMain"));
    column->addStretch(1);

    chkHelp = new QCheckBox(QStringLiteral("ヘルプツアー"), m_menu);
    chkHelp->setObjectName(QStringLiteral("chkHelp"));
    chkHelp->setToolTip(QStringLiteral("ヘルプツアーのＯｎ／Ｏｆｆです"));
    column->addWidget(chkHelp);
    auto *cmdHelp = addMenuButton("cmdHelp", QStringLiteral("ヘルプ"), QStringLiteral("ヘルプファイルを開きます"),
                                  QKeySequence(Qt::Key_F1));
    auto *cmdOwari = addMenuButton("cmdOwari", QStringLiteral("終了"), QStringLiteral("プログラムを終了します"),
                                   QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(cmdOwari, &QPushButton::clicked, this, &frmMain::cmdOwari_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmMain::cmdHelp_Click);
    // Only the user's click: the load step sets the box without saving anything.
    // Any change of state counts, a click, the space bar or an assistive tool's toggle alike.
    connect(chkHelp, &QCheckBox::toggled, this, &frmMain::chkHelp_Click);
}

void frmMain::placePage(QFrame *page)
{
    // All pages share one place; only the one not hidden takes it.
    static_cast<QGridLayout *>(m_pageArea->layout())->addWidget(page, 0, 0);
}

void frmMain::buildPages()
{
    m_pageArea = new QWidget(this);
    auto *stack = new QGridLayout(m_pageArea);
    stack->setContentsMargins(10, 10, 10, 10);

    // Today's view shows first; every other page is built when first opened (see built()).
    fraMain = new TodayPage(m_services, m_pageArea);
    m_pages = {fraMain};
    placePage(fraMain);
    connect(fraMain, &TodayPage::dayPicked, this, [this] { cmdMain->setFocus(); });

    buildLauncher();
}

template <typename Page, typename... More>
Page *frmMain::built(Page *&page, More &...more)
{
    if (!page) {
        page = new Page(m_services, more..., m_pageArea);
        page->hide();
        placePage(page);
        m_pages.push_back(page);
        fraGame->raise(); // the launcher stays over every page
    }
    return page;
}

EditPage *frmMain::editPage()
{
    if (!fraSettei) {
        built(fraSettei, m_state);
        connect(fraSettei, &EditPage::userNameSaved, this, &frmMain::SetWindowTitle);
        connect(fraSettei, &EditPage::recordsChanged, fraMain, &TodayPage::BuildTodayView);
        connect(fraSettei, &EditPage::dataRestored, this, &frmMain::dataRestored);
        connect(fraSettei, &EditPage::programEnd, this, &frmMain::programEnd);
    }
    return fraSettei;
}

MemoPage *frmMain::memoPage()
{
    if (!fraMemo)
        built(fraMemo)->LoadMemo();
    return fraMemo;
}

bool frmMain::memoSettled()
{
    return !fraMemo || fraMemo->settleMemo();
}

void frmMain::buildLauncher()
{
    // The launcher lies over whichever page shows; it is laid in the same cell, on top. Its
    // game buttons and their pictures are made when it is first shown.
    fraGame = new QFrame(m_pageArea);
    fraGame->setObjectName(QStringLiteral("fraGame"));
    fraGame->setStyleSheet(themedStyleSheet(kLauncherStyle));
    placePage(fraGame);
    fraGame->setAutoFillBackground(true);
    fraGame->hide();
}

void frmMain::fillLauncher()
{
    if (fraGame->layout())
        return;
    // Esc leaves the launcher as 戻る does.
    auto *leave = new QShortcut(QKeySequence(Qt::Key_Escape), fraGame);
    leave->setContext(Qt::WidgetWithChildrenShortcut);
    connect(leave, &QShortcut::activated, this, &frmMain::cmdModori_Click);

    auto *layout = new QVBoxLayout(fraGame);
    layout->setContentsMargins(30, 24, 30, 24);
    auto *title = new QLabel(QStringLiteral("あそぶゲームを選んでください"), fraGame);
    title->setObjectName(QStringLiteral("lblLauncherTitle"));
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);

    auto *buttons = new QGridLayout;
    buttons->setSpacing(16);
    for (int game = 1; game <= Games::count(); ++game) {
        auto *button = new QToolButton(fraGame);
        button->setObjectName(QStringLiteral("cmdG%1").arg(game));
        button->setText(Games::name(game));
        button->setIcon(QIcon(Picture::pixmap(Games::picture(game), QSize(120, 90), devicePixelRatioF())));
        button->setIconSize(QSize(120, 90));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setMinimumSize(150, 130);
        connect(button, &QToolButton::clicked, this, [this, game] { cmdG_Click(game); });
        button->installEventFilter(this);
        buttons->addWidget(button, (game - 1) / kTilesInRow, (game - 1) % kTilesInRow);
        m_tiles.push_back(button);
    }
    layout->addStretch(1);
    layout->addLayout(buttons);
    layout->addStretch(1);

    auto *cmdModori = new QPushButton(QStringLiteral("戻る"), fraGame);
    cmdModori->setObjectName(QStringLiteral("cmdModori"));
    cmdModori->setToolTip(QStringLiteral("キャンセルします"));
    cmdModori->setFixedWidth(140);
    layout->addWidget(cmdModori, 0, Qt::AlignRight);
    connect(cmdModori, &QPushButton::clicked, this, &frmMain::cmdModori_Click);
}

QString frmMain::welcomeText()
{
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("コトハナに興味をもっていただきありがとうございます。(^o^)／") + crlf + crlf
        + QStringLiteral("このソフトは「判断力」「分析力」「理解力」などが要求されるプチゲームを楽しみながら ") + crlf
        + QStringLiteral("脳を活性化し、健康に保つことを目的としたコトハナ支援ソフトです。") + crlf + crlf
        + QStringLiteral("コトハナを使って身体の健康だけでなく脳の健康にも気を配りましょう！") + crlf + crlf + crlf
        + QStringLiteral("<使用方法>") + crlf
        + QStringLiteral("①「ゲーム」ボタンを押すと収録しているゲームアイコンが表示されるので選択します。") + crlf + crlf
        + QStringLiteral("②あとはそれぞれのゲームで遊ぶだけ！") + crlf
        + QStringLiteral("　自動的にプレイしたゲームと時間が記録され、継続を促すデータとなります。") + crlf + crlf
        + QStringLiteral("データはリストとグラフで表示されます。") + crlf
        + QStringLiteral("グラフは時系列、項目別、時間別の３つに切り替えることができます。") + crlf + crlf
        + QStringLiteral("左上のフェイスマークはその日プレイしたゲームの種類数に連動しています。") + crlf
        + QStringLiteral("１種類で「ムスッ」、２種類で「ニコ」、３種類以上で「笑い」です。") + crlf + crlf
        + QStringLiteral("その他、色の変化でも把握できます。") + crlf;
}

void frmMain::Form_Load()
{
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
    m_loading = true;
    HideAllFrames();
    // Today's view sets its grids up as it is built (readDataFiles()).
    fraMain->setSelectedDay(m_services.clock.today());
    loadFontsOf(*m_menu);
    loadFontsOf(*fraMain);
    readDataFiles();

    fitToScreen(*this);
    show();
    fraMain->show();
    markShownPage();

    if (!m_state.welcomeShown) {
        QCoreApplication::processEvents();
        show();
        QCoreApplication::processEvents();
        m_state.welcomeShown = true;
        m_state.helpTourMessage = welcomeText();
        ShowHelpTour(m_state, m_services.messages);
    }
    m_loading = false;
    cmdGame->setFocus();
}

void frmMain::readDataFiles()
{
    QString userNameFailure;
    m_state.userName = MainSettings::readUserName(m_services.folder, &userNameFailure);
    SetWindowTitle();
    fraMain->BuildTodayView();
    // The memo page reads the memo as it is first built; a memo that cannot be read is told at
    // once all the same.
    if (fraMemo)
        fraMemo->LoadMemo();
    else
        MemoPage::readMemo(m_services);
    QString helpTourFailure;
    m_state.helpTourFlag = MainSettings::readHelpTourFlag(m_services.folder, &helpTourFailure);
    for (const QString &failure : {userNameFailure, helpTourFailure}) {
        if (!failure.isEmpty())
            m_services.messages.warning(failure, QStringLiteral("設定"));
    }
    chkHelp->setChecked(m_state.helpTourFlag != 0);
}

void frmMain::dataRestored()
{
    // As the load step reads them; the statistics pages read the records anew when they open.
    m_loading = true;
    readDataFiles();
    m_loading = false;
    fraSettei->prepare();
}

void frmMain::HideAllFrames()
{
    for (QFrame *page : m_pages) {
        page->hide();
        // Every page but the main one is built afresh each time it opens; a hidden page lets
        // its lists go, so that years of plays are held once and not once per page.
        if (page != fraMain) {
            for (Grid *list : page->findChildren<Grid *>())
                list->setRows(1);
        }
    }
}

void frmMain::switchPage(QFrame *page, const std::function<void()> &fill, const QString &helpTourMessage)
{
    uncoverPage();
    if (!page->isHidden() || !memoSettled())
        return;
    HideAllFrames();
    if (fill)
        fill();
    page->show();
    QCoreApplication::processEvents();
    if (!helpTourMessage.isEmpty()) {
        m_state.helpTourMessage = helpTourMessage;
        ShowHelpTour(m_state, m_services.messages);
    }
}

void frmMain::markShownPage()
{
    for (const auto &[button, page] : m_pageButtons) {
        const auto *frame = findChild<QFrame *>(page);
        if (frame && !frame->isHidden()) {
            const QSignalBlocker quiet(button);
            button->setChecked(true);
            return;
        }
    }
}

void frmMain::uncoverPage()
{
    if (fraGame->isHidden())
        return;
    fraGame->hide();
    if (m_coveredPage)
        m_coveredPage->show();
    m_coveredPage = nullptr;
}

void frmMain::cmdMain_Click()
{
    uncoverPage();
    if (!fraMain->isHidden() || !memoSettled())
        return;
    HideAllFrames();
    fraMain->freshView();
    fraMain->show();
}

void frmMain::cmdGame_Click()
{
    // Coming back from the game, the main page is to show today.
    const QDate today = m_services.clock.today();
    if (!fraMain->freshView().noData && fraMain->selectedDay() != today) {
        fraMain->setSelectedDay(today);
        fraMain->BuildTodayView();
    }
    fillLauncher();
    // The page under the launcher is out of sight: out of the Tab order too, and not
    // reported to assistive tools as showing.
    if (fraGame->isHidden()) {
        for (QFrame *page : m_pages) {
            if (!page->isHidden())
                m_coveredPage = page;
        }
        if (m_coveredPage)
            m_coveredPage->hide();
    }
    fraGame->show();
    fraGame->raise();
    m_tiles.front()->setFocus();
    markShownPage();
}

void frmMain::cmdG_Click(int game)
{
    // The main window gives way to the game, but never from under a handler of its own that
    // waits for a box to be answered (a launcher button pressed through an assistive tool).
    if (m_boxes.anyOpen()) {
        m_gameDue = game;
        return;
    }
    if (!memoSettled())
        return;
    Q_EMIT gameChosen(game);
}

void frmMain::cmdModori_Click()
{
    uncoverPage();
    markShownPage();
    cmdGame->setFocus();
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    // The arrow keys move between the launcher's games as they stand in its rows.
    if (event->type() == QEvent::KeyPress) {
        const auto tile = std::find(m_tiles.begin(), m_tiles.end(), watched);
        if (tile != m_tiles.end()) {
            const int at = int(tile - m_tiles.begin());
            int to = at;
            switch (static_cast<QKeyEvent *>(event)->key()) {
            case Qt::Key_Left:
                to = at - 1;
                break;
            case Qt::Key_Right:
                to = at + 1;
                break;
            case Qt::Key_Up:
                to = at - kTilesInRow;
                break;
            case Qt::Key_Down:
                to = std::min(at + kTilesInRow, int(m_tiles.size()) - 1);
                break;
            default:
                return QWidget::eventFilter(watched, event);
            }
            if (to >= 0 && to < int(m_tiles.size()))
                m_tiles[std::size_t(to)]->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmMain::keyPressEvent(QKeyEvent *event)
{
    if (!pressFocusedButton(*event))
        QWidget::keyPressEvent(event);
}

void frmMain::cmdSettei_Click()
{
    const QString crlf = QStringLiteral("\r\n");
    switchPage(
        editPage(), [this] { fraSettei->prepare(); },
        QStringLiteral("これまでのデータを全部削除して新規にスタートさせたり、個別に削除することができます。") + crlf + crlf
            + QStringLiteral("名前（ニックネームM）を登録することもできます") + crlf + crlf);
}

void frmMain::cmdMemo_Click()
{
    const QString crlf = QStringLiteral("\r\n");
    switchPage(
        memoPage(), [this] { fraMemo->prepare(); },
        QStringLiteral("一回一回の記録ごとにちょっとしたコメントを残すことができます。") + crlf
            + QStringLiteral("簡単な一言日記的な使い方でご利用ください") + crlf + crlf
            + QStringLiteral("メモはよりフリーにいろんなことが書き込めます。") + crlf
            + QStringLiteral("それぞれの項目についての効果や意味合いなどを残しておくのも良いと思います。") + crlf + crlf);
}

void frmMain::cmdCale_Click()
{
    const TodayView &view = fraMain->freshView();
    if (!fraCale)
        connect(built(fraCale), &CalendarPage::dayOpened, this, &frmMain::showDay);
    switchPage(
        fraCale, [&] { fraCale->fill(view.firstRecordDate, view.lastRecordDate); }, CalendarPage::helpText());
}

void frmMain::showDay(QDate day)
{
    cmdMain_Click();
    markShownPage();
    if (fraMain->isHidden())
        return; // the memo kept its page
    // As a day picked in the main page's month view.
    fraMain->setSelectedDay(day);
    fraMain->mtvmain_DateClick();
}

void frmMain::cmdBunseki_Click()
{
    switchPage(
        built(fraBunseki),
        [this] {
            fraBunseki->SetupSortList();
            fraBunseki->FillSortList();
        },
        SortPage::helpText());
}

void frmMain::cmdSyuukei_Click()
{
    const TodayView &view = fraMain->freshView();
    switchPage(
        built(fraSyuukei), [&] { fraSyuukei->open(view.firstRecordDate, view.lastRecordDate); }, TotalsPage::helpText());
}

void frmMain::cmdTaijyu_Click()
{
    switchPage(
        built(fraTaijyu),
        [this] {
            const TodayView &view = fraMain->freshView();
            fraTaijyu->open(view.firstRecordDate, view.lastRecordDate);
        },
        RangePage::helpText());
}

void frmMain::cmdRentai_Click()
{
    switchPage(
        built(fraRenTai), [this] { fraRenTai->LoadAllGraphData(fraMain->freshView().noData); }, AllGraphPage::helpText());
}

void frmMain::cmdOwari_Click()
{
    if (!close())
        return;
    m_help.closeAll();
    Q_EMIT programEnd();
}

void frmMain::closeEvent(QCloseEvent *event)
{
    if (!memoSettled()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void frmMain::cmdHelp_Click()
{
    m_help.showDefaultTopic();
}

void frmMain::chkHelp_Click()
{
    if (m_loading)
        return;
    if (chkHelp->isChecked()) {
        m_services.messages.information(QStringLiteral("ヘルプツアー機能をオンにします。"), QStringLiteral("ヘルプツアーＯＮ"));
        m_state.helpTourFlag = 1;
    } else {
        m_services.messages.information(QStringLiteral("ヘルプツアー機能をオフにします。"), QStringLiteral("ヘルプツアーＯＦＦ"));
        m_state.helpTourFlag = 0;
    }
    SaveMessages::report(m_services.messages, MainSettings::writeHelpTourFlag(m_services.folder, m_state.helpTourFlag));
}

void frmMain::dayChanged(QDate before, QDate today)
{
    if (fraMain->selectedDay() != before)
        return; // the user looks at another day
    fraMain->setSelectedDay(today);
    fraMain->BuildTodayView();
}

void frmMain::SetWindowTitle()
{
    setWindowTitle(MainSettings::windowTitle(m_state.userName));
}

} // namespace kotohana
