#include "Desk.h"
#include "Plays.h"
#include "ScriptedMessageBoxes.h"
#include "TestFiles.h"
#include "Widgets.h"

#include "app/Application.h"
#include "app/Games.h"
#include "app/frmMain.h"
#include "games/common/GameWindow.h"
#include "platform/FolderLock.h"
#include "ui/Grid.h"
#include "ui/HelpWindows.h"
#include "ui/MonthView.h"
#include "ui/Shape.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStyleOption>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <cstdlib>
#include <memory>
#include <optional>

using namespace kotohana;
using namespace kotohana::test;

class TestLauncher : public QObject
{
    Q_OBJECT

private:
    std::optional<Desk> m_desk;

    QString file(const QString &name) const { return m_desk->file(name); }

private Q_SLOTS:
    void init()
    {
        m_desk.emplace(QDateTime(QDate(2024, 5, 18), QTime(9, 30, 0)), 3);
        writeBytes(file(QStringLiteral("設定.txt")), sjis(QStringLiteral("\"ヘルプツアー\",0\n")));
    }

    void gamesOfTheLauncher();
    void programIconIsDrawn_data();
    void programIconIsDrawn();
    void launcherShowsTodayAgain();
    void playFromTheMainWindowToTheRecordBook();
    void newStartCancelled();
    void lockFromAnotherComputer();
    void pastMidnightTheNewDayShows();
    void newStartEmptiesThePlayData();
    void returnPressedWhileABoxIsOpen();
};

void TestLauncher::gamesOfTheLauncher()
{
    QCOMPARE(Games::name(1), QStringLiteral("プラマイ"));
    QCOMPARE(Games::name(7), QStringLiteral("ボキャブラ"));
    QVERIFY(!Games::create(8, m_desk->services, *std::make_unique<ProgramState>()));
    ProgramState state;
    for (int game = 1; game <= 7; ++game) {
        const std::unique_ptr<GameWindow> window = Games::create(game, m_desk->services, state);
        QCOMPARE(window->objectName(), QStringLiteral("frmG%1").arg(game));
        // プラマイ's digit boxes tell the input method they take no composed text (what the
        // desktop's input-method plugin asks); every other game's answer box asks it for Japanese.
        const QList<QLineEdit *> boxes = window->findChildren<QLineEdit *>(
            QRegularExpression(game == 1 ? QStringLiteral("^txtKaitou[0-9]+$") : QStringLiteral("^txtKaitou$")));
        QCOMPARE(boxes.size(), game == 1 ? 14 : 1);
        for (const QLineEdit *box : boxes) {
            QCOMPARE(box->inputMethodQuery(Qt::ImEnabled).toBool(), game != 1);
            const QVariant language = box->inputMethodQuery(Qt::ImPreferredLanguage);
            if (game == 1)
                QVERIFY(!language.isValid());
            else
                QCOMPARE(language.toLocale().language(), QLocale::Japanese);
        }
    }
    QCOMPARE(Games::historyFiles().size(), 7);
    QCOMPARE(Games::historyFiles().at(4), QStringLiteral("カラパニ履歴.txt"));
}

void TestLauncher::programIconIsDrawn_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("menu") << 16;
    QTest::newRow("title bar") << 32;
    QTest::newRow("task switcher") << 256;
}

// The windows' icon is the flower picture built into the program, drawn at every size the window
// system asks: clear outside its rounded corners, the top petal in プラマイ's blue.
void TestLauncher::programIconIsDrawn()
{
    QFETCH(int, size);
    const QIcon icon = programIcon();
    QVERIFY(!icon.isNull());
    const QImage image = icon.pixmap(QSize(size, size)).toImage();
    QCOMPARE(image.size(), QSize(size, size));
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    const QColor petal = image.pixelColor(size / 2, size * 35 / 128);
    const QColor blue(0x8f, 0xb0, 0xe0);
    QVERIFY2(std::abs(petal.red() - blue.red()) <= 2 && std::abs(petal.green() - blue.green()) <= 2
                 && std::abs(petal.blue() - blue.blue()) <= 2 && petal.alpha() == 255,
             qPrintable(petal.name(QColor::HexArgb)));
}

void TestLauncher::launcherShowsTodayAgain()
{
    writeBytes(file(QStringLiteral("データ.txt")), sjis(QStringLiteral("\"2024/05/17\",\"08:00:00\",\"プラマイ\",60,\"a\",\n")));
    Application app(m_desk->services);
    app.showMain();
    frmMain *main = app.mainWindow();
    auto *monthView = find<MonthView>(*main, QStringLiteral("mtvmain"));
    monthView->setValue(QDate(2024, 5, 17));
    Q_EMIT monthView->dateClick(QDate(2024, 5, 17));
    QCOMPARE(find<Grid>(*main, QStringLiteral("msgDayList"))->rows(), 2);
    QTest::mouseClick(find<QPushButton>(*main, QStringLiteral("cmdGame")), Qt::LeftButton);
    QCOMPARE(monthView->value(), QDate(2024, 5, 18));
    QCOMPARE(find<Grid>(*main, QStringLiteral("msgDayList"))->rows(), 1);
    for (int game = 1; game <= 7; ++game)
        QVERIFY(find<QToolButton>(*main, QStringLiteral("cmdG%1").arg(game))->isEnabled());
    main->close();
}

void TestLauncher::playFromTheMainWindowToTheRecordBook()
{
    writeBytes(file(QStringLiteral("設定.txt")), sjis(QStringLiteral("\"ヘルプツアー\",1\n")));
    Application app(m_desk->services);
    app.state().welcomeShown = true;
    app.showMain();
    QPointer<frmMain> main = app.mainWindow();
    // The game's help shows over the game's own window: the main window has gone already.
    bool helpOverTheGame = false;
    m_desk->messages.onShow = [&](const ScriptedMessageBoxes::Shown &) {
        helpOverTheGame = (!main || !main->isVisible()) && app.gameWindow() && app.gameWindow()->isVisible();
    };
    QTest::mouseClick(find<QPushButton>(*main, QStringLiteral("cmdGame")), Qt::LeftButton);
    QTest::mouseClick(find<QToolButton>(*main, QStringLiteral("cmdG1")), Qt::LeftButton);
    m_desk->messages.onShow = nullptr;
    QVERIFY(helpOverTheGame);
    app.openGame(2); // a second click while the first game opens changes nothing
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!main); // only one window at a time
    GameWindow *game = app.gameWindow();
    QVERIFY(game);
    QCOMPARE(game->objectName(), QStringLiteral("frmG1"));
    stopTimers(*game);
    // The focus shows from the start, not only after a first Tab.
    QStyleOption start;
    start.initFrom(find<QPushButton>(*game, QStringLiteral("cmdStart")));
    QVERIFY(start.state & QStyle::State_KeyboardFocusChange);

    // A count-mode play of five answers, typed.
    QTest::mouseClick(find<QRadioButton>(*game, QStringLiteral("optMode0")), Qt::LeftButton);
    auto *answers = find<QComboBox>(*game, QStringLiteral("cboKaisu"));
    answers->setCurrentText(QStringLiteral("5"));
    Q_EMIT answers->activated(answers->currentIndex());
    QTest::mouseClick(find<QPushButton>(*game, QStringLiteral("cmdStart")), Qt::LeftButton);
    for (int i = 0; i < 3; ++i) {
        m_desk->clock.advanceMilliseconds(1000);
        game->tmrStart_Timer();
    }
    m_desk->clock.advanceMilliseconds(8000);
    game->tmrPlay_Timer();
    for (int i = 1; i <= 5; ++i) {
        const int a = find<QLabel>(*game, QStringLiteral("lblMondai%1").arg(i))->text().toInt();
        const int b = find<QLabel>(*game, QStringLiteral("lblMondai%1").arg(i + 1))->text().toInt();
        QTest::keyClick(find<QLineEdit>(*game, QStringLiteral("txtKaitou%1").arg(i)),
                        char('0' + plamaiDigit(a, b, QStringLiteral("＋"))));
    }
    QCOMPARE(readBytes(file(QStringLiteral("データ.txt"))),
             sjis(QStringLiteral("\"2024/05/18\",\"09:30:11\",\"プラマイ\",8,\"答数 : 5  (＋) モード\",\n")));
    auto *history = find<Grid>(*game, QStringLiteral("msgRireki"));
    QCOMPARE(QApplication::focusWidget(), history);
    QCOMPARE(history->row(), history->rows() - 1);
    QVERIFY(history->selectionModel()->isRowSelected(history->rows() - 2));

    // Ctrl+W leaves the game (Esc is the games' own).
    QApplication::setActiveWindow(game);
    QVERIFY(QTest::qWaitForWindowActive(game));
    QTest::keyClick(game, Qt::Key_W, Qt::ControlModifier);
    QTRY_VERIFY(!app.gameWindow()); // a key presses its button visibly, a moment later
    frmMain *back = app.mainWindow();
    QVERIFY(back && back->isVisible());
    auto *today = find<Grid>(*back, QStringLiteral("msgDayList"));
    QCOMPARE(today->rows(), 2);
    QCOMPARE(today->textMatrix(1, 2), QStringLiteral("プラマイ"));
    QCOMPARE(today->textMatrix(1, 3), QStringLiteral("8"));
    QCOMPARE(find<kotohana::Shape>(*back, QStringLiteral("shpLed1"))->fillColor(), QColor(255, 192, 192));
    QCOMPARE(find<kotohana::Shape>(*back, QStringLiteral("shpLed2"))->fillColor(), QColor(Qt::white));
    QCOMPARE(find<QLabel>(*back, QStringLiteral("lblMHyouka"))->text(), QStringLiteral("1 種類の脳刺激"));
    back->close();
}

// A data folder synced from another PC where the program was killed: the start says so, and
// takes the folder over only when the user says OK.
void TestLauncher::lockFromAnotherComputer()
{
    const QString lockFile = file(QString::fromUtf16(FolderLock::kFileName));
    writeBytes(lockFile, QByteArray("4242\nkotohana\nother-pc\n"));
    FolderLock lock(m_desk->dir.path());
    m_desk->messages.answerNext(false);
    QVERIFY(!claimFolder(lock, m_desk->dir.path(), m_desk->messages));
    QVERIFY(m_desk->messages.shown().last().text.startsWith(
        QStringLiteral("このデータフォルダーは、別のコンピューター「other-pc」のコトハナが使用中になっています。")));
    QCOMPARE(readBytes(lockFile), QByteArray("4242\nkotohana\nother-pc\n"));
    m_desk->messages.answerNext(true);
    QVERIFY(claimFolder(lock, m_desk->dir.path(), m_desk->messages));
    QCOMPARE(lock.state(), FolderLock::State::Held);
}

// The program left open past midnight shows the new day and backs it up without a restart.
void TestLauncher::pastMidnightTheNewDayShows()
{
    writeBytes(file(QStringLiteral("データ.txt")), sjis(QStringLiteral("\"2024/05/18\",\"08:00:00\",\"プラマイ\",60,\"a\",\n")));
    m_desk->clock.set(QDateTime(QDate(2024, 5, 18), QTime(23, 59, 30)));
    Application app(m_desk->services);
    app.state().welcomeShown = true;
    app.showMain();
    auto *today = find<Grid>(*app.mainWindow(), QStringLiteral("msgDayList"));
    QCOMPARE(today->rows(), 2);
    app.watchTheDate();
    QCOMPARE(today->rows(), 2);
    m_desk->clock.set(QDateTime(QDate(2024, 5, 19), QTime(0, 0, 30)));
    app.watchTheDate();
    QCOMPARE(find<MonthView>(*app.mainWindow(), QStringLiteral("mtvmain"))->value(), QDate(2024, 5, 19));
    QCOMPARE(today->rows(), 1);
    QVERIFY(QFileInfo(QDir(m_desk->dir.path()).filePath(QStringLiteral("バックアップ/2024-05-19/データ.txt"))).isFile());
    app.mainWindow()->close();
}

void TestLauncher::newStartCancelled()
{
    const QByteArray records = sjis(QStringLiteral("\"2024/05/18\",\"08:00:00\",\"プラマイ\",60,\"a\",\n"));
    writeBytes(file(QStringLiteral("データ.txt")), records);
    Application app(m_desk->services);
    app.showMain();
    frmMain *main = app.mainWindow();
    QTest::mouseClick(find<QPushButton>(*main, QStringLiteral("cmdSettei")), Qt::LeftButton);
    m_desk->messages.answerNext(false);
    QSignalSpy ended(main, &frmMain::programEnd);
    QTest::mouseClick(find<QPushButton>(*main, QStringLiteral("cmdNew1")), Qt::LeftButton);
    QCOMPARE(m_desk->messages.shown().last().title, QStringLiteral("クリア確認"));
    QCOMPARE(m_desk->messages.shown().last().text,
             QStringLiteral("これまでのデータを削除して新しくスタートします。よろしいですか？"));
    QCOMPARE(readBytes(file(QStringLiteral("データ.txt"))), records);
    QVERIFY(!m_desk->folder.contains(u"プライベート.txt"));
    QCOMPARE(ended.size(), 0);
    main->close();
}

void TestLauncher::newStartEmptiesThePlayData()
{
    writeBytes(file(QStringLiteral("データ.TXT")), sjis(QStringLiteral("\"2024/05/18\",\"08:00:00\",\"プラマイ\",60,\"a\",\n")));
    writeBytes(file(QStringLiteral("プラマイ履歴.txt")), QByteArray("x\r\n"));
    const QByteArray memo = sjis(QStringLiteral("メモ\n"));
    writeBytes(file(QStringLiteral("メモ.TXT")), memo);
    const QByteArray gameSettings = sjis(QStringLiteral("10,60,\"＋\",\"秒数\",1\n"));
    writeBytes(file(QStringLiteral("プラマイ設定.txt")), gameSettings);
    const QByteArray settings = readBytes(file(QStringLiteral("設定.txt")));

    Application app(m_desk->services);
    app.showMain();
    frmMain *main = app.mainWindow();
    QTest::mouseClick(find<QPushButton>(*main, QStringLiteral("cmdSettei")), Qt::LeftButton);
    find<QLineEdit>(*main, QStringLiteral("txtPriData"))->setText(QStringLiteral("次郎"));
    m_desk->messages.answerNext(true);
    QSignalSpy ended(main, &frmMain::programEnd);
    QTest::mouseClick(find<QPushButton>(*main, QStringLiteral("cmdNew1")), Qt::LeftButton);
    QCOMPARE(ended.size(), 1);
    QCOMPARE(m_desk->messages.shown().last().title, QStringLiteral("新規スタート準備完了"));
    QCOMPARE(m_desk->messages.shown().last().text,
             QStringLiteral("データを削除しました。\r\n\r\n一旦プログラムを終了させていただきます。次の起動から新規スタートです！"));
    QCOMPARE(readBytes(file(QStringLiteral("データ.txt"))), QByteArray());
    for (const QString &history : Games::historyFiles())
        QCOMPARE(readBytes(file(history)), QByteArray());
    QCOMPARE(readBytes(file(QStringLiteral("プライベート.txt"))), sjis(QStringLiteral("\"氏名\",\"次郎\"\n")));
    QCOMPARE(readBytes(file(QStringLiteral("メモ.TXT"))), memo);
    QCOMPARE(readBytes(file(QStringLiteral("プラマイ設定.txt"))), gameSettings);
    QCOMPARE(readBytes(file(QStringLiteral("設定.txt"))), settings);
}

// しりとり's "戻り" pressed through its accessible action (a screen reader's, which a box does
// not hold back) while the end-of-play box is open: the window goes back to the main window once
// the box is answered and the handler that showed it is done, never from under it.
void TestLauncher::returnPressedWhileABoxIsOpen()
{
    writeBytes(file(QStringLiteral("しりとり辞書.txt")), sjis(QStringLiteral("ごりら\n")));
    writeBytes(file(QStringLiteral("しりとり設定.txt")), sjis(QStringLiteral("4,60,\"答数\",1\n")));
    Application app(m_desk->services);
    app.showMain();
    app.openGame(2);
    QPointer<GameWindow> game = app.gameWindow();
    stopTimers(*game);
    startPlay(*game, m_desk->clock);
    bool aliveAfterTheBox = false;
    m_desk->messages.onShow = [&](const ScriptedMessageBoxes::Shown &) {
        // As a real box does: it runs the events of every window until it is answered.
        QEventLoop box;
        auto *back = find<QPushButton>(*game, QStringLiteral("cmdEnd"));
        connect(back, &QPushButton::clicked, &box, [&] { QTimer::singleShot(0, &box, &QEventLoop::quit); });
        connect(game, &QObject::destroyed, &box, &QEventLoop::quit);
        QAccessible::queryAccessibleInterface(back)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        box.exec();
        aliveAfterTheBox = !game.isNull();
    };
    for (const char16_t *word : {u"ラッパ", u"ぱせり", u"りす", u"すいか"})
        typeAnswer(*game, QString::fromUtf16(word));
    QCOMPARE(m_desk->messages.shown().last().text, QStringLiteral("新しい文字を 4 個覚えました！"));
    QVERIFY(aliveAfterTheBox);
    QTRY_VERIFY(!game);
    app.mainWindow()->close();
}

QTEST_MAIN(TestLauncher)
#include "tst_launcher.moc"
