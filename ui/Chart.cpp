#include "Chart.h"

#include "Theme.h"

#include "platform/Formats.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGraphicsTextItem>
#include <QResizeEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextDocument>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace kotohana {
namespace {

// Room between two point labels, in pixels; with more labels than fit side by side, every
// k-th is shown, so that none is cut.
constexpr int kLabelGap = 16;
// Bars in view: one for every few pixels of width (a thinner bar cannot be told from its
// neighbours, and each costs drawing time), within these bounds; a longer series scrolls.
constexpr int kBarPixels = 8;
constexpr int kMinBars = 20;
constexpr int kMaxBars = 400;
// Ticks on a new value axis, at most.
constexpr int kValueTicks = 5;
// Room above and below each value label.
constexpr qreal kValueLabelPadding = 4;

QColor seriesColour(int series)
{
    static constexpr Paint colours[Chart::kMaxSeries] = {Paint::Series1, Paint::Series2, Paint::Series3};
    return paint(colours[series]);
}

} // namespace

Chart::Chart(QWidget *parent)
    : QChartView(parent)
{
    setRenderHint(QPainter::Antialiasing, false);
    chart()->legend()->hide();
    chart()->setMargins(QMargins(4, 4, 4, 4));
    chart()->setBackgroundRoundness(0);
    m_titleFont = chart()->titleFont();
    if (m_titleFont.pointSizeF() <= 0)
        m_titleFont.setPointSizeF(QFontInfo(m_titleFont).pointSizeF());
    setMinimumSize(120, 90);
    // The chart takes the focus itself, with its name and description; the picture inside
    // it has nothing more to say.
    viewport()->setFocusPolicy(Qt::NoFocus);
    m_scroll = new QScrollBar(Qt::Horizontal, this);
    m_scroll->setObjectName(QStringLiteral("chartScroll"));
    m_scroll->hide();
    connect(m_scroll, &QScrollBar::valueChanged, this, [this](int value) {
        if (value != m_first) {
            m_first = value;
            scheduleRedraw();
        }
    });
    // A chart grown or shrunk in height fits its value axis again.
    connect(
        chart(), &QChart::plotAreaChanged, this,
        [this](const QRectF &area) {
            if (area.height() != m_fittedHeight)
                fitValueAxis();
        },
        Qt::QueuedConnection);
    setSeriesCount(1);
    setPointCount(1);
    applyLook();
    connect(&themeWatcher(), &ThemeWatcher::lookChanged, this, &Chart::applyLook);
}

void Chart::applyLook()
{
    // Qt's dark chart theme on a dark desktop and in high contrast, its light one on a light one.
    QChart *c = chart();
    const Look look = currentLook();
    const QChart::ChartTheme theme = look == Look::Light ? QChart::ChartThemeLight : QChart::ChartThemeDark;
    if (c->theme() != theme) {
        c->setTheme(theme);
        c->setBackgroundRoundness(0);
        fitTitle();
    }
    if (look == Look::HighContrast) {
        c->setBackgroundBrush(palette().color(QPalette::Base));
        c->setTitleBrush(palette().color(QPalette::Text));
        c->legend()->setLabelColor(palette().color(QPalette::Text));
    }
    colourParts();
}

void Chart::colourParts()
{
    for (QAbstractSeries *shown : chart()->series()) {
        if (auto *bars = qobject_cast<QBarSeries *>(shown)) {
            for (int s = 0; s < bars->count(); ++s) {
                QBarSet *set = bars->barSets().at(s);
                if (set->color() != seriesColour(s)) {
                    set->setColor(seriesColour(s));
                    set->setBorderColor(seriesColour(s).darker(120));
                }
            }
        }
    }
    if (currentLook() != Look::HighContrast)
        return;
    const QColor text = palette().color(QPalette::Text);
    for (QAbstractAxis *axis : chart()->axes()) {
        axis->setLabelsColor(text);
        axis->setLinePenColor(text);
        axis->setGridLineColor(palette().color(QPalette::Mid));
    }
}

int Chart::shownCount() const
{
    return shownCount(width());
}

int Chart::shownCount(int chartWidth) const
{
    return std::min(pointCount(), std::clamp(chartWidth / kBarPixels, kMinBars, kMaxBars));
}

int Chart::labelRoom(int chartWidth) const
{
    return std::max(2, chartWidth / m_labelWidth);
}

void Chart::fitToViewport()
{
    // The chart takes the room above the scroll bar, its axis labels included.
    chart()->resize(viewport()->size());
    setSceneRect(chart()->geometry());
    fitTitle();
}

void Chart::showTitle(const QString &title)
{
    m_title = title;
    fitTitle();
}

void Chart::fitTitle()
{
    // A title is never cut to "…": in a narrow chart it is set smaller until it fits.
    QFont font = m_titleFont;
    const qreal room = viewport()->width() - 2 * kTitleMargin;
    while (font.pointSizeF() > kSmallestTitlePoints && QFontMetricsF(font).horizontalAdvance(m_title) > room)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    chart()->setTitleFont(font);
    chart()->setTitle(m_title);
}

void Chart::resizeEvent(QResizeEvent *event)
{
    const int before = labelRoom(event->oldSize().width());
    const int barsBefore = shownCount(event->oldSize().width());
    const bool newest = m_first + barsBefore >= pointCount();
    QChartView::resizeEvent(event);
    fitToViewport();
    if (shownCount() != barsBefore) {
        if (newest) // a chart showing its newest points goes on showing them
            m_first = pointCount() - shownCount();
        scheduleRedraw();
    } else if (labelRoom(width()) != before) {
        scheduleRedraw();
    }
    const int height = m_scroll->sizeHint().height();
    m_scroll->setGeometry(0, this->height() - height, width(), height);
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

bool Chart::blank() const
{
    const auto zero = [](double v) { return v == 0.0 && !std::signbit(v); };
    return std::all_of(m_labels.begin(), m_labels.end(), [](const QString &l) { return l.isEmpty(); })
        && std::all_of(m_values.begin(), m_values.end(),
                       [&](const std::vector<double> &values) { return std::all_of(values.begin(), values.end(), zero); });
}

bool Chart::showsEmptyText() const
{
    return blank() && m_valueMaximum <= 0 && !m_askForChoice;
}

void Chart::askForChoice(bool ask)
{
    // A page puts its chart at rest and asks again in one go: what the picture shows changes
    // only if the request does.
    m_askForChoice = ask;
    if (asksForChoice() != m_askShown)
        scheduleRedraw(false);
}

bool Chart::asksForChoice() const
{
    return m_askForChoice && blank();
}

void Chart::setValueMaximum(double maximum)
{
    if (!std::isfinite(maximum))
        maximum = 0;
    if (maximum != m_valueMaximum) {
        m_valueMaximum = maximum;
        scheduleRedraw();
    }
}

void Chart::setSubject(const QString &subject)
{
    m_subject = subject;
    describe();
}

void Chart::describe()
{
    QStringList names;
    for (const QString &name : m_seriesNames) {
        if (!name.isEmpty())
            names << name;
    }
    QString text = m_subject;
    if (!names.isEmpty())
        text += QStringLiteral("（%1）").arg(names.join(u'・'));
    if (asksForChoice() || showsEmptyText()) {
        setAccessibleDescription(text + u'：' + (asksForChoice() ? QString::fromUtf16(kChoose) : m_emptyText));
        return;
    }
    const auto number = [](double value) { return QString::number(value, 'g', 10); };
    QStringList parts;
    if (m_labels.size() <= kSpokenPoints) {
        // Few points are read one by one, each label with its values: 「日 10」, 「日 10・5」.
        for (std::size_t at = 0; at < m_labels.size(); ++at) {
            QStringList values;
            for (const std::vector<double> &series : m_values)
                values << number(series[at]);
            parts << (m_labels[at].trimmed() + u' ' + values.join(u'・')).trimmed();
        }
    } else {
        // Many are summed up: their span, and each series' highest, lowest and latest value
        // with the label of its point: 「最高 72（8）」.
        parts << QStringLiteral("%1 点").arg(pointCount());
        const auto first = std::find_if(m_labels.begin(), m_labels.end(), [](const QString &l) { return !l.isEmpty(); });
        const auto last = std::find_if(m_labels.rbegin(), m_labels.rend(), [](const QString &l) { return !l.isEmpty(); });
        if (first != m_labels.end())
            parts << QStringLiteral("%1 ～ %2").arg(first->trimmed(), last->trimmed());
        for (std::size_t s = 0; s < m_values.size(); ++s) {
            const std::vector<double> &values = m_values[s];
            const auto at = [&](const QString &what, std::vector<double>::const_iterator it) {
                const QString label = m_labels[std::size_t(it - values.begin())].trimmed();
                return what + u' ' + number(*it) + (label.isEmpty() ? QString() : QStringLiteral("（%1）").arg(label));
            };
            const QString series = m_values.size() > 1 ? m_seriesNames[s] : QString();
            parts << (series.isEmpty() ? QString() : series + u' ')
                    + at(QStringLiteral("最高"), std::max_element(values.begin(), values.end()))
                  << at(QStringLiteral("最低"), std::min_element(values.begin(), values.end()))
                  << at(QStringLiteral("最新"), values.end() - 1);
        }
    }
    setAccessibleDescription(text + u'：' + parts.join(u'、'));
}

void Chart::setEmptyText(const QString &text)
{
    if (text != m_emptyText) {
        m_emptyText = text;
        scheduleRedraw();
    }
}

void Chart::setPointCount(int count)
{
    count = std::max(count, 0);
    m_point = 0;
    askForChoice(false);
    if (count == pointCount() && blank()) {
        m_first = count - shownCount();
        return; // as many blank points as asked for already
    }
    m_labels.assign(std::size_t(count), QString());
    for (auto &values : m_values)
        values.assign(std::size_t(count), 0.0);
    // A new series opens on its newest points, as the lists open on their newest rows.
    m_first = count - shownCount();
    scheduleRedraw();
}

void Chart::appendPoint()
{
    const bool newest = m_first + shownCount() >= pointCount();
    m_labels.emplace_back();
    for (auto &values : m_values)
        values.push_back(0.0);
    if (newest)
        m_first = pointCount() - shownCount();
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

void Chart::scheduleRedraw(bool changed)
{
    m_changed = m_changed || changed;
    if (m_redrawPending)
        return;
    m_redrawPending = true;
    QMetaObject::invokeMethod(this, &Chart::redraw, Qt::QueuedConnection);
}

void Chart::clearPicture()
{
    QChart *c = chart();
    c->removeAllSeries();
    for (QAbstractAxis *axis : c->axes()) {
        c->removeAxis(axis);
        delete axis;
    }
    m_shownLabels.clear();
}

std::vector<std::pair<QString, int>> Chart::labelsInView(int bars)
{
    int shownLabels = 0;
    int widest = 0;
    const QFontMetrics metrics{QFont()}; // a new axis's labels font
    for (int i = m_first; i < m_first + bars; ++i) {
        const QString &text = m_labels[std::size_t(i)];
        if (text.isEmpty())
            continue;
        ++shownLabels;
        widest = std::max(widest, metrics.horizontalAdvance(text));
    }
    m_labelWidth = widest + kLabelGap;
    const int room = labelRoom(width());
    const int step = std::max(1, (shownLabels + room - 1) / room);
    std::vector<std::pair<QString, int>> labels;
    int labelIndex = 0;
    for (int i = m_first; i < m_first + bars; ++i) {
        const QString &text = m_labels[std::size_t(i)];
        if (text.isEmpty() || labelIndex++ % step != 0)
            continue;
        // The axis keys its labels by text; a zero-width space keeps repeated texts apart.
        QString unique = text;
        while (std::any_of(labels.begin(), labels.end(), [&](const auto &label) { return label.first == unique; }))
            unique += QChar(0x200B);
        labels.emplace_back(std::move(unique), i - m_first);
    }
    return labels;
}

void Chart::fitValueAxis()
{
    auto *axis = qobject_cast<QValueAxis *>(chart()->axes(Qt::Vertical).value(0));
    if (!axis)
        return;
    // The axis shows "…" for every label when a label and the room around it are taller than
    // the height between two ticks: a short chart has fewer ticks. The axis measures a label
    // as a text item with half a pixel of margin.
    m_fittedHeight = chart()->plotArea().height();
    QGraphicsTextItem sample;
    sample.document()->setDocumentMargin(0.5);
    sample.setFont(axis->labelsFont());
    sample.setHtml(QStringLiteral("0"));
    const int room = m_fittedHeight > 0
        ? std::max(2, int(m_fittedHeight / (sample.boundingRect().height() + 2 * kValueLabelPadding)))
        : kValueTicks;
    // The nice numbers start from the axis's tick count and change it: a kept axis starts
    // from the same count a new one has, so the same values at the same height always give
    // the same axis.
    axis->setTickCount(std::min(kValueTicks, room));
    if (blank() && m_valueMaximum > 0) {
        // No bar, only the maximum asked for: the axis ends there, not at a rounder number,
        // and its labels stand at round steps below it (0, 30, 60, 90 under 113.3).
        axis->setRange(0.0, m_valueMaximum);
        const double rough = m_valueMaximum / (axis->tickCount() - 1);
        const double power = std::pow(10.0, std::floor(std::log10(rough) + 1e-9));
        const double leading = rough / power;
        axis->setTickAnchor(0.0);
        axis->setTickInterval(power * (leading <= 1 ? 1.0 : leading <= 2 ? 2.0 : leading <= 5 ? 5.0 : 10.0));
        axis->setTickType(QValueAxis::TicksDynamic);
        return;
    }
    axis->setTickType(QValueAxis::TicksFixed);
    // The value axis is the whole series': it stays put while the chart scrolls.
    double largest = m_valueMaximum;
    double smallest = 0.0;
    for (const auto &values : m_values) {
        for (double v : values) {
            largest = std::max(largest, v);
            smallest = std::min(smallest, v);
        }
    }
    // Every value 0: whole numbers a tick apart, as most charts count plays.
    axis->setRange(smallest, largest > smallest ? largest * 1.05 : smallest + kValueTicks - 1);
    axis->applyNiceNumbers();
    // The nice numbers may add a tick: then the step grows to the next of 1, 2, 5 (× 10ⁿ)
    // until the ticks fit (an axis across 0 keeps at least three).
    int ticks = axis->tickCount();
    double step = (axis->max() - axis->min()) / (ticks - 1);
    while (ticks > std::max(room, 3)) {
        const double power = std::pow(10.0, std::floor(std::log10(step) + 1e-9));
        const double leading = step / power;
        step = power * (leading < 1.5 ? 2.0 : leading < 3.5 ? 5.0 : 10.0);
        const double low = std::floor(axis->min() / step + 1e-9) * step;
        const double high = std::ceil(axis->max() / step - 1e-9) * step;
        ticks = int(std::lround((high - low) / step)) + 1;
        axis->setRange(low, high);
        axis->setTickCount(ticks);
    }
}

void Chart::redraw()
{
    m_redrawPending = false;
    const bool asking = asksForChoice();
    if (!m_changed && asking == m_askShown)
        return;
    m_changed = false;
    m_askShown = asking;
    ++m_redrawCount;
    QChart *c = chart();

    if (showsEmptyText() || (asking && m_valueMaximum <= 0)) {
        // No frame with a 0 to 1 axis and no labels: a line saying there is nothing to show.
        clearPicture();
        m_scroll->hide();
        setViewportMargins(0, 0, 0, 0);
        fitToViewport();
        showTitle(asking ? QString::fromUtf16(kChoose) : m_emptyText);
        describe();
        return;
    }
    // A value axis asked for stands under the request to pick a chart.
    showTitle(asking ? QString::fromUtf16(kChoose) : QString());

    const int points = pointCount();
    const int bars = shownCount();
    m_first = std::clamp(m_first, 0, points - bars);
    const bool scrolls = points > bars;
    setViewportMargins(0, 0, 0, scrolls ? m_scroll->sizeHint().height() : 0);
    fitToViewport();
    m_scroll->setVisible(scrolls);
    {
        const QSignalBlocker quiet(m_scroll);
        m_scroll->setRange(0, points - bars);
        m_scroll->setPageStep(bars);
        m_scroll->setSingleStep(std::max(bars / 20, 1));
        m_scroll->setValue(m_first);
    }

    std::vector<std::pair<QString, int>> labels = labelsInView(bars);
    const auto slice = [&](int s) {
        const auto &values = m_values[std::size_t(s)];
        return QList<qreal>(values.begin() + m_first, values.begin() + m_first + bars);
    };

    // A chart that keeps its labels keeps its series and axes and only takes the new values:
    // building them again costs more than the rest of the picture (a saved play moves every
    // bar of a history chart by one).
    const QList<QAbstractSeries *> shown = c->series();
    auto *series = shown.size() == 1 ? qobject_cast<QBarSeries *>(shown.front()) : nullptr;
    const QList<QAbstractAxis *> xAxes = c->axes(Qt::Horizontal);
    const QList<QAbstractAxis *> yAxes = c->axes(Qt::Vertical);
    auto *xAxis = xAxes.size() == 1 ? qobject_cast<QCategoryAxis *>(xAxes.front()) : nullptr;
    auto *yAxis = yAxes.size() == 1 ? qobject_cast<QValueAxis *>(yAxes.front()) : nullptr;
    if (series && xAxis && yAxis && series->count() == seriesCount() && labels == m_shownLabels) {
        for (int s = 0; s < seriesCount(); ++s) {
            QBarSet *set = series->barSets().at(s);
            if (set->label() != m_seriesNames[std::size_t(s)])
                set->setLabel(m_seriesNames[std::size_t(s)]);
            const QList<qreal> values = slice(s);
            bool same = set->count() == values.size();
            for (qsizetype i = 0; same && i < values.size(); ++i)
                same = set->at(i) == values[i];
            if (!same) {
                set->remove(0, set->count());
                set->append(values);
            }
        }
        xAxis->setRange(-0.5, std::max(bars, 1) - 0.5);
    } else {
        clearPicture();
        series = new QBarSeries;
        series->setBarWidth(0.8);
        for (int s = 0; s < seriesCount(); ++s) {
            auto *set = new QBarSet(m_seriesNames[std::size_t(s)]);
            set->setColor(seriesColour(s));
            set->setBorderColor(seriesColour(s).darker(120));
            set->append(slice(s));
            series->append(set);
        }
        c->addSeries(series);

        // Bars stand at x = 0, 1, ...; labels are placed on their bars.
        xAxis = new QCategoryAxis;
        xAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
        xAxis->setGridLineVisible(false);
        xAxis->setRange(-0.5, std::max(bars, 1) - 0.5);
        xAxis->setStartValue(-0.5);
        for (const auto &[text, position] : labels)
            xAxis->append(text, position);
        c->addAxis(xAxis, Qt::AlignBottom);
        series->attachAxis(xAxis);

        yAxis = new QValueAxis;
        yAxis->setLabelFormat(QStringLiteral("%g"));
        c->addAxis(yAxis, Qt::AlignLeft);
        series->attachAxis(yAxis);
        m_shownLabels = std::move(labels);
    }
    fitValueAxis();

    const bool named = std::any_of(m_seriesNames.begin(), m_seriesNames.end(), [](const QString &name) { return !name.isEmpty(); });
    c->legend()->setVisible(named && seriesCount() > 1);
    colourParts();
    describe();
}

} // namespace kotohana
