#include "Shape.h"

#include "Theme.h"

#include <QPainter>

namespace kotohana {

Shape::Shape(Kind kind, QWidget *parent)
    : QWidget(parent)
    , m_kind(kind)
{
}

void Shape::setFillColor(const QColor &color)
{
    if (color == m_fill)
        return;
    m_fill = color;
    update();
}

void Shape::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor fill = tint(m_fill, ColourUse::Lamp).fill;
    // The edge stands out of the window around it, as the fill may not: a lamp that is off is
    // the colour of the window in high contrast.
    QColor edge = palette().color(QPalette::WindowText);
    if (currentLook() == Look::Light)
        edge = fill.darker(135);
    else if (currentLook() == Look::Dark)
        edge.setAlpha(150);
    painter.setPen(QPen(edge, 1.2));
    painter.setBrush(fill);
    const QRectF area = QRectF(rect()).adjusted(1, 1, -1, -1);
    if (m_kind == Kind::Circle) {
        const qreal side = std::min(area.width(), area.height());
        painter.drawEllipse(QRectF(area.center() - QPointF(side / 2, side / 2), QSizeF(side, side)));
    } else {
        painter.drawRect(area);
    }
}

} // namespace kotohana
