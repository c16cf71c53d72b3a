#include "Shape.h"

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
    painter.setPen(QPen(m_fill.darker(135), 1.2));
    painter.setBrush(m_fill);
    const QRectF area = QRectF(rect()).adjusted(1, 1, -1, -1);
    if (m_kind == Kind::Circle) {
        const qreal side = std::min(area.width(), area.height());
        painter.drawEllipse(QRectF(area.center() - QPointF(side / 2, side / 2), QSizeF(side, side)));
    } else {
        painter.drawRect(area);
    }
}

} // namespace kotohana
