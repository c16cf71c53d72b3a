#pragma once

#include <QColor>
#include <QDate>
#include <QWidget>

#include <vector>

namespace kotohana {

// Days at a glance: a column per week, a row per weekday from Sunday at the top, each day a
// small square in its colour, the month names above and the weekday names at the left. A click on a day, or Enter on the focused one, opens it;
// the arrow keys move the focus a day (up, down) or a week (left, right), and the focused
// day's tooltip shows as it moves.
class YearGridView final : public QWidget
{
    Q_OBJECT

public:
    struct Day {
        QDate date; // none: an empty place before the first day or after the last
        QColor color; // the program's colour of its step
        QString toolTip;
    };
    struct MonthLabel {
        int week = 0;
        QString text;
    };
    explicit YearGridView(QWidget *parent = nullptr);

    // Days week by week, seven a week from Sunday. The focused day stays when it is among them,
    // else the nearest one is focused.
    void setDays(std::vector<Day> days, std::vector<MonthLabel> months);
    // Today is framed; the days after it, yet to come, are drawn as a dot, apart from the days
    // without a play.
    void setToday(QDate today);
    // Focuses the day, or the nearest one shown.
    void setCurrentDay(QDate day);
    // What assistive technology says of the grid, before the focused day's tooltip.
    void setDescription(const QString &description);

    // Where the day is drawn; empty when it is not shown.
    QRect dayRect(QDate day) const;
    // The tooltip of the day at this point; empty between and beside the days.
    QString toolTipAt(QPoint at) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void dayOpened(QDate day);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // The sizes of the drawing, from the font: a day's square and the gap after it make one
    // step; the weekday names stand in a column of their own, the month names in a row.
    struct Metrics {
        int step = 0;
        int labelWidth = 0;
        int monthHeight = 0;
    };
    Metrics metrics() const;
    QRect cellRect(const Metrics &m, int index) const;
    int indexAt(QPoint at) const;
    int indexOf(QDate day) const;
    // The shown day nearest to the index, or -1 when none is shown.
    int nearestShown(int index) const;
    void moveTo(int index, bool showTip);

    std::vector<Day> m_days;
    std::vector<MonthLabel> m_months;
    QString m_description;
    QDate m_today;
    int m_current = -1;
    int m_pressed = -1;
};

} // namespace kotohana
