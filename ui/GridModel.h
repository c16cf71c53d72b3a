#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QString>

#include <memory>
#include <unordered_map>
#include <vector>

namespace kotohana {

// Data rows whose cells are made when they are shown rather than stored: a list of years of
// plays then costs a few bytes a row instead of a copy of every text.
class GridRows
{
public:
    virtual ~GridRows() = default;
    virtual int count() const = 0;
    // The text of one cell; row counts from 0 in the source's own order.
    virtual QString text(int row, int col) const = 0;
};

// The cells of a Grid, all text, row-major in one vector. Row 0 is the heading row and is
// shown as the horizontal header; data rows 1.. are the model's rows 0... The data rows may
// instead come from a GridRows source: sorting and deleting then reorder the source's rows,
// and a cell written over keeps its new text beside the source.
class GridModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum class SortKind { Numeric, Text };

    explicit GridModel(QObject *parent = nullptr);

    int rows() const { return m_rows; }
    int cols() const { return m_cols; }
    void setRows(int rows);
    void setCols(int cols);

    QString text(int row, int col) const;
    void setText(int row, int col, const QString &text);

    // Replaces the data rows with the source's, in its order; the heading row stays.
    void setSource(std::shared_ptr<const GridRows> source);

    QColor backColor(int row, int col) const;
    void setBackColor(int row, int col, const QColor &color);
    QColor foreColor(int row, int col) const;
    void setForeColor(int row, int col, const QColor &color);

    void setAlignment(int col, Qt::Alignment alignment);
    void setHeadingAlignment(int col, Qt::Alignment alignment);

    void clear();
    void removeRow(int row);
    // Sorts the data rows by one column; equal keys keep their order.
    void sortRows(int col, SortKind kind, Qt::SortOrder order);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::size_t at(int row, int col) const { return std::size_t(row) * std::size_t(m_cols) + std::size_t(col); }
    bool sourced(int row) const { return m_source && row > 0; }
    std::size_t sourceCell(int row, int col) const { return at(m_order[std::size_t(row - 1)], col); }
    // Turns source rows into stored cells, for changes of shape a source cannot follow.
    void storeSourceRows();
    void reshape(int rows, int cols);
    void noteChanged(int row, int col);
    void flushChanges();
    void setColor(std::vector<QRgb> &colors, int row, int col, const QColor &color);
    QColor color(const std::vector<QRgb> &colors, int row, int col) const;

    int m_rows = 1;
    int m_cols = 2;
    // Without a source, every cell; with one, the heading row only.
    std::vector<QString> m_cells;
    std::shared_ptr<const GridRows> m_source;
    std::vector<int> m_order; // data row - 1 -> source row
    std::unordered_map<std::size_t, QString> m_written; // source cell (row, col) -> text written over it
    // Cell colours, allocated on first use; a value with zero alpha means "not set".
    std::vector<QRgb> m_backColors;
    std::vector<QRgb> m_foreColors;
    std::vector<Qt::Alignment> m_alignments;
    std::vector<Qt::Alignment> m_headingAlignments;

    // Writes are announced to the views once per turn of the event loop, as one range, so
    // that filling a hundred thousand rows costs no more than storing the texts.
    bool m_changePending = false;
    bool m_headingChanged = false;
    int m_dirtyTop = 0;
    int m_dirtyBottom = -1;
};

} // namespace kotohana
