#include "Grid.h"

#include "GridModel.h"
#include "Theme.h"

#include <QApplication>
#include <QHash>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStaticText>
#include <QStyledItemDelegate>
#include <QToolTip>

#include <algorithm>

namespace kotohana {
namespace {

constexpr int kTwipsPerInch = 1440;
constexpr int kDefaultColTwips = 960;
// A long list's columns are measured at this many rows at its start and at its end.
constexpr int kMeasuredRows = 60;

// Paints a cell's text from a layout kept for it. A list is painted whole on every change (a
// row added, the focus coming to it), and laying out each visible text anew was most of that.
// A text too wide for its cell is painted the usual way, cut with "…".
class CellPainter final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem cell = option;
        initStyleOption(&cell, index);
        const QWidget *widget = cell.widget;
        const QStyle *style = widget ? widget->style() : QApplication::style();
        if (cell.text.isEmpty()) {
            style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);
            return;
        }
        const QStaticText &text = laidOut(cell.text, cell.font);
        // The cell without its text: the style places the text's room without laying it out.
        cell.text.clear();
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
        const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &cell, widget).adjusted(margin, 0, -margin, 0);
        const QSize size = text.size().toSize();
        if (size.width() > textRect.width()) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        const bool selected = cell.state.testFlag(QStyle::State_Selected);
        QPalette::ColorGroup group = cell.state.testFlag(QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
        if (group == QPalette::Normal && !cell.state.testFlag(QStyle::State_Active))
            group = QPalette::Inactive;
        QColor pen = cell.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text);
        // Some desktops' highlighted text does not read on their highlight; black or white then does.
        if (selected && contrast(pen, cell.palette.color(group, QPalette::Highlight)) < 4.5)
            pen = readableOn(cell.palette.color(group, QPalette::Highlight));
        style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);
        painter->save();
        painter->setPen(pen);
        painter->setFont(cell.font);
        painter->drawStaticText(QStyle::alignedRect(cell.direction, cell.displayAlignment, size, textRect).topLeft(), text);
        painter->restore();
    }

private:
    // Layouts of the texts painted lately, in the list's font.
    const QStaticText &laidOut(const QString &text, const QFont &font) const
    {
        constexpr qsizetype kKept = 2048;
        if (font != m_font) {
            m_layouts.clear();
            m_font = font;
        }
        auto found = m_layouts.find(text);
        if (found == m_layouts.end()) {
            if (m_layouts.size() >= kKept)
                m_layouts.clear();
            QStaticText layout(text);
            layout.setTextFormat(Qt::PlainText);
            layout.prepare(QTransform(), font);
            found = m_layouts.insert(text, layout);
        }
        return *found;
    }

    mutable QHash<QString, QStaticText> m_layouts;
    mutable QFont m_font;
};

// The heading row. Qt measures a heading as a highlighted one shows, in bold; the grid
// highlights none, and a bold font loaded for measuring alone costs a program's start time.
// Qt measures the headings again at every change of the columns: each text is measured once.
class Heading final : public QHeaderView
{
public:
    explicit Heading(QWidget *parent)
        : QHeaderView(Qt::Horizontal, parent)
    {
    }

protected:
    QSize sectionSizeFromContents(int logicalIndex) const override
    {
        ensurePolished();
        QStyleOptionHeader option;
        initStyleOption(&option);
        option.section = logicalIndex;
        option.text = model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString();
        if (const auto found = m_sizes.constFind(option.text); found != m_sizes.cend())
            return *found;
        option.fontMetrics = fontMetrics();
        return *m_sizes.insert(option.text, style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), this));
    }

    void changeEvent(QEvent *event) override
    {
        if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
            m_sizes.clear();
        QHeaderView::changeEvent(event);
    }

private:
    mutable QHash<QString, QSize> m_sizes;
};

} // namespace

Grid::Grid(QWidget *parent)
    : QTableView(parent)
    , m_model(new GridModel(this))
{
    setHorizontalHeader(new Heading(this));
    setModel(m_model);
    setItemDelegate(new CellPainter(this));
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
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &Grid::alignTopRow);
    // Cells and headings written change what the columns need: measured again, once per turn
    // of the event loop. Rows added at the end only widen their columns as far as they need;
    // cells written over make the columns measured again, those cells included.
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        if (!m_keepWidths)
            m_contentWidths.clear();
        applyColumnWidths();
    });
    connect(m_model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &topLeft, const QModelIndex &bottomRight, const QList<int> &roles) {
                if (!roles.isEmpty() && !roles.contains(Qt::DisplayRole))
                    return;
                const int top = topLeft.row() + 1;
                const int bottom = bottomRight.row() + 1;
                if (top < m_measuredRows || !widenFor(top, bottom)) {
                    m_contentWidths.clear();
                    m_writtenTop = m_writtenBottom < 0 ? top : std::min(m_writtenTop, top);
                    m_writtenBottom = std::max(m_writtenBottom, bottom);
                }
                applyColumnWidthsSoon();
            });
    connect(m_model, &QAbstractItemModel::headerDataChanged, this, &Grid::measureAgain);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, &Grid::measureAgain);
}

void Grid::measureAgain()
{
    m_contentWidths.clear();
    applyColumnWidthsSoon();
}

void Grid::applyColumnWidthsSoon()
{
    if (m_widthsPending)
        return;
    m_widthsPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_widthsPending = false;
            applyColumnWidths();
        },
        Qt::QueuedConnection);
}

int Grid::rows() const
{
    return m_model->rows();
}

void Grid::setRows(int rows)
{
    m_requestedTopRow = -1;
    if (rows <= 1)
        verticalScrollBar()->setValue(0);
    // Rows added at the end are empty: what the columns need stays as measured.
    m_keepWidths = rows > m_model->rows();
    m_model->setRows(rows);
    m_keepWidths = false;
    m_row = std::clamp(m_row, rows > 1 ? 1 : 0, m_model->rows() - 1);
}

void Grid::setRowSource(std::shared_ptr<const GridRows> rows)
{
    m_requestedTopRow = -1;
    // Rows listed anew start at the top, wherever the old ones were scrolled to.
    verticalScrollBar()->setValue(0);
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

int Grid::cellRoom() const
{
    // The room the view keeps around a cell's text.
    return 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) + 2;
}

bool Grid::widenFor(int top, int bottom)
{
    if (m_contentWidths.size() != std::size_t(m_model->cols()) || bottom - top >= 2 * kMeasuredRows)
        return false;
    const int room = cellRoom();
    bottom = std::min(bottom, m_model->rows() - 1);
    for (int row = std::max(top, 1); row <= bottom; ++row) {
        for (int col = 0; col < m_model->cols(); ++col) {
            int &width = m_contentWidths[std::size_t(col)];
            width = std::max(width, textWidth(m_model->text(row, col)) + room);
        }
    }
    m_measuredRows = std::max(m_measuredRows, bottom + 1);
    return true;
}

int Grid::textWidth(const QString &text) const
{
    // Columns are measured again after every change of rows, headings or font, mostly over the
    // same few texts (headings, times, item names): each is laid out once in a font.
    constexpr qsizetype kKept = 4096;
    if (font() != m_measuredFont || m_textWidths.size() >= kKept) {
        m_textWidths.clear();
        m_measuredFont = font();
    }
    auto found = m_textWidths.constFind(text);
    if (found == m_textWidths.cend())
        found = m_textWidths.insert(text, QFontMetrics(m_measuredFont).horizontalAdvance(text));
    return *found;
}

int Grid::headingWidth(int col) const
{
    // The heading with the room its section keeps around it.
    const int headingRoom = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this) + 4;
    return textWidth(m_model->text(0, col)) + headingRoom;
}

int Grid::contentWidth(int col) const
{
    // A cell's text with the room the view keeps around it.
    int widest = headingWidth(col);
    // A long list is measured at its first and its last rows: its columns hold texts of one
    // shape (dates, times, numbers), and a text wider than its cell shows whole in a tooltip.
    const int rows = m_model->rows();
    // Only the texts that may be the widest are measured: a character outside ASCII (kana, kanji)
    // is about twice as wide as one inside, and a text two such units shorter than the longest
    // of its column cannot be the widest.
    std::vector<QString> candidates;
    int longest = 0;
    const auto measure = [&](int from, int to) {
        for (int row = from; row < to; ++row) {
            const QString text = m_model->text(row, col);
            int units = 0;
            for (const QChar c : text)
                units += c.unicode() < 0x80 ? 1 : 2;
            if (units + 2 < longest)
                continue;
            if (units > longest) {
                longest = units;
                std::erase_if(candidates, [&](const QString &held) { return held.size() * 2 + 2 < longest; });
            }
            if (std::find(candidates.begin(), candidates.end(), text) == candidates.end())
                candidates.push_back(text);
        }
    };
    if (rows <= 2 * kMeasuredRows + 1) {
        measure(1, rows);
    } else {
        measure(1, kMeasuredRows + 1);
        measure(rows - kMeasuredRows, rows);
    }
    const int room = cellRoom();
    for (const QString &text : candidates)
        widest = std::max(widest, textWidth(text) + room);
    return widest;
}

void Grid::applyColumnWidths()
{
    const int dpi = logicalDpiX();
    const int cols = m_model->cols();
    if (m_contentWidths.size() != std::size_t(cols)) {
        m_contentWidths.resize(std::size_t(cols));
        for (int col = 0; col < cols; ++col)
            m_contentWidths[std::size_t(col)] = contentWidth(col);
        m_measuredRows = m_model->rows();
        // Cells written over count whole, wherever they stand in a long list (a diary line).
        if (m_writtenBottom >= 0)
            widenFor(m_writtenTop, m_writtenBottom);
        m_writtenBottom = -1;
    }
    std::vector<int> pixels(static_cast<std::size_t>(cols));
    int total = 0;
    for (int col = 0; col < cols; ++col) {
        // The width asked for is a least width: a column is never narrower than its texts.
        const int texts = col == m_fillCol ? headingWidth(col) : m_contentWidths[std::size_t(col)];
        pixels[std::size_t(col)] = std::max({colWidth(col) * dpi / kTwipsPerInch, texts, horizontalHeader()->minimumSectionSize()});
        total += pixels[std::size_t(col)];
    }
    if (m_columnsInView && total != m_columnsWidth) {
        m_columnsWidth = total;
        updateGeometry();
    }
    // Room is kept for a vertical scroll bar, so that one appearing does not bring a
    // horizontal one with it. A list too narrow for its columns scrolls sideways.
    const int available = contentsRect().width() - style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    if (m_fillCol >= 0 && m_fillCol < cols && available > total) {
        pixels[std::size_t(m_fillCol)] += available - total;
    } else if (total > 0 && available > total) {
        int given = 0;
        for (int col = 0; col < cols; ++col) {
            const int share = col == cols - 1 ? available - given : int(qint64(pixels[std::size_t(col)]) * available / total);
            pixels[std::size_t(col)] = share;
            given += share;
        }
    }
    for (int col = 0; col < cols; ++col)
        horizontalHeader()->resizeSection(col, pixels[std::size_t(col)]);
}

void Grid::setFillColumn(int col)
{
    m_fillCol = col;
    applyColumnWidths();
}

void Grid::setColumnsInView(bool inView)
{
    m_columnsInView = inView;
    m_columnsWidth = -1;
    applyColumnWidths();
}

QSize Grid::minimumSizeHint() const
{
    QSize hint = QTableView::minimumSizeHint();
    // Up to a limit: a text of extraordinary length (a topic of fifty characters) makes its
    // list scroll sideways rather than its window wider than a screen.
    constexpr int kMostAskedFor = 900;
    if (m_columnsInView)
        hint.setWidth(
            std::max(hint.width(),
                     std::min(m_columnsWidth + 2 * frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this),
                              kMostAskedFor)));
    return hint;
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
    m_contentWidths.clear();
    QFont f = font();
    f.setPointSize(points);
    setFont(f);
    horizontalHeader()->setFont(f);
    const int rowHeight = QFontMetrics(f).height() + 6;
    // The heading's own least width follows the font's widest character, which a Japanese
    // font has far wider than a column of running numbers needs.
    horizontalHeader()->setMinimumSectionSize(QFontMetrics(f).height());
    verticalHeader()->setMinimumSectionSize(rowHeight);
    verticalHeader()->setDefaultSectionSize(rowHeight);
    setMinimumVisibleRows(m_minimumVisibleRows);
}

void Grid::setMinimumVisibleRows(int rows)
{
    m_minimumVisibleRows = rows;
    if (rows <= 0)
        return;
    setMinimumHeight((rows + 1) * verticalHeader()->defaultSectionSize() + 2 * frameWidth()
                     + horizontalScrollBar()->sizeHint().height());
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

void Grid::alignTopRow()
{
    // The top row is always whole: scrolled to the end, the view shows the last rows from the
    // top, leaving less than a row free below them, rather than cutting the first row in view
    // to fit the last one flush with the bottom.
    verticalHeader()->setOffsetToSectionPosition(verticalScrollBar()->value());
    viewport()->update();
}

void Grid::updateGeometries()
{
    QTableView::updateGeometries();
    alignTopRow();
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

void Grid::focusInEvent(QFocusEvent *event)
{
    // The keys work on the current row, so the list takes the focus with a current row the
    // user sees marked: the one that was current while it is in view, else the newest in view
    // where the list shows its end, else the top one. A click picks its own row.
    if (event->reason() != Qt::MouseFocusReason && m_model->rows() > 1) {
        executeDelayedItemsLayout();
        const int top = std::max(topRow(), 1);
        int bottom = top;
        while (bottom + 1 < m_model->rows() && rowViewportPosition(bottom) + rowHeight(bottom) <= viewport()->height())
            ++bottom;
        const int current = currentIndex().isValid() ? currentIndex().row() + 1 : 0;
        if (current >= top && current <= bottom)
            setRow(current);
        else
            setRow(bottom == m_model->rows() - 1 ? bottom : top);
    }
    QTableView::focusInEvent(event);
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
    if (m_typingFindsRows)
        QTableView::keyboardSearch(search);
}

QItemSelectionModel::SelectionFlags Grid::selectionCommand(const QModelIndex &index, const QEvent *event) const
{
    // The current row stays marked: Ctrl with a key that lands on the marked row (Ctrl+End on
    // the last) would otherwise take its mark away and leave only a faint frame on one cell.
    const QItemSelectionModel::SelectionFlags command = QTableView::selectionCommand(index, event);
    if (command & QItemSelectionModel::Deselect)
        return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
    return command;
}

bool Grid::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        // A cell too narrow for its text (a long diary line) shows the text whole on hovering.
        auto *help = static_cast<QHelpEvent *>(event);
        const QModelIndex index = indexAt(help->pos());
        const QString text = index.isValid() ? m_model->text(index.row() + 1, index.column()) : QString();
        if (!text.isEmpty() && QFontMetrics(font()).horizontalAdvance(text) + 8 > visualRect(index).width())
            QToolTip::showText(help->globalPos(), text, viewport(), visualRect(index));
        else
            QToolTip::hideText();
        return true;
    }
    return QTableView::viewportEvent(event);
}

} // namespace kotohana
