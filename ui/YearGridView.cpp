#include "YearGridView.h"

#include "Theme.h"

#include "platform/Dates.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <utility>

namespace kotohana {
namespace {

constexpr int kWeekdays = 7;
// The grid keeps room for the longest year, a year starting on a Saturday: 54 weeks.
constexpr int kMostWeeks = 54;
constexpr int kGap = 2;

// A rectangle of the widget in whole pixels of the device it is painted on: at 125 % or 150 %
// each edge of a day then comes out one even line, the same for every day.
QRect devicePixels(const QRect &logical, qreal ratio)
{
    const auto at = [ratio](int x) { return qRound(x * ratio); };
    return QRect(QPoint(at(logical.left()), at(logical.top())), QPoint(at(logical.right() + 1) - 1, at(logical.bottom() + 1) - 1));
}

} // namespace

YearGridView::YearGridView(QWidget *parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

YearGridView::Metrics YearGridView::metrics() const
{
    const QFontMetrics font(this->font());
    Metrics m;
    m.step = std::clamp(font.tightBoundingRect(QStringLiteral("日")).height() + 4, 12, 16);
    for (int weekday = 1; weekday <= kWeekdays; ++weekday)
        m.labelWidth = std::max(m.labelWidth, font.horizontalAdvance(Dates::weekdayName(weekday)));
    m.labelWidth += 6;
    m.monthHeight = font.height() + 2;
    return m;
}

QSize YearGridView::sizeHint() const
{
    const Metrics m = metrics();
    return {m.labelWidth + kMostWeeks * m.step, m.monthHeight + kWeekdays * m.step};
}

QSize YearGridView::minimumSizeHint() const
{
    return sizeHint();
}

QRect YearGridView::cellRect(const Metrics &m, int index) const
{
    return {m.labelWidth + index / kWeekdays * m.step, m.monthHeight + index % kWeekdays * m.step, m.step - kGap, m.step - kGap};
}

void YearGridView::setDays(std::vector<Day> days, std::vector<MonthLabel> months)
{
    const QDate current = m_current >= 0 ? m_days[std::size_t(m_current)].date : QDate();
    m_days = std::move(days);
    m_months = std::move(months);
    m_current = -1;
    m_pressed = -1;
    if (current.isValid())
        setCurrentDay(current);
    else
        moveTo(nearestShown(int(m_days.size())), false);
    updateGeometry();
    update();
}

void YearGridView::setToday(QDate today)
{
    m_today = today;
    update();
}

void YearGridView::setCurrentDay(QDate day)
{
    const int at = indexOf(day);
    moveTo(at < 0 ? -1 : nearestShown(at), false);
}

void YearGridView::setDescription(const QString &description)
{
    m_description = description;
    moveTo(m_current, false);
}

int YearGridView::indexOf(QDate day) const
{
    // The days shown follow one another, so a day's place is counted from the first one.
    const auto first = std::find_if(m_days.begin(), m_days.end(), [](const Day &d) { return d.date.isValid(); });
    if (first == m_days.end() || !day.isValid())
        return -1;
    const qint64 at = (first - m_days.begin()) + first->date.daysTo(day);
    return int(std::clamp<qint64>(at, 0, qint64(m_days.size())));
}

int YearGridView::nearestShown(int index) const
{
    int first = -1;
    int last = -1;
    for (int i = 0; i < int(m_days.size()); ++i) {
        if (m_days[std::size_t(i)].date.isValid()) {
            if (first < 0)
                first = i;
            last = i;
        }
    }
    return first < 0 ? -1 : std::clamp(index, first, last);
}

QRect YearGridView::dayRect(QDate day) const
{
    const int at = indexOf(day);
    if (at < 0 || at >= int(m_days.size()) || m_days[std::size_t(at)].date != day)
        return {};
    return cellRect(metrics(), at);
}

int YearGridView::indexAt(QPoint at) const
{
    const Metrics m = metrics();
    const int x = at.x() - m.labelWidth;
    const int y = at.y() - m.monthHeight;
    if (x < 0 || y < 0 || x % m.step >= m.step - kGap || y % m.step >= m.step - kGap)
        return -1;
    const int row = y / m.step;
    const int index = x / m.step * kWeekdays + row;
    if (row >= kWeekdays || index >= int(m_days.size()) || !m_days[std::size_t(index)].date.isValid())
        return -1;
    return index;
}

QString YearGridView::toolTipAt(QPoint at) const
{
    const int index = indexAt(at);
    return index < 0 ? QString() : m_days[std::size_t(index)].toolTip;
}

void YearGridView::moveTo(int index, bool showTip)
{
    m_current = index;
    update();
    if (index < 0) {
        setAccessibleDescription(m_description);
        return;
    }
    const Day &day = m_days[std::size_t(index)];
    setAccessibleDescription(m_description + QLatin1Char('\n') + day.toolTip);
    if (showTip) {
        const QRect cell = cellRect(metrics(), index);
        QToolTip::showText(mapToGlobal(cell.bottomRight() + QPoint(4, 4)), day.toolTip, this, cell);
    }
}

bool YearGridView::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    const int index = indexAt(help->pos());
    if (index < 0) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), m_days[std::size_t(index)].toolTip, this, cellRect(metrics(), index));
    }
    return true;
}

void YearGridView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const Metrics m = metrics();
    painter.setPen(palette().color(QPalette::WindowText));
    for (int weekday = 1; weekday <= kWeekdays; ++weekday)
        painter.drawText(QRect(0, m.monthHeight + (weekday - 1) * m.step, m.labelWidth - 4, m.step - kGap),
                         Qt::AlignRight | Qt::AlignVCenter | Qt::TextDontClip, Dates::weekdayName(weekday));
    for (const MonthLabel &month : m_months)
        painter.drawText(QRect(m.labelWidth + month.week * m.step, 0, 4 * m.step, m.monthHeight),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, month.text);

    // The days are drawn in the device's own pixels: one pixel of edge all round, the fill
    // within, whatever the scale. The scale is the one of what is painted on now, which is
    // not the widget's own when it is drawn into a picture (QWidget::render).
    const qreal ratio = painter.paintEngine()->paintDevice()->devicePixelRatioF();
    painter.save();
    painter.scale(1 / ratio, 1 / ratio);
    const QColor edge = paint(Paint::DayEdge);
    for (int index = 0; index < int(m_days.size()); ++index) {
        const Day &day = m_days[std::size_t(index)];
        if (!day.date.isValid())
            continue;
        const QRect cell = devicePixels(cellRect(m, index), ratio);
        if (m_today.isValid() && day.date > m_today) {
            const int dot = std::max(2, cell.width() / 4);
            painter.fillRect(QRect(cell.center() - QPoint(dot / 2, dot / 2), QSize(dot, dot)), edge);
            continue;
        }
        const Tint shown = tint(day.color, ColourUse::Step);
        painter.fillRect(cell, palette().color(QPalette::Window));
        painter.fillRect(cell, edge);
        painter.fillRect(cell.adjusted(1, 1, -1, -1), shown.fill);
        if (day.date == m_today) {
            // Today: a frame in the colour that reads on its own step, within its edge.
            const int width = std::max(2, qRound(2 * ratio));
            const QRect inner = cell.adjusted(1, 1, -1, -1);
            painter.fillRect(QRect(inner.topLeft(), QSize(inner.width(), width)), shown.text);
            painter.fillRect(QRect(inner.left(), inner.bottom() - width + 1, inner.width(), width), shown.text);
            painter.fillRect(QRect(inner.topLeft(), QSize(width, inner.height())), shown.text);
            painter.fillRect(QRect(inner.right() - width + 1, inner.top(), width, inner.height()), shown.text);
        }
    }
    if (hasFocus() && m_current >= 0) {
        // The focus frame stands in the gap around the day, two pixels of the look's focus colour.
        const QRect around = devicePixels(cellRect(m, m_current).adjusted(-kGap, -kGap, kGap, kGap), ratio);
        const int width = std::max(2, qRound(2 * ratio));
        const QColor focus = paint(Paint::Focus);
        painter.fillRect(QRect(around.topLeft(), QSize(around.width(), width)), focus);
        painter.fillRect(QRect(around.left(), around.bottom() - width + 1, around.width(), width), focus);
        painter.fillRect(QRect(around.topLeft(), QSize(width, around.height())), focus);
        painter.fillRect(QRect(around.right() - width + 1, around.top(), width, around.height()), focus);
    }
    painter.restore();
}

void YearGridView::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton ? indexAt(event->position().toPoint()) : -1;
    if (m_pressed >= 0)
        moveTo(m_pressed, false);
    QWidget::mousePressEvent(event);
}

void YearGridView::mouseReleaseEvent(QMouseEvent *event)
{
    const int pressed = std::exchange(m_pressed, -1);
    if (event->button() == Qt::LeftButton && pressed >= 0 && indexAt(event->position().toPoint()) == pressed)
        Q_EMIT dayOpened(m_days[std::size_t(pressed)].date);
    QWidget::mouseReleaseEvent(event);
}

void YearGridView::keyPressEvent(QKeyEvent *event)
{
    if (m_current < 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    int to = m_current;
    switch (event->key()) {
    case Qt::Key_Left:
        to -= kWeekdays;
        break;
    case Qt::Key_Right:
        to += kWeekdays;
        break;
    case Qt::Key_Up:
        to -= 1;
        break;
    case Qt::Key_Down:
        to += 1;
        break;
    case Qt::Key_Home:
        to = nearestShown(0);
        break;
    case Qt::Key_End:
        to = nearestShown(int(m_days.size()));
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        Q_EMIT dayOpened(m_days[std::size_t(m_current)].date);
        return;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    if (to >= 0 && to < int(m_days.size()) && m_days[std::size_t(to)].date.isValid())
        moveTo(to, true);
}

} // namespace kotohana
