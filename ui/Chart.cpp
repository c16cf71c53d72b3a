#include "Chart.h"

#include "platform/Formats.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace kotohana {
namespace {

// At most this many point labels are drawn; with more points every k-th label is shown.
constexpr int kMaxShownLabels = 24;
// At most this many bars are drawn. Years of daily values are more bars than a chart has
// pixels: neighbouring points then share one bar, which shows the largest of them.
constexpr int kMaxBars = 400;

const QColor kSeriesColors[Chart::kMaxSeries] = {QColor(0x4f, 0x81, 0xbd), QColor(0xf0, 0x96, 0x46),
                                                 QColor(0x6a, 0xb0, 0x5a)};

} // namespace

Chart::Chart(QWidget *parent)
    : QChartView(parent)
{
    setRenderHint(QPainter::Antialiasing);
    chart()->legend()->hide();
    chart()->setMargins(QMargins(4, 4, 4, 4));
    chart()->setBackgroundRoundness(0);
    setMinimumSize(120, 90);
    setSeriesCount(1);
    setPointCount(1);
}

void Chart::setSeriesCount(int count)
{
    count = std::clamp(count, 1, kMaxSeries);
    m_series = std::min(m_series, count - 1);
    if (count == seriesCount())
        return;
    m_values.resize(std::size_t(count), std::vector<double>(m_labels.size(), 0.0));
    m_seriesNames.resize(std::size_t(count));
    scheduleRedraw();
}

void Chart::setCurrentSeries(int series)
{
    m_series = std::clamp(series, 1, seriesCount()) - 1;
}

void Chart::setSeriesName(int series, const QString &name)
{
    if (series >= 1 && series <= seriesCount() && m_seriesNames[std::size_t(series - 1)] != name) {
        m_seriesNames[std::size_t(series - 1)] = name;
        scheduleRedraw();
    }
}

void Chart::setPointCount(int count)
{
    count = std::max(count, 0);
    m_point = 0;
    const auto blank = [this] {
        const auto zero = [](double v) { return v == 0.0 && !std::signbit(v); };
        return std::all_of(m_labels.begin(), m_labels.end(), [](const QString &l) { return l.isEmpty(); })
            && std::all_of(m_values.begin(), m_values.end(), [&](const std::vector<double> &values) {
                   return std::all_of(values.begin(), values.end(), zero);
               });
    };
    if (count == pointCount() && blank())
        return; // as many blank points as asked for already
    m_labels.assign(std::size_t(count), QString());
    for (auto &values : m_values)
        values.assign(std::size_t(count), 0.0);
    scheduleRedraw();
}

void Chart::setCurrentPoint(int point)
{
    m_point = std::clamp(point, 1, std::max(pointCount(), 1)) - 1;
}

void Chart::setValue(double value)
{
    if (m_point >= pointCount())
        return;
    if (!std::isfinite(value))
        value = 0.0;
    double &stored = m_values[std::size_t(m_series)][std::size_t(m_point)];
    if (stored == value && std::signbit(stored) == std::signbit(value))
        return;
    stored = value;
    scheduleRedraw();
}

void Chart::setValueText(QStringView text)
{
    setValue(Formats::numericValue(text));
}

void Chart::setLabel(const QString &label)
{
    if (m_point >= pointCount())
        return;
    QString &stored = m_labels[std::size_t(m_point)];
    if (stored == label)
        return;
    stored = label;
    scheduleRedraw();
}

double Chart::value(int series, int point) const
{
    if (series < 1 || series > seriesCount() || point < 1 || point > pointCount())
        return 0.0;
    return m_values[std::size_t(series - 1)][std::size_t(point - 1)];
}

QString Chart::label(int point) const
{
    return point >= 1 && point <= pointCount() ? m_labels[std::size_t(point - 1)] : QString();
}

void Chart::scheduleRedraw()
{
    if (m_redrawPending)
        return;
    m_redrawPending = true;
    QMetaObject::invokeMethod(this, &Chart::redraw, Qt::QueuedConnection);
}

void Chart::redraw()
{
    m_redrawPending = false;
    ++m_redrawCount;
    QChart *c = chart();
    c->removeAllSeries();
    for (QAbstractAxis *axis : c->axes()) {
        c->removeAxis(axis);
        delete axis;
    }

    const int points = pointCount();
    const int perBar = std::max(1, (points + kMaxBars - 1) / kMaxBars);
    const int bars = (points + perBar - 1) / perBar;

    auto *series = new QBarSeries;
    series->setBarWidth(perBar > 1 ? 1.0 : 0.8);
    double largest = 0.0;
    double smallest = 0.0;
    for (int s = 0; s < seriesCount(); ++s) {
        auto *set = new QBarSet(m_seriesNames[std::size_t(s)]);
        set->setColor(kSeriesColors[s]);
        set->setBorderColor(perBar > 1 ? kSeriesColors[s] : kSeriesColors[s].darker(120));
        const auto &values = m_values[std::size_t(s)];
        QList<qreal> shown;
        shown.reserve(bars);
        for (int bar = 0; bar < bars; ++bar) {
            const auto from = values.begin() + qsizetype(bar) * perBar;
            const auto to = values.begin() + std::min<qsizetype>(qsizetype(bar + 1) * perBar, points);
            shown.append(*std::max_element(from, to));
        }
        set->append(shown);
        for (double v : values) {
            largest = std::max(largest, v);
            smallest = std::min(smallest, v);
        }
        series->append(set);
    }
    c->addSeries(series);

    // Bars stand at x = 0, 1, ...; labels are placed on their bars, so empty labels and
    // repeated ones are fine.
    auto *xAxis = new QCategoryAxis;
    xAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    xAxis->setGridLineVisible(false);
    xAxis->setRange(-0.5, std::max(bars, 1) - 0.5);
    xAxis->setStartValue(-0.5);
    int shownLabels = 0;
    for (const QString &text : m_labels) {
        if (!text.isEmpty())
            ++shownLabels;
    }
    const int step = std::max(1, (shownLabels + kMaxShownLabels - 1) / kMaxShownLabels);
    int labelIndex = 0;
    int lastBar = -1;
    for (int i = 0; i < points; ++i) {
        const QString &text = m_labels[std::size_t(i)];
        if (text.isEmpty())
            continue;
        if (labelIndex++ % step != 0 || i / perBar == lastBar)
            continue;
        lastBar = i / perBar;
        // The axis keys its labels by text; a zero-width space keeps repeated texts apart.
        QString unique = text;
        while (xAxis->categoriesLabels().contains(unique))
            unique += QChar(0x200B);
        xAxis->append(unique, lastBar);
    }
    c->addAxis(xAxis, Qt::AlignBottom);
    series->attachAxis(xAxis);

    auto *yAxis = new QValueAxis;
    yAxis->setRange(smallest, largest > smallest ? largest * 1.05 : smallest + 1.0);
    yAxis->applyNiceNumbers();
    yAxis->setLabelFormat(QStringLiteral("%g"));
    c->addAxis(yAxis, Qt::AlignLeft);
    series->attachAxis(yAxis);

    const bool named = std::any_of(m_seriesNames.begin(), m_seriesNames.end(),
                                   [](const QString &name) { return !name.isEmpty(); });
    c->legend()->setVisible(named && seriesCount() > 1);
}

} // namespace kotohana
