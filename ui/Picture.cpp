#include "Picture.h"

#include <QPainter>

namespace kotohana {

Picture::Picture(const QString &resource, QWidget *parent)
    : QWidget(parent)
    , m_resource(resource)
{
}

QSvgRenderer &Picture::renderer() const
{
    if (!m_renderer) {
        m_renderer = std::make_unique<QSvgRenderer>(m_resource);
        m_renderer->setAspectRatioMode(Qt::KeepAspectRatio);
    }
    return *m_renderer;
}

QPixmap Picture::pixmap(const QString &resource, const QSize &size, qreal devicePixelRatio)
{
    QPixmap picture(size * devicePixelRatio);
    picture.setDevicePixelRatio(devicePixelRatio);
    picture.fill(Qt::transparent);
    QSvgRenderer renderer(resource);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return picture;
}

QSize Picture::sizeHint() const
{
    return renderer().isValid() ? renderer().defaultSize() : QSize(64, 64);
}

void Picture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer().render(&painter, QRectF(rect()));
}

} // namespace kotohana
