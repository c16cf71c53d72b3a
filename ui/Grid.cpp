#include "Grid.h"

#include "GridModel.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>

#include <algorithm>

namespace kotohana {
namespace {

constexpr int kTwipsPerInch = 1440;
constexpr int kDefaultColTwips = 960;

} // namespace

Grid::Grid(QWidget *parent)
    : QTableView(parent)
    , m_model(new GridModel(this))
{
    setModel(m_model);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(true);
    setFontSize(9);

    connect(this, &QAbstractItemView::clicked, this, &Grid::pickCell);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this] {
        m_headingClicked = true;
        Q_EMIT clicked();
    });
    // Once the user scrolls, the view says where the top is.
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, [this] { m_requestedTopRow = -1; });
    connect(m_model, &QAbstractItemModel::modelReset, this, &Grid::applyColumnWidths);
}

int Grid::rows() const
{
    return m_model->rows();
}

void Grid::setRows(int rows)
{
    m_requestedTopRow = -1;
    m_model->setRows(rows);
    m_row = std::clamp(m_row, rows > 1 ? 1 : 0, m_model->rows() - 1);
}

void Grid::setRowSource(std::shared_ptr<const GridRows> rows)
{
    m_requestedTopRow = -1;
    m_model->setSource(std::move(rows));
    m_row = std::clamp(m_row, m_model->rows() > 1 ? 1 : 0, m_model->rows() - 1);
}

int Grid::cols() const
{
    return m_model->cols();
}

void Grid::setCols(int cols)
{
    m_model->setCols(cols);
    if (m_colTwips.size() < std::size_t(m_model->cols()))
        m_colTwips.resize(std::size_t(m_model->cols()), kDefaultColTwips);
    m_col = std::clamp(m_col, 0, m_model->cols() - 1);
    applyColumnWidths();
}

QString Grid::textMatrix(int row, int col) const
{
    return m_model->text(row, col);
}

void Grid::setTextMatrix(int row, int col, const QString &text)
{
    m_model->setText(row, col, text);
}

void Grid::setRow(int row)
{
    m_row = std::clamp(row, 0, m_model->rows() - 1);
    showCurrentRow();
}

void Grid::setCol(int col)
{
    m_col = std::clamp(col, 0, m_model->cols() - 1);
}

QString Grid::text() const
{
    return m_model->text(m_row, m_col);
}

void Grid::setText(const QString &text)
{
    m_model->setText(m_row, m_col, text);
}

QColor Grid::cellBackColor() const
{
    return m_model->backColor(m_row, m_col);
}

void Grid::setCellBackColor(const QColor &color)
{
    m_model->setBackColor(m_row, m_col, color);
}

QColor Grid::cellForeColor() const
{
    return m_model->foreColor(m_row, m_col);
}

void Grid::setCellForeColor(const QColor &color)
{
    m_model->setForeColor(m_row, m_col, color);
}

int Grid::colWidth(int col) const
{
    return col >= 0 && std::size_t(col) < m_colTwips.size() ? m_colTwips[std::size_t(col)] : kDefaultColTwips;
}

void Grid::setColWidth(int col, int twips)
{
    if (col < 0)
        return;
    if (m_colTwips.size() <= std::size_t(col))
        m_colTwips.resize(std::size_t(col) + 1, kDefaultColTwips);
    m_colTwips[std::size_t(col)] = std::max(twips, 0);
    applyColumnWidths();
}

void Grid::applyColumnWidths()
{
    const int dpi = logicalDpiX();
    const int cols = m_model->cols();
    std::vector<int> pixels(static_cast<std::size_t>(cols));
    int total = 0;
    for (int col = 0; col < cols; ++col) {
        pixels[std::size_t(col)] = colWidth(col) * dpi / kTwipsPerInch;
        total += pixels[std::size_t(col)];
    }
    // Room is kept for a vertical scroll bar, so that one appearing does not bring a
    // horizontal one with it.
    const int available = contentsRect().width() - style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    if (total > 0 && available > total) {
        int given = 0;
        for (int col = 0; col < cols; ++col) {
            const int share = col == cols - 1 ? available - given
                                              : int(qint64(pixels[std::size_t(col)]) * available / total);
            pixels[std::size_t(col)] = share;
            given += share;
        }
    }
    for (int col = 0; col < cols; ++col)
        horizontalHeader()->resizeSection(col, pixels[std::size_t(col)]);
}

void Grid::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    applyColumnWidths();
}

Qt::Alignment Grid::toQt(Align align)
{
    switch (align) {
    case Align::Center:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case Align::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    case Align::Left:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

void Grid::setColAlignment(int col, Align align)
{
    m_model->setAlignment(col, toQt(align));
}

void Grid::setFixedAlignment(int col, Align align)
{
    m_model->setHeadingAlignment(col, toQt(align));
}

int Grid::fontSize() const
{
    return font().pointSize();
}

void Grid::setFontSize(int points)
{
    QFont f = font();
    f.setPointSize(points);
    setFont(f);
    horizontalHeader()->setFont(f);
    const int rowHeight = QFontMetrics(f).height() + 6;
    verticalHeader()->setMinimumSectionSize(rowHeight);
    verticalHeader()->setDefaultSectionSize(rowHeight);
}

int Grid::topRow() const
{
    if (m_model->rows() <= 1)
        return 0;
    if (m_requestedTopRow >= 0)
        return std::min(m_requestedTopRow, m_model->rows() - 1);
    return verticalScrollBar()->value() + 1;
}

void Grid::setTopRow(int row)
{
    m_requestedTopRow = std::clamp(row, 0, m_model->rows() - 1);
    executeDelayedItemsLayout();
    applyTopRow();
}

void Grid::applyTopRow()
{
    if (m_requestedTopRow >= 0)
        verticalScrollBar()->setValue(std::max(m_requestedTopRow - 1, 0));
}

void Grid::showEvent(QShowEvent *event)
{
    QTableView::showEvent(event);
    // Showing scrolls to the current row; the top row asked for while hidden wins.
    applyTopRow();
}

void Grid::updateGeometries()
{
    QTableView::updateGeometries();
    // The scroll range is known only once the view is laid out; a top row asked for before
    // that is applied here.
    applyTopRow();
}

void Grid::clear()
{
    m_requestedTopRow = -1;
    m_model->clear();
}

void Grid::removeItem(int row)
{
    m_model->removeRow(row);
    m_row = std::clamp(m_row, 0, m_model->rows() - 1);
}

void Grid::sort(SortSetting setting)
{
    const bool numeric = setting == SortSetting::NumericAscending || setting == SortSetting::NumericDescending;
    const bool ascending = setting == SortSetting::NumericAscending || setting == SortSetting::TextAscending;
    m_model->sortRows(m_col, numeric ? GridModel::SortKind::Numeric : GridModel::SortKind::Text,
                      ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void Grid::showCurrentRow()
{
    if (m_row >= 1 && m_row < m_model->rows())
        setCurrentIndex(m_model->index(m_row - 1, std::min(m_col, m_model->cols() - 1)));
    else
        clearSelection();
}

void Grid::pickCell(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    m_row = index.row() + 1;
    m_col = index.column();
    m_headingClicked = false;
    Q_EMIT clicked();
}

void Grid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    // The keyboard moves the current cell too, so the row an action works on is always the
    // row the user sees marked.
    if (current.isValid()) {
        m_row = current.row() + 1;
        m_col = current.column();
    }
}

void Grid::keyPressEvent(QKeyEvent *event)
{
    m_requestedTopRow = -1;
    // The keyboard picks a row as a click does.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space)
        && currentIndex().isValid()) {
        pickCell(currentIndex());
        return;
    }
    QTableView::keyPressEvent(event);
}

void Grid::keyboardSearch(const QString &search)
{
    // Typing into a list never jumps to a row: a key meant for an answer box that reaches the
    // list at the end of a play must leave the newest row where it is.
    Q_UNUSED(search);
}

} // namespace kotohana
