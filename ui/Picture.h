#pragma once

#include <QSvgRenderer>
#include <QWidget>

#include <memory>

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
    // Read when the picture is first measured or drawn: of pictures that share a place, those
    // never shown are never read.
    QSvgRenderer &renderer() const;

    QString m_resource;
    mutable std::unique_ptr<QSvgRenderer> m_renderer;
};

} // namespace kotohana
