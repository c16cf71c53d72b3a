#pragma once

#include <QDate>
#include <QWidget>

class QToolButton;

namespace kotohana {

// A month calendar with the selected day as its value: the month's heading ("2026年12月")
// between buttons to the month before and after, the weekday names from Sunday, and six weeks
// of days. A click on a day, or Enter or Space on the day the keyboard marks, picks it; the
// arrow keys move the mark a day (left, right) or a week (up, down), Page Up and Page Down a
// month, Home and End to the month's first and last day. dateClick is sent only when the user
// picks a day, never when the program sets the value.
class MonthView final : public QWidget
{
    Q_OBJECT

public:
    explicit MonthView(QWidget *parent = nullptr);

    QDate value() const { return m_value; }
    // Selects the day and shows its month.
    void setValue(QDate day);
    // The month shown, as its heading reads: "2026年12月".
    QString heading() const;
    int yearShown() const { return m_shown.year(); }
    int monthShown() const { return m_shown.month(); }
    void showPreviousMonth();
    void showNextMonth();
    // Picks the day the keyboard marks, as Enter does: assistive tools' press action.
    void pickMarkedDay();
    // The name assistive technology gives the calendar; the day the keyboard marks is its
    // description.
    void setName(const QString &name);

    // Where the day is drawn; empty when the month shown does not show it.
    QRect dayRect(QDate day) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void dateClick(QDate day);

protected:
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    // The text on the heading and on the chosen day, both on the highlight.
    QColor selectedText() const;
    void drawArrows();
    int headingHeight() const;
    QRect cellRect(int row, int column) const;
    // The first day drawn: the Sunday on or before the 1st of the month shown.
    QDate firstDrawn() const;
    QDate dayAt(QPoint at) const;
    // Marks the day for the keyboard, showing its month.
    void markDay(QDate day);
    void pick(QDate day);

    QDate m_value;
    QDate m_shown; // the 1st of the month shown
    QDate m_marked; // the day the keyboard marks
    QDate m_pressed;
    QToolButton *m_previous = nullptr;
    QToolButton *m_next = nullptr;
};

} // namespace kotohana
