#include "ColorButton.h"

#include "Colors.h"
#include "Theme.h"

namespace kotohana {

ColorButton::ColorButton(const QString &caption, QWidget *parent)
    : QPushButton(caption, parent)
    , m_backColor(windowsColor(kButtonFace))
{
    connect(&themeWatcher(), &ThemeWatcher::lookChanged, this, [this] {
        // The face is the desktop's: a button not lit takes the new one.
        setBackColor(isProgramColour(m_backColor) ? m_backColor : windowsColor(kButtonFace));
    });
}

void ColorButton::setBackColor(const QColor &color)
{
    m_backColor = color;
    if (!isProgramColour(color)) {
        // The desktop's face with its own text colour, whatever the look.
        setPalette(QPalette());
        return;
    }
    const Tint lit = tint(color, ColourUse::Lit);
    QPalette p = palette();
    p.setColor(QPalette::Button, lit.fill);
    p.setColor(QPalette::ButtonText, lit.text);
    setPalette(p);
}

} // namespace kotohana
