#pragma once

#include <QColor>
#include <QPushButton>

namespace kotohana {

// A push button with a settable back colour. Where a page lights a button to show which chart
// or filter is on, the colour is that page's record of it, so it can be read back.
class ColorButton final : public QPushButton
{
    Q_OBJECT

public:
    explicit ColorButton(const QString &caption, QWidget *parent = nullptr);

    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor &color);

private:
    QColor m_backColor;
};

} // namespace kotohana
