#include "Desk.h"
#include "ScriptedMessageBoxes.h"
#include "Widgets.h"

#include "app/Application.h"
#include "app/frmMain.h"
#include "bench/SampleData.h"
#include "games/common/GameWindow.h"
#include "records/Services.h"
#include "ui/Chart.h"
#include "ui/Grid.h"
#include "ui/Look.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

#include <optional>

using namespace kotohana;
using namespace kotohana::test;

namespace {

// Room the view keeps beside a cell's text, and a heading's, before it cuts the text to "…".
constexpr int kCellRoom = 6;
constexpr int kHeadingRoom = 8;

// Every cell and heading of every grid in sight must show whole: a column is at least as wide
// as its texts (a diary column, which takes the room left, cuts a longer line and shows it
// whole in a tooltip). Gives the first one that does not, or nothing.
QString firstCutText(const QWidget &window)
{
    for (const Grid *grid : window.findChildren<Grid *>()) {
        if (!grid->isVisible())
            continue;
        const QFontMetrics metrics(grid->font());
        for (int col = 0; col < grid->cols(); ++col) {
            const int width = grid->horizontalHeader()->sectionSize(col);
            for (int row = 0; row < (col == grid->fillColumn() ? 1 : grid->rows()); ++row) {
                const QString text = grid->textMatrix(row, col);
                if (metrics.horizontalAdvance(text) + (row == 0 ? kHeadingRoom : kCellRoom) > width)
                    return QStringLiteral("%1 row %2 column %3: \"%4\" in %5 px")
                        .arg(grid->objectName())
                        .arg(row)
                        .arg(col)
                        .arg(text)
                        .arg(width);
            }
        }
    }
    return {};
}

// A list in sight whose columns do not all fit, so that it scrolls sideways; or nothing.
QString firstSidewaysList(const QWidget &window)
{
    for (const Grid *grid : window.findChildren<Grid *>()) {
        if (grid->isVisible() && grid->horizontalScrollBar()->isVisible())
            return QStringLiteral("%1: %2 px of columns in %3 px")
                .arg(grid->objectName())
                .arg(grid->horizontalHeader()->length())
                .arg(grid->viewport()->width());
    }
    return {};
}

// Nor does a list in sight show its last row only in part.
QString flaws(const QWidget &window)
{
    for (const Grid *grid : window.findChildren<Grid *>()) {
        const QRect last = grid->visualRect(grid->model()->index(grid->rows() - 2, 0));
        if (grid->isVisible() && last.top() < grid->viewport()->height() && last.bottom() >= grid->viewport()->height())
            return grid->objectName() + QStringLiteral(": last row cut");
    }
    return firstCutText(window) + firstSidewaysList(window);
}

// Each control in sight that Tab reaches (not through another) with no accessible name, and
// each chart in sight that does not say what it charts. A list box gives its entry as its name.
QStringList namelessControls(const QWidget &window)
{
    QStringList nameless;
    for (QWidget *control : window.findChildren<QWidget *>()) {
        if (!control->isVisible() || !(control->focusPolicy() & Qt::TabFocus) || control->focusProxy())
            continue;
        const QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(control);
        if ((qobject_cast<QComboBox *>(control) ? control->accessibleName() : accessible->text(QAccessible::Name)).isEmpty())
            nameless << window.objectName() + QStringLiteral(": no name for ") + control->objectName();
        if (qobject_cast<Chart *>(control) && accessible->text(QAccessible::Description).isEmpty())
            nameless << window.objectName() + QStringLiteral(": no description for ") + control->objectName();
    }
    return nameless;
}

// What a screen reader misses under a node: a name (of something focusable, a picture, a
// shape, a list's heading), a list box's caption; or a page of the menu read as a check box.
void unreadable(QAccessibleInterface *node, QStringList &found)
{
    const QObject *object = node->object();
    const QString name = node->text(QAccessible::Name);
    const bool picture = object && (object->inherits("kotohana::Picture") || object->inherits("kotohana::Shape"));
    const auto labels = node->relations(QAccessible::Label); // a caption first, then the frame around
    if (node->role() == QAccessible::ComboBox
            ? (labels.isEmpty() || labels.first().first->role() != QAccessible::StaticText) && name == node->text(QAccessible::Value)
            : (name.isEmpty() && (picture || node->state().focusable || node->role() == QAccessible::ColumnHeader))
                || (node->role() == QAccessible::CheckBox && object->inherits("QPushButton")))
        found << QStringLiteral("%1 (role %2)").arg(object ? object->objectName() : QString()).arg(node->role());
    const int children = node->tableInterface() ? node->tableInterface()->columnCount() : node->childCount(); // a list's headings
    for (int i = 0; i < children; ++i)
        if (QAccessibleInterface *child = node->child(i); child && !child->state().invisible)
            unreadable(child, found);
}

void settle()
{
    QTest::qWait(20);
}

} // namespace

// A guard over every list of the program: at the window's default size and at the smallest
// it allows, over a data folder as a player's would look, no cell is cut and no list has to
// be scrolled sideways to show its columns; and a screen reader has a name for every control
// in sight that Tab reaches and a description of every chart.
class TestLayout : public QObject
{
    Q_OBJECT

private:
    std::optional<Desk> m_desk;

    template <typename Look>
    void atBothSizes(QWidget &window, const Look &look)
    {
        const QSize opened = window.size();
        look(QStringLiteral("default size"));
        window.resize(window.minimumSize().expandedTo(window.minimumSizeHint()));
        settle();
        look(QStringLiteral("smallest size"));
        window.resize(opened);
        settle();
    }

private Q_SLOTS:
    void initTestCase()
    {
        useProgramLook(); // the texts are measured in the fonts the program shows them in
        m_desk.emplace(QDateTime(), 5);
        m_desk->clock.set(sample::fillFolder(m_desk->folder, 400, 30));
    }

    void everyWindowReadsWhole()
    {
        // Every window opens wholly on the screen; on the smallest supported, 1280×720, at most 660 px high.
        const auto onScreen = [](const QWidget *window) {
            const QRect available = window->screen()->availableGeometry();
            return available.contains(window->frameGeometry()) && (available.height() > 720 || window->height() <= 660);
        };
        Application application(m_desk->services);
        application.state().welcomeShown = true;
        application.showMain();
        frmMain *main = application.mainWindow();
        QVERIFY(main);
        settle();
        QVERIFY(onScreen(main));
        QStringList nameless;
        const char *pages[] = {"cmdMain",    "cmdTaijyu",  "cmdRentai", "cmdCale",
                               "cmdBunseki", "cmdSyuukei", "cmdSettei", "cmdMemo"};
        atBothSizes(*main, [&](const QString &size) {
            for (const char *page : pages) {
                main->findChild<QAbstractButton *>(QString::fromLatin1(page))->click();
                settle();
                const QString cut = flaws(*main);
                QVERIFY2(cut.isEmpty(), qPrintable(QStringLiteral("%1, %2: %3").arg(QString::fromLatin1(page), size, cut)));
                nameless << namelessControls(*main);
                unreadable(QAccessible::queryAccessibleInterface(main), nameless);
            }
            // A diary line saved, longer than its column: the list is laid out as before.
            auto *diary = main->findChild<Grid *>(QStringLiteral("msgMemoList"));
            QTest::mouseClick(diary->viewport(), Qt::LeftButton, {},
                              diary->visualRect(diary->model()->index(diary->topRow(), 5)).center());
            main->findChild<QLineEdit *>(QStringLiteral("txtMemo"))->setText(QString(70, u'長'));
            main->findChild<QAbstractButton *>(QStringLiteral("cmdMemoHozon"))->click();
            settle();
            QVERIFY2(flaws(*main).isEmpty(), qPrintable(QStringLiteral("diary saved, %1: %2").arg(size, flaws(*main))));
        });

        for (int game = 1; game <= 7; ++game) {
            application.openGame(game);
            GameWindow *window = application.gameWindow();
            QVERIFY(window);
            settle();
            QVERIFY2(onScreen(window), qPrintable(window->objectName()));
            atBothSizes(*window, [&](const QString &size) {
                const QString cut = flaws(*window);
                QVERIFY2(cut.isEmpty(), qPrintable(QStringLiteral("game %1, %2: %3").arg(game).arg(size, cut)));
            });
            // The answer boxes show only in a play, 連想心理's topic history only when asked for.
            stopTimers(*window);
            startPlay(*window, m_desk->clock);
            nameless << namelessControls(*window);
            unreadable(QAccessible::queryAccessibleInterface(window), nameless);
            if (auto *topics = window->findChild<QAbstractButton *>(QStringLiteral("cmdSyousai")))
                topics->click();
            nameless << namelessControls(*window);
            m_desk->messages.answerNext(true); // leaves the play
            window->findChild<QAbstractButton *>(QStringLiteral("cmdEnd"))->click();
            settle();
            QVERIFY(onScreen(application.mainWindow()));
        }
        nameless.removeDuplicates();
        QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
