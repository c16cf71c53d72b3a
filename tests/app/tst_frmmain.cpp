#include "Desk.h"
#include "ScriptedMessageBoxes.h"
#include "TestFiles.h"
#include "Widgets.h"

#include "app/frmMain.h"
#include "games/common/ProgramState.h"
#include "ui/Grid.h"
#include "ui/HelpWindows.h"
#include "ui/MonthView.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QSignalSpy>
#include <QTextBrowser>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <memory>
#include <optional>

#include <sys/stat.h>

using namespace kotohana;
using namespace kotohana::test;

namespace {

const char *const kPages[] = {"fraTaijyu", "fraBunseki", "fraRenTai", "fraMain", "fraSettei", "fraCale", "fraMemo", "fraSyuukei"};

} // namespace

class TestFrmMain : public QObject
{
    Q_OBJECT

private:
    std::optional<Desk> m_desk;
    ProgramState m_state;
    HelpWindows m_help{QStringLiteral(":/help/index.html")};

    std::unique_ptr<frmMain> load() { return loadWindow<frmMain>(m_desk->services, m_state, m_help); }

    static QStringList visiblePages(const frmMain &window)
    {
        QStringList visible;
        for (const char *name : kPages) {
            const QFrame *page = window.findChild<QFrame *>(QString::fromLatin1(name));
            if (page && !page->isHidden()) // a page not opened yet is not built yet
                visible.append(QString::fromLatin1(name));
        }
        return visible;
    }

    static QStringList pressedButtons(const frmMain &window)
    {
        QStringList pressed;
        for (const QPushButton *button : window.findChildren<QPushButton *>()) {
            if (button->isChecked())
                pressed.append(button->objectName());
        }
        return pressed;
    }

private Q_SLOTS:
    void init()
    {
        m_desk.emplace(QDateTime(QDate(2024, 5, 18), QTime(21, 5, 9)), 1);
        m_state = ProgramState();
    }

    void loadShowsTheMainPageAndWelcomesOncePerRun();
    void settingsThatCannotBeReadAreTold();
    void menuCaptionsAndToolTips_data();
    void menuCaptionsAndToolTips();
    void visiblePageButtonDoesNothing();
    void pageButtonsSwitchPages();
    void launcherLiesOverThePage();
    void menuByAssistiveToolsAndHelpTour();
    void menuAndLauncherByKeyboard();
    void memoAndDiaryByKeyboard();
    void welcomeNeedsTheHelpTour();
    void helpOpensOnceAndClosesAtTheEnd();
};

void TestFrmMain::loadShowsTheMainPageAndWelcomesOncePerRun()
{
    auto window = load();
    QCOMPARE(visiblePages(*window), QStringList{QStringLiteral("fraMain")});
    QVERIFY(window->findChild<QFrame *>(QStringLiteral("fraGame"))->isHidden());
    QCOMPARE(window->windowTitle(), QStringLiteral(" コトハナ"));
    QCOMPARE(window->findChild<MonthView *>(QStringLiteral("mtvmain"))->value(), QDate(2024, 5, 18));
    QVERIFY(window->findChild<QCheckBox *>(QStringLiteral("chkHelp"))->isChecked());

    QCOMPARE(m_desk->messages.shown().size(), 1);
    const auto &welcome = m_desk->messages.shown().first();
    QCOMPARE(welcome.icon, ScriptedMessageBoxes::Icon::Information);
    QCOMPARE(welcome.title, QStringLiteral("ヘルプツアー"));
    QVERIFY(welcome.text.startsWith(
        QStringLiteral("コトハナに興味をもっていただきありがとうございます。(^o^)／\r\n\r\nこのソフトは")));
    QVERIFY(welcome.text.contains(QStringLiteral("楽しみながら \r\n脳を活性化")));
    QVERIFY(welcome.text.contains(QStringLiteral("配りましょう！\r\n\r\n\r\n<使用方法>\r\n①")));
    QVERIFY(welcome.text.contains(QStringLiteral("遊ぶだけ！\r\n　自動的に")));
    QVERIFY(welcome.text.endsWith(QStringLiteral("「笑い」です。\r\n\r\nその他、色の変化でも把握できます。\r\n")));

    // The window is loaded anew after a game; the welcome is not offered again in this run.
    window.reset();
    auto again = load();
    QCOMPARE(m_desk->messages.shown().size(), 1);
    QCOMPARE(visiblePages(*again), QStringList{QStringLiteral("fraMain")});
}

void TestFrmMain::settingsThatCannotBeReadAreTold()
{
    for (const char16_t *name : {u"設定.txt", u"プライベート.txt"})
        QCOMPARE(::mkfifo(QFile::encodeName(m_desk->file(name)).constData(), 0600), 0);
    auto window = load();
    const QString pipe = QStringLiteral("ファイル「%1」は普通のファイルではありません（フォルダや装置などです）。\n");
    QCOMPARE(m_desk->messages.shown().size(), 3); // then the welcome
    QCOMPARE(m_desk->messages.shown().at(0).text, pipe.arg(u"プライベート.txt") + QStringLiteral("名前なしで始めます。"));
    QCOMPARE(m_desk->messages.shown().at(1).text,
             pipe.arg(u"設定.txt") + QStringLiteral("最初の設定（ヘルプツアーはオン）で始めます。"));
    QVERIFY(window->findChild<QCheckBox *>(QStringLiteral("chkHelp"))->isChecked());
    QVERIFY(QFile::remove(m_desk->file(u"設定.txt")) && QFile::remove(m_desk->file(u"プライベート.txt")));
}

void TestFrmMain::menuCaptionsAndToolTips_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("toolTip");
    QTest::newRow("game") << "cmdGame"
                          << "ゲーム"
                          << "メイン画面を表示します（Ctrl+G）";
    QTest::newRow("end") << "cmdOwari"
                         << "終了"
                         << "プログラムを終了します（Ctrl+Q）";
    QTest::newRow("help") << "cmdHelp"
                          << "ヘルプ"
                          << "ヘルプファイルを開きます（F1）";
    QTest::newRow("edit") << "cmdSettei"
                          << "編集"
                          << "編集画面を表示します（Ctrl+8）";
    QTest::newRow("memo") << "cmdMemo"
                          << "一言日記"
                          << "ちょっとした日記を記録、表示します（Ctrl+7）";
    QTest::newRow("calendar") << "cmdCale"
                              << "カレンダー"
                              << "実施状況把握カレンダーを表示します（Ctrl+4）";
    QTest::newRow("sort") << "cmdBunseki"
                          << "並び替え"
                          << "データを並び替えて表示できます（Ctrl+5）";
    QTest::newRow("totals") << "cmdSyuukei"
                            << "集計表示"
                            << "月別、日別の集計結果を表示します（Ctrl+6）";
    QTest::newRow("range") << "cmdTaijyu"
                           << "範囲指定"
                           << "表示条件を指定できます（Ctrl+2）";
    QTest::newRow("all graphs") << "cmdRentai"
                                << "全グラフ"
                                << "現在までの全グラフを表示します（Ctrl+3）";
    QTest::newRow("main") << "cmdMain"
                          << "メイン"
                          << "メイン画面を表示します（Ctrl+1）";
    QTest::newRow("back") << "cmdModori"
                          << "戻る"
                          << "キャンセルします";
}

void TestFrmMain::menuCaptionsAndToolTips()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, toolTip);
    frmMain window(m_desk->services, m_state, m_help);
    window.cmdGame_Click(); // the launcher's buttons are made when it first shows
    auto *button = window.findChild<QPushButton *>(name);
    QVERIFY(button);
    QCOMPARE(button->text(), caption);
    QCOMPARE(button->toolTip(), toolTip);
    QCOMPARE(window.findChild<QCheckBox *>(QStringLiteral("chkHelp"))->toolTip(), QStringLiteral("ヘルプツアーのＯｎ／Ｏｆｆです"));
}

void TestFrmMain::visiblePageButtonDoesNothing()
{
    m_state.welcomeShown = true;
    auto window = load();
    click(*window, "cmdMain");
    QCOMPARE(visiblePages(*window), QStringList{QStringLiteral("fraMain")});
    QVERIFY(m_desk->messages.shown().isEmpty());
    click(*window, "cmdCale");
    QCOMPARE(m_desk->messages.shown().size(), 1); // the calendar explains itself once
    click(*window, "cmdCale");
    QCOMPARE(visiblePages(*window), QStringList{QStringLiteral("fraCale")});
    QCOMPARE(m_desk->messages.shown().size(), 1);
}

void TestFrmMain::pageButtonsSwitchPages()
{
    m_state.welcomeShown = true;
    auto window = load();
    const std::pair<const char *, const char *> switches[] = {{"cmdTaijyu", "fraTaijyu"},   {"cmdRentai", "fraRenTai"},
                                                              {"cmdCale", "fraCale"},       {"cmdBunseki", "fraBunseki"},
                                                              {"cmdSyuukei", "fraSyuukei"}, {"cmdMemo", "fraMemo"},
                                                              {"cmdSettei", "fraSettei"},   {"cmdMain", "fraMain"}};
    for (const auto &[button, page] : switches) {
        click(*window, button);
        QCOMPARE(visiblePages(*window), QStringList{QString::fromLatin1(page)});
    }
}

void TestFrmMain::launcherLiesOverThePage()
{
    m_state.welcomeShown = true;
    auto window = load();
    click(*window, "cmdCale");
    auto *launcher = window->findChild<QFrame *>(QStringLiteral("fraGame"));
    click(*window, "cmdGame");
    QVERIFY(!launcher->isHidden());
    // The page it covers is out of sight, out of the Tab order and of what assistive tools see.
    QCOMPARE(visiblePages(*window), QStringList());
    QCOMPARE(pressedButtons(*window), QStringList{QStringLiteral("cmdGame")});
    for (int i = 1; i <= 7; ++i)
        QVERIFY(window->findChild<QAbstractButton *>(QStringLiteral("cmdG%1").arg(i)));
    click(*window, "cmdModori");
    QVERIFY(launcher->isHidden());
    QCOMPARE(visiblePages(*window), QStringList{QStringLiteral("fraCale")});
    QCOMPARE(pressedButtons(*window), QStringList{QStringLiteral("cmdCale")});
    // A page chosen while the launcher shows closes it.
    click(*window, "cmdGame");
    click(*window, "cmdMemo");
    QVERIFY(launcher->isHidden());
    QCOMPARE(visiblePages(*window), QStringList{QStringLiteral("fraMemo")});
}

void TestFrmMain::menuByAssistiveToolsAndHelpTour()
{
    m_state.welcomeShown = true;
    auto window = load();
    // A screen reader offers the page buttons' "toggle": it switches pages as a click does, and
    // toggling the pressed button changes nothing.
    const auto toggle = [&](const char *name) {
        QAccessibleInterface *button = QAccessible::queryAccessibleInterface(
            window->findChild<QPushButton *>(QString::fromLatin1(name)));
        button->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    };
    for (int i = 0; i < 2; ++i) {
        toggle("cmdMemo");
        QCOMPARE(visiblePages(*window), QStringList{QStringLiteral("fraMemo")});
        QCOMPARE(pressedButtons(*window), QStringList{QStringLiteral("cmdMemo")});
    }
    // While a page explains itself, only its button is pressed.
    m_state.helpTourFlag = 1;
    QStringList pressedDuringHelp;
    m_desk->messages.onShow = [&](const ScriptedMessageBoxes::Shown &) { pressedDuringHelp = pressedButtons(*window); };
    click(*window, "cmdCale");
    m_desk->messages.onShow = nullptr;
    QCOMPARE(pressedDuringHelp, QStringList{QStringLiteral("cmdCale")});
}

void TestFrmMain::menuAndLauncherByKeyboard()
{
    m_state.welcomeShown = true;
    auto window = load();
    QApplication::setActiveWindow(window.get());
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_4, Qt::ControlModifier);
    QTRY_COMPARE(visiblePages(*window), QStringList{QStringLiteral("fraCale")}); // a key presses its button visibly
    // Enter presses the focused button.
    window->findChild<QPushButton *>(QStringLiteral("cmdSettei"))->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(visiblePages(*window), QStringList{QStringLiteral("fraSettei")});
    QCOMPARE(find<QWidget>(*window, QStringLiteral("cmdOpenFolder"))->nextInFocusChain(),
             find<QWidget>(*window, QStringLiteral("cmdNew1"))); // Tab in reading order: the one deleting all comes last

    // The launcher takes the focus on its first game; the arrows move as the games stand.
    QTest::keyClick(window.get(), Qt::Key_G, Qt::ControlModifier);
    const auto focused = [] { return QApplication::focusWidget()->objectName(); };
    QTRY_COMPARE(focused(), QStringLiteral("cmdG1"));
    const std::pair<Qt::Key, const char *> moves[] = {{Qt::Key_Left, "cmdG1"},  {Qt::Key_Right, "cmdG2"}, {Qt::Key_Down, "cmdG6"},
                                                      {Qt::Key_Right, "cmdG7"}, {Qt::Key_Right, "cmdG7"}, {Qt::Key_Up, "cmdG3"}};
    for (const auto &[key, to] : moves) {
        QTest::keyClick(QApplication::focusWidget(), key);
        QCOMPARE(focused(), QString::fromLatin1(to));
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(window->findChild<QFrame *>(QStringLiteral("fraGame"))->isHidden());
    QCOMPARE(visiblePages(*window), QStringList{QStringLiteral("fraSettei")});
    QCOMPARE(focused(), QStringLiteral("cmdGame"));
}

void TestFrmMain::memoAndDiaryByKeyboard()
{
    QString records;
    for (int day = 1; day <= 40; ++day)
        records += QStringLiteral("\"2024/04/01\",\"08:%1:00\",\"プラマイ\",60,\"d%2\",\n").arg(day, 2, 10, QLatin1Char('0')).arg(day);
    writeBytes(m_desk->file(u"データ.txt"), sjis(records));
    m_state.welcomeShown = true;
    auto window = load();
    click(*window, "cmdMemo");
    // Tab leaves the memo for the diary list; Ctrl+Tab writes a tab.
    auto *memo = window->findChild<QPlainTextEdit *>(QStringLiteral("txtKizuki"));
    memo->setPlainText(QStringLiteral("m"));
    memo->setFocus();
    QTest::keyClick(memo, Qt::Key_Tab, Qt::ControlModifier);
    QTest::keyClick(memo, Qt::Key_Tab);
    QCOMPARE(memo->toPlainText(), QStringLiteral("\tm"));
    auto *list = window->findChild<Grid *>(QStringLiteral("msgMemoList"));
    QCOMPARE(QApplication::focusWidget(), list);
    // The list shows its newest plays; Enter picks the newest, marked, not the first record.
    QCOMPARE(list->row(), 40);
    QVERIFY(list->selectionModel()->isRowSelected(39));
    QTest::keyClick(list, Qt::Key_Return);
    auto *entry = window->findChild<QLineEdit *>(QStringLiteral("txtMemo"));
    QCOMPARE(entry->text(), QStringLiteral("d40"));
    entry->setText(QStringLiteral("x"));
    QTest::keyClick(entry, Qt::Key_Return);
    const QByteArray saved = readBytes(m_desk->file(u"データ.txt"));
    QVERIFY(saved.startsWith(sjis(records.section(u'\n', 0, 0))));
    QVERIFY(saved.endsWith(sjis(QStringLiteral("\"08:40:00\",\"プラマイ\",60,\"x\",\"\"\n"))));
    QVERIFY(list->selectionModel()->isRowSelected(39));
}

void TestFrmMain::welcomeNeedsTheHelpTour()
{
    QFile settings(m_desk->file(u"設定.txt"));
    QVERIFY(settings.open(QIODevice::WriteOnly));
    settings.write(QByteArray::fromHex("228377838b837683638341815b222c300d0a")); // "ヘルプツアー",0
    settings.close();
    auto window = load();
    QVERIFY(m_desk->messages.shown().isEmpty());
    QVERIFY(m_state.welcomeShown);
}

void TestFrmMain::helpOpensOnceAndClosesAtTheEnd()
{
    m_state.welcomeShown = true;
    auto window = load();
    click(*window, "cmdHelp");
    click(*window, "cmdHelp");
    QCOMPARE(m_help.openCount(), 1);
    QWidget *help = nullptr;
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (top->objectName() == QStringLiteral("frmHelp") && top->isVisible())
            help = top;
    }
    QVERIFY(help);
    auto *text = help->findChild<QTextBrowser *>(QStringLiteral("txtHelp"));
    QVERIFY(text->toPlainText().contains(QStringLiteral("プラマイ")));
    QVERIFY(text->toPlainText().contains(QStringLiteral("データ.txt")));
    QCOMPARE(text->accessibleName(), QStringLiteral("ヘルプの本文"));
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) { // Enter on its focused 閉じる closes it, as Esc does
        click(*window, "cmdHelp");
        for (QWidget *top : QApplication::topLevelWidgets())
            if (top->isVisible() && top->objectName() == QStringLiteral("frmHelp"))
                QApplication::setActiveWindow(top);
        find<QPushButton>(*QApplication::activeWindow(), QStringLiteral("cmdClose"))->setFocus();
        QTest::keyClick(QApplication::focusWidget(), key);
        QCOMPARE(m_help.openCount(), 0);
    }

    QSignalSpy ended(window.get(), &frmMain::programEnd);
    click(*window, "cmdOwari");
    QCOMPARE(ended.size(), 1);
    QCOMPARE(m_help.openCount(), 0);
    QVERIFY(!window->isVisible());
}

QTEST_MAIN(TestFrmMain)
#include "tst_frmmain.moc"
