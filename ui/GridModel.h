#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QString>

#include <vector>

namespace kotohana {

// The cells of a Grid, all text, row-major in one vector. Row 0 is the heading row and is
// shown as the horizontal header; data rows 1.. are the model's rows 0...
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

    const QString &text(int row, int col) const;
    void setText(int row, int col, const QString &text);

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
    void reshape(int rows, int cols);
    void noteChanged(int row, int col);
    void flushChanges();
    void setColor(std::vector<QRgb> &colors, int row, int col, const QColor &color);
    QColor color(const std::vector<QRgb> &colors, int row, int col) const;

    int m_rows = 1;
    int m_cols = 2;
    std::vector<QString> m_cells;
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
