#include "ui/Chart.h"
#include "ui/Colors.h"
#include "ui/Grid.h"
#include "ui/GridModel.h"
#include "ui/MonthView.h"
#include "ui/QtMessageBoxes.h"
#include "ui/ScreenFit.h"
#include "ui/YearGridView.h"

#include <QAbstractItemModelTester>
#include <QAccessible>
#include <QApplication>
#include <QFontMetricsF>
#include <QGraphicsTextItem>
#include <QLabel>
#include <QDialog>
#include <QTimer>
#include <QToolTip>
#include <QHelpEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QValueAxis>

using namespace kotohana;

namespace {

// A list the way the program fills one: headings, then one row per record.
void fill(Grid &grid, const QList<QStringList> &rows)
{
    grid.setCols(3);
    grid.setRows(1);
    grid.setTextMatrix(0, 0, QString());
    grid.setTextMatrix(0, 1, QStringLiteral("項目"));
    grid.setTextMatrix(0, 2, QStringLiteral("秒"));
    grid.setRows(int(rows.size()) + 1);
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < 3; ++c)
            grid.setTextMatrix(r + 1, c, rows[r][c]);
}

// Rows made on demand: row r shows "r", a letter from the end of the alphabet and r * 10,
// and counts how often it was asked, so a test can see that nothing was copied ahead.
class CountingRows final : public GridRows
{
public:
    explicit CountingRows(int rows)
        : m_rows(rows)
    {
    }
    int count() const override { return m_rows; }
    QString text(int row, int col) const override
    {
        ++asked;
        switch (col) {
        case 0:
            return QString::number(row + 1);
        case 1:
            return QString(QChar(char16_t(u'z' - row % 26))); // z, y, x ... for the first 26 rows
        default:
            return QString::number((row + 1) * 10);
        }
    }
    mutable int asked = 0;

private:
    int m_rows;
};

QStringList column(const Grid &grid, int col)
{
    QStringList texts;
    for (int r = 1; r < grid.rows(); ++r)
        texts.append(grid.textMatrix(r, col));
    return texts;
}

} // namespace

class TestGrid : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cellsRowsAndHeadings();
    void modelPassesTheTester();
    void currentCellAndColours();
    void removeItemClosesTheGap();
    void rowsFromASource();
    void sorts_data();
    void sorts();
    void topRowAcceptsHeadingOnlyGrid();
    void topRowShowsTheNewestRow();
    void clickPicksTheRow();
    void widthsInTwips();
    void listAsksForRoomForItsColumns();
    void columnsFollowTextsWrittenOver();
    void windowsColours();
    void chartFromHeadingOnlyGridHasNoPoints();
    void chartHoldsValuesAndLabels();
    void chartValueAxisReadable();
    void longChartShowsEveryPointAndScrolls();
    void monthViewValue();
    void yearGridDaysAtEveryScale_data();
    void yearGridDaysAtEveryScale();
    void messageBoxesKeepTheirLines();
    void placeOnScreen_data();
    void placeOnScreen();
};

void TestGrid::cellsRowsAndHeadings()
{
    Grid grid;
    fill(grid, {{QStringLiteral("1"), QStringLiteral("プラマイ"), QStringLiteral("60")}});
    QCOMPARE(grid.rows(), 2);
    QCOMPARE(grid.cols(), 3);
    QCOMPARE(grid.textMatrix(1, 1), QStringLiteral("プラマイ"));
    QCOMPARE(grid.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("項目"));
    QCOMPARE(grid.model()->rowCount(), 1);

    grid.setRows(4); // larger: empty rows at the end
    QCOMPARE(grid.textMatrix(3, 1), QString());
    QCOMPARE(grid.textMatrix(1, 1), QStringLiteral("プラマイ"));
    grid.setRows(1); // smaller: rows at the end dropped, headings kept
    QCOMPARE(grid.rows(), 1);
    QCOMPARE(grid.textMatrix(0, 2), QStringLiteral("秒"));
    QCOMPARE(grid.textMatrix(5, 5), QString()); // outside the grid reads as empty

    grid.setCols(4); // widening keeps the cells
    QCOMPARE(grid.textMatrix(0, 1), QStringLiteral("項目"));

    grid.clear();
    QCOMPARE(grid.textMatrix(0, 1), QString());
    QCOMPARE(grid.rows(), 1);
}

void TestGrid::modelPassesTheTester()
{
    Grid grid;
    QAbstractItemModelTester tester(&grid.gridModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    fill(grid,
         {{QStringLiteral("1"), QStringLiteral("b"), QStringLiteral("3")},
          {QStringLiteral("2"), QStringLiteral("a"), QStringLiteral("1")}});
    grid.setCol(2);
    grid.sort(Grid::SortSetting::NumericAscending);
    grid.removeItem(1);
    grid.setCols(5);
    grid.setRows(10);
    grid.setTextMatrix(9, 4, QStringLiteral("x"));
    QCoreApplication::processEvents(); // lets the grouped change notice go out
    grid.clear();
    grid.setRows(1);
}

void TestGrid::currentCellAndColours()
{
    Grid grid;
    fill(grid,
         {{QStringLiteral("1"), QStringLiteral("a"), QStringLiteral("5")},
          {QStringLiteral("2"), QStringLiteral("b"), QStringLiteral("6")}});
    grid.setRow(2);
    grid.setCol(1);
    QCOMPARE(grid.text(), QStringLiteral("b"));
    grid.setText(QStringLiteral("c"));
    QCOMPARE(grid.textMatrix(2, 1), QStringLiteral("c"));

    QVERIFY(!grid.cellBackColor().isValid());
    grid.setCellBackColor(QColor(255, 192, 192));
    grid.setCellForeColor(Qt::blue);
    QCOMPARE(grid.cellBackColor(), QColor(255, 192, 192));
    const QModelIndex cell = grid.model()->index(1, 1);
    QCOMPARE(cell.data(Qt::BackgroundRole).value<QColor>(), QColor(255, 192, 192));
    QCOMPARE(cell.data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::blue));
    grid.setRow(1);
    QVERIFY(!grid.cellBackColor().isValid());

    // Colours travel with their rows when sorted.
    grid.setCol(2);
    grid.sort(Grid::SortSetting::NumericDescending);
    grid.setRow(1);
    grid.setCol(1);
    QCOMPARE(grid.text(), QStringLiteral("c"));
    QCOMPARE(grid.cellBackColor(), QColor(255, 192, 192));

    grid.setColAlignment(2, Grid::Align::Right);
    grid.setFixedAlignment(2, Grid::Align::Center);
    QCOMPARE(Qt::Alignment(grid.model()->index(0, 2).data(Qt::TextAlignmentRole).toInt()), Qt::AlignRight | Qt::AlignVCenter);
    QCOMPARE(Qt::Alignment(grid.model()->headerData(2, Qt::Horizontal, Qt::TextAlignmentRole).toInt()),
             Qt::AlignHCenter | Qt::AlignVCenter);
}

void TestGrid::removeItemClosesTheGap()
{
    Grid grid;
    fill(grid,
         {{QStringLiteral("1"), QStringLiteral("a"), QStringLiteral("1")},
          {QStringLiteral("2"), QStringLiteral("b"), QStringLiteral("2")},
          {QStringLiteral("3"), QStringLiteral("c"), QStringLiteral("3")}});
    grid.removeItem(2);
    QCOMPARE(grid.rows(), 3);
    QCOMPARE(column(grid, 0), (QStringList{QStringLiteral("1"), QStringLiteral("3")}));
    grid.removeItem(0); // the heading row is not a data row
    QCOMPARE(grid.rows(), 3);
}

void TestGrid::rowsFromASource()
{
    {
        // Only what is shown, and what the column widths are measured on, is made.
        Grid unshown;
        auto many = std::make_shared<CountingRows>(100000);
        unshown.setRowSource(many);
        QCOMPARE(unshown.rows(), 100001);
        QCoreApplication::processEvents();
        QVERIFY(many->asked < 5000);
    }
    Grid grid;
    QAbstractItemModelTester tester(&grid.gridModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    fill(grid, {});
    grid.setRowSource(std::make_shared<CountingRows>(4));
    QCOMPARE(grid.rows(), 5);
    QCOMPARE(grid.textMatrix(0, 1), QStringLiteral("項目"));
    QCOMPARE(column(grid, 1), (QStringList{QStringLiteral("z"), QStringLiteral("y"), QStringLiteral("x"), QStringLiteral("w")}));

    // A cell written over keeps its text and its colour through a sort, with its own row.
    grid.setRow(2);
    grid.setCol(1);
    grid.setText(QStringLiteral("書いた"));
    grid.setCellBackColor(QColor(255, 192, 192));
    grid.setCol(1);
    grid.sort(Grid::SortSetting::TextAscending);
    QCOMPARE(column(grid, 0), (QStringList{QStringLiteral("4"), QStringLiteral("3"), QStringLiteral("1"), QStringLiteral("2")}));
    QCOMPARE(grid.textMatrix(4, 1), QStringLiteral("書いた"));
    QCOMPARE(grid.gridModel().backColor(4, 1), QColor(255, 192, 192));
    grid.setCol(2);
    grid.sort(Grid::SortSetting::NumericDescending);
    QCOMPARE(column(grid, 2),
             (QStringList{QStringLiteral("40"), QStringLiteral("30"), QStringLiteral("20"), QStringLiteral("10")}));
    QCOMPARE(grid.textMatrix(3, 1), QStringLiteral("書いた"));

    grid.removeItem(1);
    QCOMPARE(column(grid, 0), (QStringList{QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("1")}));
    QCOMPARE(grid.gridModel().backColor(2, 1), QColor(255, 192, 192));

    // A change of shape the source cannot follow keeps every text shown.
    grid.setRows(5);
    QCOMPARE(column(grid, 1), (QStringList{QStringLiteral("x"), QStringLiteral("書いた"), QStringLiteral("z"), QString()}));
    grid.setRowSource(std::make_shared<CountingRows>(2));
    QCOMPARE(column(grid, 1), (QStringList{QStringLiteral("z"), QStringLiteral("y")}));
    QVERIFY(!grid.gridModel().backColor(1, 1).isValid());
    grid.setRows(1);
    QCOMPARE(grid.rows(), 1);
    QCOMPARE(grid.textMatrix(0, 2), QStringLiteral("秒"));
    grid.setRowSource(std::make_shared<CountingRows>(3));
    grid.clear();
    QCOMPARE(grid.rows(), 4);
    QCOMPARE(grid.textMatrix(2, 1), QString());
    QCoreApplication::processEvents();
}

void TestGrid::sorts_data()
{
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("setting");
    QTest::addColumn<QStringList>("order");
    // Rows: number, item, seconds.
    QTest::newRow("numeric ascending") << 2 << 3
                                       << QStringList{QStringLiteral("4"), QStringLiteral("3"), QStringLiteral("1"),
                                                      QStringLiteral("2")};
    QTest::newRow("numeric descending") << 2 << 4
                                        << QStringList{QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("3"),
                                                       QStringLiteral("4")};
    QTest::newRow("text ascending") << 1 << 7
                                    << QStringList{QStringLiteral("3"), QStringLiteral("1"), QStringLiteral("4"),
                                                   QStringLiteral("2")};
    QTest::newRow("text descending") << 1 << 8
                                     << QStringList{QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("4"),
                                                    QStringLiteral("3")};
}

void TestGrid::sorts()
{
    QFETCH(int, col);
    QFETCH(int, setting);
    QFETCH(QStringList, order);
    Grid grid;
    // 100 before 9 numerically but after it as text; row 4 has no number at all; rows 1 and 4
    // share an item, and a stable sort keeps them in their order.
    fill(grid,
         {{QStringLiteral("1"), QStringLiteral("しりとり"), QStringLiteral("47.3")},
          {QStringLiteral("2"), QStringLiteral("プラマイ"), QStringLiteral("100")},
          {QStringLiteral("3"), QStringLiteral("あいう"), QStringLiteral("9")},
          {QStringLiteral("4"), QStringLiteral("しりとり"), QString()}});
    grid.setCol(col);
    grid.sort(Grid::SortSetting(setting));
    QCOMPARE(column(grid, 0), order);
    QCOMPARE(grid.textMatrix(0, 1), QStringLiteral("項目")); // headings stay on top
}

void TestGrid::topRowAcceptsHeadingOnlyGrid()
{
    Grid grid;
    fill(grid, {});
    grid.setTopRow(grid.rows() - 1);
    QCOMPARE(grid.topRow(), 0);
    grid.setTopRow(5);
    QCOMPARE(grid.topRow(), 0);
}

void TestGrid::topRowShowsTheNewestRow()
{
    Grid grid;
    grid.resize(300, 200);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QList<QStringList> rows;
    for (int i = 1; i <= 200; ++i)
        rows.append({QString::number(i), QStringLiteral("プラマイ"), QStringLiteral("60")});
    fill(grid, rows);
    grid.setTopRow(grid.rows() - 1);
    QCOMPARE(grid.topRow(), 200);
    QCoreApplication::processEvents();
    const QModelIndex newest = grid.model()->index(199, 0);
    QVERIFY(grid.viewport()->rect().intersects(grid.visualRect(newest)));
    grid.setTopRow(1);
    QVERIFY(grid.viewport()->rect().contains(grid.visualRect(grid.model()->index(0, 0)).topLeft()));

    // A list filled while its page is hidden still opens on its newest row.
    grid.hide();
    fill(grid, rows);
    grid.setRow(1);
    grid.setTopRow(grid.rows() - 1);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QCoreApplication::processEvents();
    QVERIFY(grid.viewport()->rect().intersects(grid.visualRect(newest)));
}

void TestGrid::clickPicksTheRow()
{
    Grid grid;
    grid.resize(400, 300);
    fill(grid,
         {{QStringLiteral("1"), QStringLiteral("a"), QStringLiteral("1")},
          {QStringLiteral("2"), QStringLiteral("b"), QStringLiteral("2")}});
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QSignalSpy clicked(&grid, &Grid::clicked);
    const QRect cell = grid.visualRect(grid.model()->index(1, 2));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(clicked.size(), 1);
    QCOMPARE(grid.row(), 2);
    QCOMPARE(grid.col(), 2);
    // A click on the heading row is a click too, and leaves the current row alone.
    const int headingX = grid.horizontalHeader()->sectionViewportPosition(1) + 5;
    QTest::mouseClick(grid.horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(headingX, 5));
    QCOMPARE(clicked.size(), 2);
    QCOMPARE(grid.row(), 2);
    // Typing goes to the row whose text in the current cell's column begins with what was typed.
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(grid.model()->index(1, 1)).center());
    QTest::keyClick(&grid, 'a');
    QCOMPARE(grid.row(), 1);
    grid.setRow(2);
    QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier); // to the last cell of the row, which stays marked
    QVERIFY(grid.selectionModel()->isRowSelected(1));
}

void TestGrid::widthsInTwips()
{
    Grid grid;
    grid.resize(100, 100); // narrower than its columns: widths as given, scrolled sideways
    grid.setCols(2);
    grid.setColWidth(0, 720);
    grid.setColWidth(1, 1440);
    QCOMPARE(grid.colWidth(1), 1440);
    QCOMPARE(grid.horizontalHeader()->sectionSize(0), grid.logicalDpiX() / 2);
    QCOMPARE(grid.horizontalHeader()->sectionSize(1), grid.logicalDpiX());
    // Wider: the columns share the spare width in proportion and fill the grid.
    grid.show();
    grid.resize(1000, 100);
    const int first = grid.horizontalHeader()->sectionSize(0);
    const int second = grid.horizontalHeader()->sectionSize(1);
    QVERIFY(std::abs(second - 2 * first) <= 2);
    QVERIFY(first + second > 900);
    QCOMPARE(grid.colWidth(1), 1440);
    grid.setFontSize(11);
    QCOMPARE(grid.fontSize(), 11);

    // A width asked for is a least width: a column is never narrower than its texts.
    Grid narrow;
    narrow.resize(150, 100);
    narrow.setCols(2);
    narrow.setColWidth(0, 100);
    narrow.setColWidth(1, 100);
    narrow.setRows(3);
    narrow.setTextMatrix(0, 1, QStringLiteral("正解率"));
    narrow.setTextMatrix(2, 1, QStringLiteral("2026/12/07 08:07:59"));
    narrow.show();
    const QFontMetrics metrics(narrow.font());
    QTRY_VERIFY(narrow.horizontalHeader()->sectionSize(1) > metrics.horizontalAdvance(QStringLiteral("2026/12/07 08:07:59")));
    QVERIFY(narrow.horizontalHeader()->sectionSize(0) > metrics.horizontalAdvance(QString()));
    QVERIFY(narrow.horizontalScrollBar()->maximum() > 0); // too narrow a list scrolls sideways

    // A row added to a long list, and a cell written in its middle (a diary line), widen their
    // column: they are measured though the list is measured only at its ends.
    narrow.setRows(1);
    narrow.setRows(300);
    for (int row = 1; row < 300; ++row)
        narrow.setTextMatrix(row, 1, QStringLiteral("12:00"));
    const QString added = QStringLiteral("2026/12/07 08:07:59 最後に加えた行です");
    const QString written = QStringLiteral("2026/12/07 08:07:59 真ん中の行に書いた一言日記です");
    QTRY_VERIFY(narrow.horizontalHeader()->sectionSize(1) < metrics.horizontalAdvance(added));
    narrow.setRows(301);
    narrow.setTextMatrix(300, 1, added);
    QTRY_VERIFY(narrow.horizontalHeader()->sectionSize(1) > metrics.horizontalAdvance(added));
    narrow.setTextMatrix(150, 1, written);
    QTRY_VERIFY(narrow.horizontalHeader()->sectionSize(1) > metrics.horizontalAdvance(written));
    narrow.setRows(3);
    narrow.setTextMatrix(2, 1, QStringLiteral("2026/12/07 08:07:59"));

    // A text wider than its cell (a long diary line) shows whole in a tooltip.
    narrow.setColWidth(1, 100);
    narrow.horizontalHeader()->resizeSection(1, 40);
    const QRect cell = narrow.visualRect(narrow.model()->index(1, 1));
    QHelpEvent hover(QEvent::ToolTip, cell.center(), narrow.viewport()->mapToGlobal(cell.center()));
    QApplication::sendEvent(narrow.viewport(), &hover);
    QCOMPARE(QToolTip::text(), QStringLiteral("2026/12/07 08:07:59"));
}

// A list that keeps its columns in view makes its window at least as wide as they need, up
// to a limit: a text of extraordinary length makes it scroll sideways instead.
void TestGrid::listAsksForRoomForItsColumns()
{
    QWidget window;
    auto *layout = new QHBoxLayout(&window);
    auto *grid = new Grid(&window);
    layout->addWidget(grid);
    grid->setCols(3);
    grid->setRows(2);
    grid->setTextMatrix(1, 1, QStringLiteral("2026/12/07 08:07:59"));
    grid->setTextMatrix(1, 2, QStringLiteral("お弁当に入っていてうれしいもの"));
    grid->setColumnsInView(true);
    window.show();
    window.resize(window.minimumSizeHint());
    QCoreApplication::processEvents();
    QVERIFY(!grid->horizontalScrollBar()->isVisible());
    QVERIFY(grid->horizontalHeader()->length() <= grid->viewport()->width());

    grid->setTextMatrix(1, 2, QString(200, u'長'));
    QCoreApplication::processEvents();
    QVERIFY(window.minimumSizeHint().width() < 1000);
}

// Texts written over narrow their column again, and texts written just before rows are
// added in the same turn still count.
void TestGrid::columnsFollowTextsWrittenOver()
{
    const QString wide = QStringLiteral("2026/12/07 08:07:59 長い一言日記の行");
    const auto fill = [](Grid &grid, int rows, const QString &text) {
        for (int row = 1; row < rows; ++row)
            grid.setTextMatrix(row, 1, text);
    };
    Grid grid;
    grid.resize(150, 200);
    grid.setCols(2);
    grid.setColWidth(1, 100);
    grid.setRows(3);
    fill(grid, 3, wide);
    QTRY_VERIFY(grid.horizontalHeader()->sectionSize(1) > QFontMetrics(grid.font()).horizontalAdvance(wide));
    grid.setRows(4);
    fill(grid, 4, QStringLiteral("短"));
    Grid fresh;
    fresh.resize(150, 200);
    fresh.setCols(2);
    fresh.setColWidth(1, 100);
    fresh.setRows(4);
    fill(fresh, 4, QStringLiteral("短"));
    QTRY_COMPARE(grid.horizontalHeader()->sectionSize(1), fresh.horizontalHeader()->sectionSize(1));

    Grid growing;
    growing.resize(150, 200);
    growing.setCols(2);
    growing.setColWidth(1, 100);
    QCoreApplication::processEvents();
    growing.setRows(3);
    growing.setTextMatrix(2, 1, wide);
    growing.setRows(4);
    growing.setTextMatrix(3, 1, QStringLiteral("短"));
    QTRY_VERIFY(growing.horizontalHeader()->sectionSize(1) > QFontMetrics(growing.font()).horizontalAdvance(wide));
}

void TestGrid::windowsColours()
{
    QCOMPARE(windowsColor(0xC0C0FF), QColor(255, 192, 192)); // light red: red in the low byte
    QCOMPARE(windowsColor(0xFFC0C0), QColor(192, 192, 255)); // light blue
    QCOMPARE(windowsColor(0xC0E0FF), QColor(255, 224, 192));
    QCOMPARE(windowsColor(kButtonFace), QGuiApplication::palette().color(QPalette::Button));
}

void TestGrid::chartFromHeadingOnlyGridHasNoPoints()
{
    Grid grid;
    fill(grid, {});
    Chart chart;
    chart.resize(300, 200);
    chart.show();
    chart.setSeriesCount(1);
    chart.setCurrentSeries(1);
    chart.setPointCount(grid.rows() - 1);
    QCOMPARE(chart.pointCount(), 0);
    chart.setCurrentPoint(1); // nothing to pick; must not fail
    chart.setValue(5);
    QCoreApplication::processEvents(); // draws the empty chart
    QCOMPARE(chart.value(1, 1), 0.0);
    // Nothing to show: a line of text, not a frame with a 0 to 1 axis.
    QVERIFY(chart.showsEmptyText());
    QCOMPARE(chart.chart()->title(), chart.emptyText());
    // In a narrow chart the line is set smaller rather than cut.
    chart.resize(150, 200);
    QCoreApplication::processEvents();
    QVERIFY(QFontMetricsF(chart.chart()->titleFont()).horizontalAdvance(chart.emptyText()) <= chart.viewport()->width() - 24);
    chart.resize(300, 200);
    QVERIFY(chart.chart()->series().isEmpty());
    QVERIFY(chart.chart()->axes().isEmpty());
    // A value axis asked for is drawn even without bars, and the text goes.
    chart.setValueMaximum(120);
    QCoreApplication::processEvents();
    QVERIFY(chart.chart()->title().isEmpty());
    const auto *values = qobject_cast<QValueAxis *>(chart.chart()->axes(Qt::Vertical).value(0));
    QVERIFY(values && values->max() >= 120);
}

void TestGrid::chartHoldsValuesAndLabels()
{
    Chart chart;
    chart.setSeriesCount(3);
    chart.setPointCount(2);
    chart.setCurrentSeries(2);
    chart.setCurrentPoint(2);
    chart.setValueText(u"47.3");
    chart.setLabel(QStringLiteral("05/18"));
    chart.setCurrentPoint(1);
    chart.setLabel(QString());
    QCOMPARE(chart.seriesCount(), 3);
    QCOMPARE(chart.value(2, 2), 47.3);
    QCOMPARE(chart.value(1, 2), 0.0);
    QCOMPARE(chart.label(2), QStringLiteral("05/18"));
    QCOMPARE(chart.label(1), QString());
    chart.setSeriesCount(7);
    QCOMPARE(chart.seriesCount(), Chart::kMaxSeries);
    QCoreApplication::processEvents();
}

void TestGrid::chartValueAxisReadable()
{
    // In a short chart every value label is a whole number, none cut to "...".
    for (const auto &[largest, height] : {std::pair{0.0, 140}, {0.0, 90}, {84.0, 120}}) {
        Chart chart;
        chart.resize(280, height);
        chart.show();
        chart.setLabel(QStringLiteral("火"));
        chart.setValue(largest);
        QTest::qWait(50);
        QStringList labels;
        for (const QGraphicsItem *item : chart.scene()->items()) {
            if (const auto *text = dynamic_cast<const QGraphicsTextItem *>(item); text && text->isVisible())
                labels << text->toPlainText();
        }
        const QString shown = labels.join(u' ').remove(u'火').simplified();
        QVERIFY2(QRegularExpression(QStringLiteral("^\\d+( \\d+)+$")).match(shown).hasMatch(), qPrintable(shown));
    }
}

void TestGrid::longChartShowsEveryPointAndScrolls()
{
    Chart chart;
    chart.resize(400, 250);
    chart.show();
    chart.setPointCount(1000);
    for (int i = 1; i <= 1000; ++i) {
        chart.setCurrentPoint(i);
        chart.setValue(i % 7 == 0 ? 100.0 : 1.0); // a lone peak between small neighbours
    }
    QCoreApplication::processEvents();
    const auto shown = [&chart] {
        const auto *bars = qobject_cast<QBarSeries *>(chart.chart()->series().value(0));
        return bars ? bars->barSets().value(0)->count() : -1;
    };
    const auto bar = [&chart](int i) {
        return qobject_cast<QBarSeries *>(chart.chart()->series().value(0))->barSets().value(0)->at(i);
    };
    // Opened on the newest points, one bar each: no bar stands for several points.
    QCOMPARE(chart.firstShown() + chart.shownCount() - 1, 1000);
    QCOMPARE(shown(), chart.shownCount());
    for (int i = 0; i < chart.shownCount(); ++i)
        QCOMPARE(bar(i), chart.value(1, chart.firstShown() + i));
    // A wider chart shows more bars, still ending at the newest point.
    const int narrowBars = chart.shownCount();
    chart.resize(800, 250);
    QCoreApplication::processEvents();
    QVERIFY(chart.shownCount() > narrowBars);
    QCOMPARE(shown(), chart.shownCount());
    QCOMPARE(chart.firstShown() + chart.shownCount() - 1, 1000);
    // A point added at the end (a play just saved) comes into view; the others keep their values.
    chart.appendPoint();
    chart.setCurrentPoint(1001);
    chart.setValue(55);
    QCoreApplication::processEvents();
    QCOMPARE(chart.pointCount(), 1001);
    QCOMPARE(chart.firstShown() + chart.shownCount() - 1, 1001);
    QCOMPARE(bar(chart.shownCount() - 1), 55.0);
    QCOMPARE(chart.value(1, 7), 100.0);
    // The value axis and the point labels follow what is added.
    chart.appendPoint();
    chart.setCurrentPoint(1002);
    chart.setValue(5000);
    chart.setLabel(QStringLiteral("12/07"));
    QCoreApplication::processEvents();
    QCOMPARE(bar(chart.shownCount() - 1), 5000.0);
    QVERIFY(qobject_cast<QValueAxis *>(chart.chart()->axes(Qt::Vertical).value(0))->max() >= 5000.0);
    QCOMPARE(qobject_cast<QCategoryAxis *>(chart.chart()->axes(Qt::Horizontal).value(0))->categoriesLabels(),
             QStringList{QStringLiteral("12/07")});
    // A chart filled again shows the axis a chart filled once with the same values shows.
    const auto fill = [](Chart &target, const QList<double> &values) {
        target.setPointCount(int(values.size()));
        for (int i = 0; i < values.size(); ++i) {
            target.setCurrentPoint(i + 1);
            target.setValue(values[i]);
        }
        QCoreApplication::processEvents();
    };
    const auto valueAxis = [](const Chart &of) { return qobject_cast<QValueAxis *>(of.chart()->axes(Qt::Vertical).value(0)); };
    Chart refilled;
    refilled.resize(400, 250);
    fill(refilled, {10, 4, 6, 5});
    fill(refilled, {100, 300, 600, 5});
    Chart once;
    once.resize(400, 250);
    fill(once, {100, 300, 600, 5});
    QCOMPARE(valueAxis(refilled)->max(), valueAxis(once)->max());
    QCOMPARE(valueAxis(refilled)->tickCount(), valueAxis(once)->tickCount());
    auto *scroll = chart.findChild<QScrollBar *>(QStringLiteral("chartScroll"));
    QVERIFY(!scroll->isHidden());
    scroll->setValue(0); // the user scrolls to the oldest
    QCoreApplication::processEvents();
    QCOMPARE(chart.firstShown(), 1);
    QCOMPARE(bar(6), 100.0);
    QCOMPARE(bar(5), 1.0);
    QVERIFY(qobject_cast<QCategoryAxis *>(chart.chart()->axes(Qt::Horizontal).value(0))->categoriesLabels().isEmpty());

    chart.setPointCount(10); // a short series needs no scrolling
    chart.setCurrentPoint(3);
    chart.setValue(5);
    QCoreApplication::processEvents();
    QVERIFY(scroll->isHidden());
    QCOMPARE(shown(), 10);
}

void TestGrid::monthViewValue()
{
    MonthView view;
    QSignalSpy clicks(&view, &MonthView::dateClick);
    view.setValue(QDate(2024, 2, 29));
    QCOMPARE(view.value(), QDate(2024, 2, 29));
    QCOMPARE(view.monthShown(), 2);
    QCOMPARE(clicks.size(), 0); // only the user's picks are clicks
    QCOMPARE(view.heading(), QStringLiteral("2024年2月"));
    view.setValue(QDate(2026, 12, 7));
    QCOMPARE(view.heading(), QStringLiteral("2026年12月"));
    view.showNextMonth();
    QCOMPARE(view.heading(), QStringLiteral("2027年1月"));

    // The keyboard marks a day and picks it with Enter; a click picks at once.
    view.resize(300, 210);
    view.setValue(QDate(2024, 1, 31));
    for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_PageUp})
        QTest::keyClick(&view, key);
    QCOMPARE(view.value(), QDate(2024, 1, 31));
    QCOMPARE(view.heading(), QStringLiteral("2024年1月"));
    QCOMPARE(view.accessibleDescription(), QStringLiteral("2024年1月8日（月）"));
    QCOMPARE(clicks.size(), 0);
    QTest::keyClick(&view, Qt::Key_Return);
    QCOMPARE(view.value(), QDate(2024, 1, 8));
    QCOMPARE(clicks.size(), 1);
    QCOMPARE(clicks.at(0).at(0).toDate(), QDate(2024, 1, 8));
    // An assistive tool's press does what Enter does.
    QTest::keyClick(&view, Qt::Key_Right);
    QAccessible::queryAccessibleInterface(&view)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(view.value(), QDate(2024, 1, 9));
    clicks.clear();
    // A day of the next month, shown greyed in the last week, opens its month.
    QTest::mouseClick(&view, Qt::LeftButton, {}, view.dayRect(QDate(2024, 2, 3)).center());
    QCOMPARE(view.value(), QDate(2024, 2, 3));
    QCOMPARE(view.heading(), QStringLiteral("2024年2月"));
    QCOMPARE(clicks.size(), 1);
}

void TestGrid::messageBoxesKeepTheirLines()
{
    QtMessageBoxes boxes;
    QString shown;
    bool wraps = true;
    QString title;
    QAccessible::Role role = QAccessible::NoRole;
    QString description;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QVERIFY(box);
        const auto *label = box->findChild<QLabel *>(QStringLiteral("lblMessage"));
        QVERIFY(label);
        shown = label->text();
        wraps = label->wordWrap() || label->width() < label->sizeHint().width();
        title = box->windowTitle();
        // Read out as an alert, its text as the description.
        const QAccessibleInterface *alert = QAccessible::queryAccessibleInterface(box);
        role = alert->role();
        description = alert->text(QAccessible::Description);
        QTest::keyClick(box, Qt::Key_Return);
    });
    const QString longLine = QStringLiteral("①「ゲーム」ボタンを押すと収録しているゲームアイコンが表示されるので選択します。");
    boxes.information(longLine + QStringLiteral("\r\n\r\n②あとはそれぞれのゲームで遊ぶだけ！"), QStringLiteral("ヘルプツアー"));
    QCOMPARE(shown, longLine + QStringLiteral("\n\n②あとはそれぞれのゲームで遊ぶだけ！"));
    QVERIFY(!wraps); // the author's breaks only
    QCOMPARE(title, QStringLiteral("ヘルプツアー"));
    QCOMPARE(role, QAccessible::AlertMessage);
    QCOMPARE(description, shown);
}

void TestGrid::placeOnScreen_data()
{
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QMargins>("frame");
    QTest::addColumn<QRect>("placed"); // the frame's top-left, the size inside it
    // A game window: 1180×780 where it fits, 1052×615 at least. 40 px of title bar are allowed for.
    QTest::newRow("large screen") << QRect(0, 0, 1920, 1200) << QMargins() << QRect(370, 190, 1180, 780);
    QTest::newRow("1280x720") << QRect(0, 0, 1280, 720) << QMargins() << QRect(50, 10, 1180, 660);
    QTest::newRow("panels, known frame") << QRect(64, 32, 1216, 688) << QMargins(2, 2, 2, 2) << QRect(80, 42, 1180, 626);
    QTest::newRow("below the minimum") << QRect(0, 27, 1024, 573) << QMargins() << QRect(0, 27, 1052, 615);
}

void TestGrid::placeOnScreen()
{
    QFETCH(QRect, available);
    QFETCH(QMargins, frame);
    QFETCH(QRect, placed);
    const WindowPlace place = kotohana::placeOnScreen({1180, 780}, {1052, 615}, available, frame);
    QCOMPARE(QRect(place.framePosition, place.size), placed);
}

void TestGrid::yearGridDaysAtEveryScale_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::newRow("100 %") << 1.0;
    QTest::newRow("125 %") << 1.25;
    QTest::newRow("150 %") << 1.5;
}

// Each day's edge is one pixel of the device, all round and alike for every day, with no strip
// of the window inside it; today is framed, and the days after it show no square.
void TestGrid::yearGridDaysAtEveryScale()
{
    QFETCH(qreal, ratio);
    const QColor dark(32, 32, 120);
    const QDate first(2026, 3, 1); // a Sunday
    std::vector<YearGridView::Day> days;
    for (int i = 0; i < 21; ++i)
        days.push_back({first.addDays(i), dark, QString()});
    YearGridView grid;
    grid.setDays(std::move(days), {});
    grid.setToday(first.addDays(17));
    grid.resize(grid.sizeHint());
    QImage picture(grid.size() * ratio, QImage::Format_RGB32);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::white);
    grid.render(&picture, QPoint(), QRegion(), QWidget::RenderFlags());

    const auto at = [&](QPointF logical) { return picture.pixelColor((logical * ratio).toPoint()); };
    // The Sundays, across their row: gap, one pixel of edge, the day, one pixel of edge, gap.
    const int y = qRound(QRectF(grid.dayRect(first)).center().y() * ratio);
    QList<int> edges;
    for (int x = int(grid.dayRect(first).left() * ratio) - 2; x + 1 < picture.width(); ++x) {
        if (picture.pixel(x, y) != dark.rgb() && picture.pixel(x, y) != qRgb(255, 255, 255))
            edges << x;
    }
    QCOMPARE(edges.size(), 6);
    for (const int x : edges)
        QCOMPARE(QSet<QRgb>({picture.pixel(x - 1, y), picture.pixel(x + 1, y)}), QSet<QRgb>({qRgb(255, 255, 255), dark.rgb()}));
    QCOMPARE(at(grid.dayRect(first.addDays(17)).center() - QPointF(0, grid.dayRect(first).height() / 2.0 - 1.5)),
             QColor(Qt::white));
    QCOMPARE(at(grid.dayRect(first.addDays(18)).topLeft() + QPointF(0.5, 0.5)), QColor(Qt::white));
}

QTEST_MAIN(TestGrid)
#include "tst_grid.moc"
