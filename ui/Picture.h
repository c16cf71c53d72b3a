#pragma once

#include <QSvgRenderer>
#include <QWidget>

namespace kotohana {

// A picture drawn from an SVG resource at whatever size the widget has.
class Picture final : public QWidget
{
    Q_OBJECT

public:
    explicit Picture(const QString &resource, QWidget *parent = nullptr);

    const QString &resource() const { return m_resource; }
    // The picture drawn once at a fixed size, for a button's icon.
    static QPixmap pixmap(const QString &resource, const QSize &size, qreal devicePixelRatio);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_resource;
    QSvgRenderer m_renderer;
};

} // namespace kotohana
