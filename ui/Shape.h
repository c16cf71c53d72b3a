#pragma once

#include <QColor>
#include <QWidget>

namespace kotohana {

// A filled shape: a lamp, a colour sample or a bar whose width shows an amount.
class Shape final : public QWidget
{
    Q_OBJECT

public:
    enum class Kind { Rectangle, Circle };

    explicit Shape(Kind kind, QWidget *parent = nullptr);

    QColor fillColor() const { return m_fill; }
    void setFillColor(const QColor &color);

    QSize sizeHint() const override { return {24, 24}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Kind m_kind;
    QColor m_fill = Qt::white;
};

} // namespace kotohana
