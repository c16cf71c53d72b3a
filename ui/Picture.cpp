#include "Picture.h"

#include <QPainter>

namespace kotohana {

Picture::Picture(const QString &resource, QWidget *parent)
    : QWidget(parent)
    , m_resource(resource)
    , m_renderer(resource)
{
    m_renderer.setAspectRatioMode(Qt::KeepAspectRatio);
}

QSize Picture::sizeHint() const
{
    return m_renderer.isValid() ? m_renderer.defaultSize() : QSize(64, 64);
}

void Picture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    m_renderer.render(&painter, QRectF(rect()));
}

} // namespace kotohana
