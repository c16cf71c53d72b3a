#include "MonthView.h"

#include "Theme.h"

#include "platform/Dates.h"

#include <QAccessibleWidget>
#include <QIcon>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QPolygonF>
#include <QToolButton>

#include <utility>

namespace kotohana {
namespace {

constexpr int kWeekdays = 7;
constexpr int kWeeks = 6;

// An arrow for the buttons to the month before and after, in the heading's colour.
QIcon arrow(bool left, const QColor &colour)
{
    QIcon icon;
    for (const int side : {16, 32}) {
        QPixmap picture(side, side);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        const qreal unit = side / 16.0;
        const QPolygonF pointingLeft{{10.5 * unit, 3 * unit}, {10.5 * unit, 13 * unit}, {4.5 * unit, 8 * unit}};
        painter.drawPolygon(left ? pointingLeft : QTransform(-1, 0, 0, 1, side, 0).map(pointingLeft));
        painter.end();
        icon.addPixmap(picture);
    }
    return icon;
}

bool weekend(int weekday)
{
    return weekday == 1 || weekday == kWeekdays;
}

// To assistive tools the calendar presses like a button: the marked day, its description, shows.
class MonthViewAccessible final : public QAccessibleWidget
{
public:
    explicit MonthViewAccessible(MonthView *view)
        : QAccessibleWidget(view)
    {
    }

    QStringList actionNames() const override { return QAccessibleWidget::actionNames() << pressAction(); }
    QStringList keyBindingsForAction(const QString &name) const override
    {
        return name == pressAction() ? QStringList{QStringLiteral("Return")} : QAccessibleWidget::keyBindingsForAction(name);
    }
    void doAction(const QString &name) override
    {
        if (name == pressAction())
            static_cast<MonthView *>(widget())->pickMarkedDay();
        else
            QAccessibleWidget::doAction(name);
    }
};

QAccessibleInterface *monthViewAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1StringView(MonthView::staticMetaObject.className()))
        return new MonthViewAccessible(static_cast<MonthView *>(object));
    return nullptr;
}

} // namespace

MonthView::MonthView(QWidget *parent)
    : QWidget(parent)
{
    static const bool accessible = [] {
        QAccessible::installFactory(monthViewAccessible);
        return true;
    }();
    Q_UNUSED(accessible);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    const std::pair<QToolButton **, bool> buttons[] = {{&m_previous, true}, {&m_next, false}};
    for (const auto &[button, left] : buttons) {
        *button = new QToolButton(this);
        (*button)->setAutoRaise(true);
        (*button)->setFocusPolicy(Qt::NoFocus); // Page Up and Page Down are the keyboard's
        const QString name = left ? QStringLiteral("前の月") : QStringLiteral("次の月");
        (*button)->setAccessibleName(name);
        (*button)->setToolTip(name);
    }
    drawArrows();
    connect(m_previous, &QToolButton::clicked, this, &MonthView::showPreviousMonth);
    connect(m_next, &QToolButton::clicked, this, &MonthView::showNextMonth);
    setValue(QDate::currentDate());
}

void MonthView::setValue(QDate day)
{
    if (!day.isValid())
        return;
    m_value = day;
    markDay(day);
}

QString MonthView::heading() const
{
    return QStringLiteral("%1年%2月").arg(m_shown.year()).arg(m_shown.month());
}

void MonthView::showPreviousMonth()
{
    markDay(m_marked.addMonths(-1));
}

void MonthView::showNextMonth()
{
    markDay(m_marked.addMonths(1));
}

void MonthView::setName(const QString &name)
{
    setAccessibleName(name);
}

void MonthView::markDay(QDate day)
{
    if (!day.isValid())
        return;
    m_marked = day;
    m_shown = QDate(day.year(), day.month(), 1);
    setAccessibleDescription(QStringLiteral("%1年%2月%3日（%4）")
                                 .arg(day.year())
                                 .arg(day.month())
                                 .arg(day.day())
                                 .arg(Dates::weekdayName(Dates::weekday(day))));
    update();
}

void MonthView::pickMarkedDay()
{
    pick(m_marked);
}

void MonthView::pick(QDate day)
{
    m_value = day;
    markDay(day);
    Q_EMIT dateClick(day);
}

int MonthView::headingHeight() const
{
    return fontMetrics().height() + 10;
}

QRect MonthView::cellRect(int row, int column) const
{
    // Row 0 holds the weekday names, rows 1 to 6 the weeks; the cells share the room evenly.
    const int top = headingHeight();
    const int rows = kWeeks + 1;
    const int y0 = top + (height() - top) * row / rows;
    const int y1 = top + (height() - top) * (row + 1) / rows;
    const int x0 = width() * column / kWeekdays;
    const int x1 = width() * (column + 1) / kWeekdays;
    return QRect(x0, y0, x1 - x0, y1 - y0);
}

QDate MonthView::firstDrawn() const
{
    return m_shown.addDays(1 - Dates::weekday(m_shown));
}

QRect MonthView::dayRect(QDate day) const
{
    const qint64 index = firstDrawn().daysTo(day);
    if (!day.isValid() || index < 0 || index >= kWeeks * kWeekdays)
        return {};
    return cellRect(int(index / kWeekdays) + 1, int(index % kWeekdays));
}

QDate MonthView::dayAt(QPoint at) const
{
    const QDate first = firstDrawn();
    for (int index = 0; index < kWeeks * kWeekdays; ++index) {
        const QDate day = first.addDays(index);
        if (dayRect(day).contains(at))
            return day;
    }
    return {};
}

QSize MonthView::sizeHint() const
{
    const QFontMetrics metrics = fontMetrics();
    return {kWeekdays * (metrics.horizontalAdvance(QStringLiteral("00")) + 20),
            headingHeight() + (kWeeks + 1) * (metrics.height() + 8)};
}

QSize MonthView::minimumSizeHint() const
{
    const QFontMetrics metrics = fontMetrics();
    return {kWeekdays * (metrics.horizontalAdvance(QStringLiteral("00")) + 6),
            headingHeight() + (kWeeks + 1) * (metrics.height() + 2)};
}

void MonthView::resizeEvent(QResizeEvent *)
{
    const int side = headingHeight();
    m_previous->setGeometry(2, 0, side, side);
    m_next->setGeometry(width() - side - 2, 0, side, side);
}

QColor MonthView::selectedText() const
{
    // Some desktops' highlighted text does not read on their highlight; black or white then does.
    const QColor text = palette().color(QPalette::HighlightedText);
    const QColor highlight = palette().color(QPalette::Highlight);
    return contrast(text, highlight) < 4.5 ? readableOn(highlight) : text;
}

void MonthView::drawArrows()
{
    m_previous->setIcon(arrow(true, selectedText()));
    m_next->setIcon(arrow(false, selectedText()));
}

void MonthView::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange && m_previous)
        drawArrows();
    QWidget::changeEvent(event);
}

void MonthView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QPalette &colours = palette();
    painter.fillRect(rect(), colours.color(QPalette::Base));

    const QRect headingRect(0, 0, width(), headingHeight());
    painter.fillRect(headingRect, colours.color(QPalette::Highlight));
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    const QColor onHighlight = selectedText();
    painter.setPen(onHighlight);
    painter.drawText(headingRect, Qt::AlignCenter, heading());
    painter.setFont(font());

    const QColor text = colours.color(QPalette::Text);
    const QColor otherMonth = quietText(text, colours.color(QPalette::Base));
    const QColor weekendText = paint(Paint::Weekend);
    for (int column = 0; column < kWeekdays; ++column) {
        painter.setPen(weekend(column + 1) ? weekendText : text);
        painter.drawText(cellRect(0, column), Qt::AlignCenter, Dates::weekdayName(column + 1));
    }
    const QDate first = firstDrawn();
    for (int index = 0; index < kWeeks * kWeekdays; ++index) {
        const QDate day = first.addDays(index);
        const QRect cell = dayRect(day);
        if (day == m_value) {
            painter.fillRect(cell, colours.color(QPalette::Highlight));
            painter.setPen(onHighlight);
        } else if (day.month() != m_shown.month()) {
            painter.setPen(otherMonth);
        } else {
            painter.setPen(weekend(index % kWeekdays + 1) ? weekendText : text);
        }
        painter.drawText(cell, Qt::AlignCenter, QString::number(day.day()));
    }
    if (hasFocus()) {
        painter.setPen(QPen(paint(Paint::Focus), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(dayRect(m_marked).adjusted(1, 1, -1, -1));
    }
}

void MonthView::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton ? dayAt(event->position().toPoint()) : QDate();
    QWidget::mousePressEvent(event);
}

void MonthView::mouseReleaseEvent(QMouseEvent *event)
{
    const QDate pressed = std::exchange(m_pressed, QDate());
    if (event->button() == Qt::LeftButton && pressed.isValid() && dayAt(event->position().toPoint()) == pressed)
        pick(pressed);
    QWidget::mouseReleaseEvent(event);
}

void MonthView::keyPressEvent(QKeyEvent *event)
{
    QDate to;
    switch (event->key()) {
    case Qt::Key_Left:
        to = m_marked.addDays(-1);
        break;
    case Qt::Key_Right:
        to = m_marked.addDays(1);
        break;
    case Qt::Key_Up:
        to = m_marked.addDays(-kWeekdays);
        break;
    case Qt::Key_Down:
        to = m_marked.addDays(kWeekdays);
        break;
    case Qt::Key_PageUp:
        to = m_marked.addMonths(-1);
        break;
    case Qt::Key_PageDown:
        to = m_marked.addMonths(1);
        break;
    case Qt::Key_Home:
        to = QDate(m_marked.year(), m_marked.month(), 1);
        break;
    case Qt::Key_End:
        to = QDate(m_marked.year(), m_marked.month(), m_marked.daysInMonth());
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        pickMarkedDay();
        return;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    markDay(to);
}

void MonthView::wheelEvent(QWheelEvent *event)
{
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0)
        markDay(m_marked.addMonths(-steps));
}

} // namespace kotohana
