#include "GridModel.h"
#include "Theme.h"

#include "platform/Formats.h"

#include <QCollator>
#include <QGuiApplication>
#include <QLocale>
#include <QPalette>

#include <algorithm>
#include <numeric>

namespace kotohana {
namespace {

constexpr Qt::Alignment kDefaultAlignment = Qt::AlignLeft | Qt::AlignVCenter;
constexpr std::size_t kSpareRows = 64;

} // namespace

GridModel::GridModel(QObject *parent)
    : QAbstractTableModel(parent)
{
    reshape(m_rows, m_cols);
}

void GridModel::reshape(int rows, int cols)
{
    rows = std::max(rows, 1);
    cols = std::max(cols, 1);
    if (m_source) {
        if (rows == 1) {
            // Back to the heading row: the source's rows simply go.
            m_source.reset();
            m_order = {};
            m_written = {};
            m_backColors.clear();
            m_foreColors.clear();
            m_rows = 1;
        } else {
            storeSourceRows();
        }
    }
    if (cols == m_cols && !m_cells.empty()) {
        const auto resize = [size = std::size_t(rows) * std::size_t(cols), cols](auto &cells) {
            // A list that grows keeps room for rows added at its end later (a play saved while
            // the list is open): one more row then does not move the whole list in memory.
            if (size > cells.capacity())
                cells.reserve(std::max(size + kSpareRows * std::size_t(cols), 2 * cells.capacity()));
            cells.resize(size);
            // A list emptied after years of plays gives its memory back.
            if (cells.capacity() > 2 * (size + kSpareRows * std::size_t(cols)) + 1024)
                cells.shrink_to_fit();
        };
        resize(m_cells);
        if (!m_backColors.empty())
            resize(m_backColors);
        if (!m_foreColors.empty())
            resize(m_foreColors);
    } else {
        const auto reshaped = [&](auto &cells, auto blank) {
            std::remove_reference_t<decltype(cells)> result(std::size_t(rows) * std::size_t(cols), blank);
            if (!cells.empty()) {
                const int keepRows = std::min(rows, m_rows);
                const int keepCols = std::min(cols, m_cols);
                for (int r = 0; r < keepRows; ++r)
                    for (int c = 0; c < keepCols; ++c)
                        result[std::size_t(r) * std::size_t(cols) + std::size_t(c)] = std::move(cells[at(r, c)]);
            }
            cells = std::move(result);
        };
        reshaped(m_cells, QString());
        if (!m_backColors.empty())
            reshaped(m_backColors, QRgb(0));
        if (!m_foreColors.empty())
            reshaped(m_foreColors, QRgb(0));
        m_alignments.resize(std::size_t(cols), kDefaultAlignment);
        m_headingAlignments.resize(std::size_t(cols), kDefaultAlignment);
    }
    m_rows = rows;
    m_cols = cols;
}

void GridModel::setRows(int rows)
{
    rows = std::max(rows, 1);
    if (rows == m_rows)
        return;
    // Rows added keep the cells written before them in this turn, which are still to be told.
    const bool shrinks = rows < m_rows;
    beginResetModel();
    reshape(rows, m_cols);
    if (shrinks)
        m_dirtyBottom = -1;
    endResetModel();
}

void GridModel::setCols(int cols)
{
    cols = std::max(cols, 1);
    if (cols == m_cols)
        return;
    beginResetModel();
    reshape(m_rows, cols);
    m_dirtyBottom = -1;
    endResetModel();
}

QString GridModel::text(int row, int col) const
{
    if (row < 0 || row >= m_rows || col < 0 || col >= m_cols)
        return {};
    if (sourced(row)) {
        const auto written = m_written.find(sourceCell(row, col));
        return written != m_written.end() ? written->second : m_source->text(m_order[std::size_t(row - 1)], col);
    }
    return m_cells[at(row, col)];
}

void GridModel::setSource(std::shared_ptr<const GridRows> source)
{
    beginResetModel();
    m_cells.resize(std::size_t(m_cols));
    m_cells.shrink_to_fit();
    m_backColors.clear();
    m_foreColors.clear();
    m_written = {};
    const int count = source ? source->count() : 0;
    m_source = count > 0 ? std::move(source) : nullptr;
    m_order.assign(std::size_t(count), 0);
    std::iota(m_order.begin(), m_order.end(), 0);
    m_rows = count + 1;
    m_dirtyBottom = -1;
    endResetModel();
}

void GridModel::storeSourceRows()
{
    std::vector<QString> cells;
    cells.reserve(std::size_t(m_rows) * std::size_t(m_cols));
    for (int c = 0; c < m_cols; ++c)
        cells.push_back(std::move(m_cells[std::size_t(c)]));
    for (int r = 1; r < m_rows; ++r)
        for (int c = 0; c < m_cols; ++c)
            cells.push_back(text(r, c));
    m_cells = std::move(cells);
    m_source.reset();
    m_order = {};
    m_written = {};
}

void GridModel::setText(int row, int col, const QString &text)
{
    // A write outside the grid is a wrong column or row number in the caller.
    Q_ASSERT_X(row >= 0 && row < m_rows && col >= 0 && col < m_cols, "GridModel::setText", "cell outside the grid");
    if (row < 0 || row >= m_rows || col < 0 || col >= m_cols)
        return;
    if (sourced(row))
        m_written[sourceCell(row, col)] = text;
    else
        m_cells[at(row, col)] = text;
    noteChanged(row, col);
}

void GridModel::setColor(std::vector<QRgb> &colors, int row, int col, const QColor &color)
{
    if (row < 0 || row >= m_rows || col < 0 || col >= m_cols)
        return;
    if (colors.empty()) {
        if (!color.isValid())
            return;
        colors.assign(std::size_t(m_rows) * std::size_t(m_cols), QRgb(0));
    }
    colors[at(row, col)] = color.isValid() ? color.rgb() : QRgb(0);
    noteChanged(row, col);
}

QColor GridModel::color(const std::vector<QRgb> &colors, int row, int col) const
{
    if (colors.empty() || row < 0 || row >= m_rows || col < 0 || col >= m_cols)
        return {};
    const QRgb value = colors[at(row, col)];
    return qAlpha(value) == 0 ? QColor() : QColor::fromRgb(value);
}

QColor GridModel::backColor(int row, int col) const
{
    return color(m_backColors, row, col);
}

void GridModel::setBackColor(int row, int col, const QColor &color)
{
    setColor(m_backColors, row, col, color);
}

QColor GridModel::foreColor(int row, int col) const
{
    return color(m_foreColors, row, col);
}

void GridModel::setForeColor(int row, int col, const QColor &color)
{
    setColor(m_foreColors, row, col, color);
}

void GridModel::setAlignment(int col, Qt::Alignment alignment)
{
    if (col < 0 || col >= m_cols)
        return;
    m_alignments[std::size_t(col)] = alignment;
    if (m_rows > 1)
        Q_EMIT dataChanged(index(0, col), index(m_rows - 2, col), {Qt::TextAlignmentRole});
}

void GridModel::setHeadingAlignment(int col, Qt::Alignment alignment)
{
    if (col < 0 || col >= m_cols)
        return;
    m_headingAlignments[std::size_t(col)] = alignment;
    Q_EMIT headerDataChanged(Qt::Horizontal, col, col);
}

void GridModel::clear()
{
    beginResetModel();
    if (m_source) {
        m_source.reset();
        m_order = {};
        m_written = {};
        m_cells.assign(std::size_t(m_rows) * std::size_t(m_cols), QString());
    }
    std::fill(m_cells.begin(), m_cells.end(), QString());
    m_backColors.clear();
    m_foreColors.clear();
    m_dirtyBottom = -1;
    endResetModel();
}

void GridModel::removeRow(int row)
{
    if (row < 1 || row >= m_rows)
        return;
    beginRemoveRows({}, row - 1, row - 1);
    const auto eraseRow = [&](auto &cells) {
        if (!cells.empty())
            cells.erase(cells.begin() + qsizetype(at(row, 0)), cells.begin() + qsizetype(at(row + 1, 0)));
    };
    if (m_source)
        m_order.erase(m_order.begin() + (row - 1));
    else
        eraseRow(m_cells);
    eraseRow(m_backColors);
    eraseRow(m_foreColors);
    --m_rows;
    m_dirtyBottom = -1;
    endRemoveRows();
}

void GridModel::sortRows(int col, SortKind kind, Qt::SortOrder order)
{
    if (col < 0 || col >= m_cols || m_rows <= 2)
        return;
    const int dataRows = m_rows - 1;
    std::vector<int> sortedRows(static_cast<std::size_t>(dataRows));
    std::iota(sortedRows.begin(), sortedRows.end(), 1);

    if (kind == SortKind::Numeric) {
        // A text that does not start with a number (an empty cell, say) sorts below every number.
        std::vector<std::pair<bool, double>> keys(static_cast<std::size_t>(m_rows));
        for (int r = 1; r < m_rows; ++r) {
            const std::optional<double> number = Formats::leadingNumber(text(r, col));
            keys[std::size_t(r)] = {number.has_value(), number.value_or(0.0)};
        }
        std::stable_sort(sortedRows.begin(), sortedRows.end(), [&](int a, int b) {
            return order == Qt::AscendingOrder ? keys[std::size_t(a)] < keys[std::size_t(b)]
                                               : keys[std::size_t(b)] < keys[std::size_t(a)];
        });
    } else {
        QCollator collator{QLocale(QLocale::Japanese, QLocale::Japan)};
        collator.setNumericMode(false);
        std::vector<QCollatorSortKey> keys;
        keys.reserve(std::size_t(m_rows));
        for (int r = 0; r < m_rows; ++r)
            keys.push_back(collator.sortKey(r == 0 ? QString() : text(r, col)));
        std::stable_sort(sortedRows.begin(), sortedRows.end(), [&](int a, int b) {
            return order == Qt::AscendingOrder ? keys[std::size_t(a)].compare(keys[std::size_t(b)]) < 0
                                               : keys[std::size_t(b)].compare(keys[std::size_t(a)]) < 0;
        });
    }

    beginResetModel();
    const auto permute = [&](auto &cells) {
        if (cells.empty())
            return;
        std::remove_reference_t<decltype(cells)> sorted;
        sorted.reserve(cells.size());
        for (int c = 0; c < m_cols; ++c)
            sorted.push_back(std::move(cells[at(0, c)]));
        for (int source : sortedRows)
            for (int c = 0; c < m_cols; ++c)
                sorted.push_back(std::move(cells[at(source, c)]));
        cells = std::move(sorted);
    };
    if (m_source) {
        std::vector<int> sortedOrder;
        sortedOrder.reserve(m_order.size());
        for (int source : sortedRows)
            sortedOrder.push_back(m_order[std::size_t(source - 1)]);
        m_order = std::move(sortedOrder);
    } else {
        permute(m_cells);
    }
    permute(m_backColors);
    permute(m_foreColors);
    m_dirtyBottom = -1;
    endResetModel();
}

void GridModel::noteChanged(int row, int col)
{
    Q_UNUSED(col);
    if (row == 0) {
        m_headingChanged = true;
    } else if (m_dirtyBottom < 0) {
        m_dirtyTop = m_dirtyBottom = row;
    } else {
        m_dirtyTop = std::min(m_dirtyTop, row);
        m_dirtyBottom = std::max(m_dirtyBottom, row);
    }
    if (!m_changePending) {
        m_changePending = true;
        QMetaObject::invokeMethod(this, &GridModel::flushChanges, Qt::QueuedConnection);
    }
}

void GridModel::flushChanges()
{
    m_changePending = false;
    if (m_headingChanged) {
        m_headingChanged = false;
        Q_EMIT headerDataChanged(Qt::Horizontal, 0, m_cols - 1);
    }
    if (m_dirtyBottom >= 0) {
        const int top = std::min(m_dirtyTop, m_rows - 1);
        const int bottom = std::min(m_dirtyBottom, m_rows - 1);
        m_dirtyBottom = -1;
        if (top >= 1 && bottom >= top)
            Q_EMIT dataChanged(index(top - 1, 0), index(bottom - 1, m_cols - 1));
    }
}

int GridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows - 1;
}

int GridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_cols;
}

QVariant GridModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const int row = index.row() + 1;
    const int col = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return text(row, col);
    case Qt::TextAlignmentRole:
        return int(m_alignments[std::size_t(col)]);
    case Qt::BackgroundRole: {
        const QColor back = backColor(row, col);
        if (back.isValid())
            return tint(back).fill;
        // Column 0 carries the running numbers and, like the heading, stays in the button face.
        if (col == 0)
            return QGuiApplication::palette().color(QPalette::Button);
        return {};
    }
    case Qt::ForegroundRole: {
        // A cell's text reads on the cell's own colour in every look.
        const QColor fore = foreColor(row, col);
        if (fore.isValid())
            return textColour(fore);
        const QColor back = backColor(row, col);
        return back.isValid() ? QVariant(tint(back).text) : QVariant();
    }
    default:
        return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_cols)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (role) {
    case Qt::DisplayRole:
        return m_cells[at(0, section)];
    case Qt::AccessibleTextRole:
        // The column of running numbers goes without a heading on screen; a screen reader
        // names it.
        if (section == 0 && m_cells[at(0, section)].isEmpty())
            return QStringLiteral("番号");
        return m_cells[at(0, section)];
    case Qt::TextAlignmentRole:
        return int(m_headingAlignments[std::size_t(section)]);
    default:
        return {};
    }
}

} // namespace kotohana
