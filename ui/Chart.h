#pragma once

#include <QChartView>
#include <QFont>
#include <QString>

#include <utility>
#include <vector>

class QScrollBar;

namespace kotohana {

// A bar chart of one to three series over n points (none allowed), each point with a value
// and a label. Every point has a bar of its own: a series longer than the chart has room for
// (years of days, every play) shows its newest points and scrolls sideways to the others.
// The value axis runs from 0 (or the smallest value) to just above the largest, or to the
// maximum asked for when that is larger; with no bar at all, from 0 to that maximum exactly.
// A chart with nothing to show (every value 0, no label, no maximum) shows a line of text
// instead of an empty frame; one waiting for the user to pick what it shows says so. It is
// driven the way the program fills a chart from a list: pick a series and a point, then set
// its value and its label. The picture is redrawn once per turn of the event loop, however
// many points were set, and not at all when nothing set differed from what the chart held.
class Chart final : public QChartView
{
    Q_OBJECT

public:
    static constexpr int kMaxSeries = 3;

    explicit Chart(QWidget *parent = nullptr);

    int seriesCount() const { return int(m_values.size()); }
    void setSeriesCount(int count);
    void setCurrentSeries(int series); // 1-based
    void setSeriesName(int series, const QString &name);

    int pointCount() const { return int(m_labels.size()); }
    void setPointCount(int count);
    // One more point at the end, blank, the others as they are; a chart showing its newest
    // points goes on showing them.
    void appendPoint();
    void setCurrentPoint(int point); // 1-based

    void setValue(double value);
    // The value as the program passes it, a text: its leading number (an empty text is 0).
    void setValueText(QStringView text);
    void setLabel(const QString &label);

    double value(int series, int point) const;
    QString label(int point) const;

    // The value axis reaches at least this far, and on a chart without bars ends here (0: only
    // as far as the values).
    void setValueMaximum(double maximum);
    // What the values are, 「項目別のプレイ秒数」: with the series' names and the points'
    // labels it makes the description a screen reader gives of the chart.
    void setSubject(const QString &subject);
    // What a chart with nothing to show says.
    void setEmptyText(const QString &text);
    QString emptyText() const { return m_emptyText; }
    // Whether the chart shows its empty text rather than bars.
    bool showsEmptyText() const;
    // A chart at rest beside lists that hold something asks the user to pick a chart (kChoose)
    // instead of saying there is nothing to show, until points are set again.
    static constexpr const char16_t *kChoose = u"グラフの種類を選んでください";
    void askForChoice(bool ask);
    bool asksForChoice() const;

    // How many times the picture has been built; a chart filled again with what it already
    // shows is not rebuilt.
    int redrawCount() const { return m_redrawCount; }

    // The points in view: the first (1-based) and how many.
    int firstShown() const { return m_first + 1; }
    int shownCount() const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    // The chart's theme and colours for the desktop's look, and its series' colours.
    void applyLook();
    void colourParts();
    // changed: something the picture shows is set anew.
    void scheduleRedraw(bool changed = true);
    void redraw();
    // Takes every series and axis off the chart.
    void clearPicture();
    // The point labels the axis shows for the points in view, each with its bar: every k-th
    // where they do not all fit, repeated texts told apart. Notes the widest.
    std::vector<std::pair<QString, int>> labelsInView(int bars);
    // The value axis's range and ticks, as many as its height has room for.
    void fitValueAxis();
    // Every value 0 and every label empty.
    bool blank() const;
    // The points in view at a width.
    int shownCount(int chartWidth) const;
    // How many point labels fit side by side at a width.
    int labelRoom(int chartWidth) const;
    void fitToViewport();
    void showTitle(const QString &title);
    void fitTitle();
    // Tells assistive technology what the picture shows now.
    void describe();

    std::vector<std::vector<double>> m_values; // [series][point]
    std::vector<QString> m_labels;
    std::vector<QString> m_seriesNames;
    int m_series = 0;
    int m_point = 0;
    bool m_redrawPending = false;
    int m_redrawCount = 0;
    int m_first = 0; // 0-based
    int m_labelWidth = 72; // the widest point label shown, with room beside it
    double m_valueMaximum = 0;
    qreal m_fittedHeight = 0; // of the plot area the value axis was last fitted to
    QString m_subject;
    QString m_emptyText = QStringLiteral("表示するデータがありません");
    QString m_title; // the line the chart shows over or instead of its bars
    QFont m_titleFont; // its size where there is room
    static constexpr int kTitleMargin = 12;
    // A chart of at most this many points is described point by point; a longer one by its
    // highest, lowest and latest values.
    static constexpr std::size_t kSpokenPoints = 12;
    static constexpr qreal kSmallestTitlePoints = 6;
    bool m_askForChoice = false;
    bool m_askShown = false; // whether the picture asks for a chart
    bool m_changed = false; // since the picture was built
    QScrollBar *m_scroll = nullptr;
    std::vector<std::pair<QString, int>> m_shownLabels; // what the axis on the chart shows
};

} // namespace kotohana
