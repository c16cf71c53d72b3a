#include "Desk.h"
#include "TestFiles.h"

#include "app/Application.h"
#include "app/frmMain.h"
#include "games/common/GameWindow.h"
#include "ui/Look.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTest>

using namespace kotohana;
using namespace kotohana::test;

// The windows on a real window system (the one the environment names: windowsystem.sh runs
// this under a headless Wayland compositor and under a virtual X display), where the window
// system, not the program, decides when a window can be painted and where it lies.
class TestWindowSystem : public QObject
{
    Q_OBJECT

private slots:
    void fromTheMainWindowToAGameAndBack();
};

namespace {

// The window, its frame included, fits beside a usual panel (44 px) on the screen, which
// the window system may not have told the program of.
bool fitsBesideAPanel(const QWidget &window)
{
    const QRect screen = window.screen()->geometry();
    const QRect frame = window.frameGeometry();
    return frame.height() <= screen.height() - 44 && frame.width() <= screen.width();
}

} // namespace

void TestWindowSystem::fromTheMainWindowToAGameAndBack()
{
    Desk desk(QDateTime(QDate(2024, 5, 18), QTime(9, 30, 0)), 3);
    writeBytes(desk.file(QStringLiteral("設定.txt")), sjis(QStringLiteral("\"ヘルプツアー\",0\n")));
    useProgramLook();
    Application application(desk.services);
    application.showMain();
    QVERIFY(QTest::qWaitForWindowExposed(application.mainWindow()));
    QVERIFY(fitsBesideAPanel(*application.mainWindow()));

    application.openGame(1);
    QVERIFY(application.gameWindow());
    QVERIFY(QTest::qWaitForWindowExposed(application.gameWindow()));
    QVERIFY(fitsBesideAPanel(*application.gameWindow()));
    QTRY_VERIFY(!application.mainWindow());

    application.gameWindow()->findChild<QPushButton *>(QStringLiteral("cmdEnd"))->click();
    QTRY_VERIFY(application.mainWindow());
    QVERIFY(QTest::qWaitForWindowExposed(application.mainWindow()));
    QTRY_VERIFY(!application.gameWindow());
    QVERIFY(desk.messages.shown().isEmpty());
}

QTEST_MAIN(TestWindowSystem)
#include "tst_windowsystem.moc"
