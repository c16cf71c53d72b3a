#pragma once

#include <QColor>
#include <QFont>
#include <QHash>
#include <QTableView>

#include <memory>
#include <vector>

namespace kotohana {

class GridModel;
class GridRows;

// A grid of text cells, the control behind every list of the program. Row 0 is the heading
// row and column 0 holds running numbers or labels; data rows start at row 1. Rows are
// addressed by these numbers throughout; the view underneath is an implementation detail.
class Grid final : public QTableView
{
    Q_OBJECT

public:
    enum class Align { Left, Center, Right };
    // The sort settings the program uses, with their numbers.
    enum class SortSetting { NumericAscending = 3, NumericDescending = 4, TextAscending = 7, TextDescending = 8 };

    explicit Grid(QWidget *parent = nullptr);

    int rows() const;
    void setRows(int rows);
    int cols() const;
    void setCols(int cols);
    // Data rows made from a source when shown, for the long lists; the heading row stays.
    void setRowSource(std::shared_ptr<const GridRows> rows);

    QString textMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString &text);

    // The current cell.
    int row() const { return m_row; }
    void setRow(int row);
    int col() const { return m_col; }
    void setCol(int col);
    QString text() const;
    void setText(const QString &text);
    QColor cellBackColor() const;
    void setCellBackColor(const QColor &color);
    QColor cellForeColor() const;
    void setCellForeColor(const QColor &color);

    // Widths in twips: 1440 twips to an inch of the screen. When the grid is wider than its
    // columns, they share the spare width in proportion, so the list fills its place.
    int colWidth(int col) const;
    void setColWidth(int col, int twips);
    void setColAlignment(int col, Align align);
    void setFixedAlignment(int col, Align align);
    int fontSize() const;
    void setFontSize(int points);
    // The list never shrinks below this many rows under its heading (and a sideways scroll bar).
    void setMinimumVisibleRows(int rows);
    // A column of free texts (a diary) takes the room the others leave, at least its own width:
    // its texts never widen it, and a longer one ends in "…" and shows whole in a tooltip.
    // -1: none.
    void setFillColumn(int col);
    int fillColumn() const { return m_fillCol; }
    // The list asks for room for all its columns, each as wide as its texts (up to a limit):
    // its window then does not get narrower than that, and the list does not scroll sideways.
    void setColumnsInView(bool inView);
    QSize minimumSizeHint() const override;
    // Whether typing goes to the row whose text in the current column begins with what was
    // typed (by default). A list that takes the focus while the user may still be typing
    // something else turns it off, so that it stays on its row.
    void setTypingFindsRows(bool finds) { m_typingFindsRows = finds; }

    // The first data row in view. The view scrolls as near to the row asked for as it can
    // (asking for the last row puts the newest row in view); row 0 is accepted.
    int topRow() const;
    void setTopRow(int row);

    // Empties every cell, heading row included.
    void clear();
    // Deletes one data row; the rows below move up.
    void removeItem(int row);
    // Sorts data rows 1 to the last by the current column; equal cells keep their order.
    void sort(SortSetting setting);

    GridModel &gridModel() const { return *m_model; }

    // Whether the last click was on the heading row rather than on a cell.
    bool headingClicked() const { return m_headingClicked; }

Q_SIGNALS:
    // The user picked a cell (the current cell is the one picked) or the heading row.
    void clicked();

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void updateGeometries() override;
    void focusInEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyboardSearch(const QString &search) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index, const QEvent *event = nullptr) const override;
    bool viewportEvent(QEvent *event) override;

private:
    static Qt::Alignment toQt(Align align);
    void applyColumnWidths();
    void applyColumnWidthsSoon();
    void measureAgain();
    // The width the column's texts need, in pixels; its heading's alone.
    int contentWidth(int col) const;
    int headingWidth(int col) const;
    int textWidth(const QString &text) const;
    int cellRoom() const;
    // Widens the measured columns for the texts of rows top to bottom; false when there is
    // nothing measured to widen or too many rows to measure one by one. The rows count as
    // measured from then on.
    bool widenFor(int top, int bottom);
    void applyTopRow();
    void alignTopRow();
    void showCurrentRow();
    void pickCell(const QModelIndex &index);

    GridModel *m_model = nullptr;
    int m_row = 0;
    int m_col = 1;
    std::vector<int> m_colTwips;
    std::vector<int> m_contentWidths; // measured; empty when the texts changed since
    mutable QHash<QString, int> m_textWidths; // in m_measuredFont
    mutable QFont m_measuredFont;
    int m_minimumVisibleRows = 0;
    int m_fillCol = -1;
    bool m_columnsInView = false;
    int m_columnsWidth = -1; // the columns' least widths together, when kept in view
    bool m_widthsPending = false;
    bool m_keepWidths = false; // while rows are added at the end
    int m_measuredRows = 0; // the rows the measured widths count
    int m_writtenTop = 0; // cells written over since, to be counted by the next measuring
    int m_writtenBottom = -1; // (none while -1)
    int m_requestedTopRow = -1;
    bool m_headingClicked = false;
    bool m_typingFindsRows = true;
};

} // namespace kotohana
