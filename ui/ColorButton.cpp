#include "ColorButton.h"

#include "Colors.h"

namespace kotohana {

ColorButton::ColorButton(const QString &caption, QWidget *parent)
    : QPushButton(caption, parent)
    , m_backColor(windowsColor(kButtonFace))
{
}

void ColorButton::setBackColor(const QColor &color)
{
    m_backColor = color;
    QPalette p = palette();
    p.setColor(QPalette::Button, color);
    setPalette(p);
}

} // namespace kotohana
