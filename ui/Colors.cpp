#include "Colors.h"

#include <QGuiApplication>
#include <QPalette>

namespace kotohana {

QColor windowsColor(quint32 value)
{
    if (value & 0x80000000u) {
        // System colours; the program uses the button face only.
        return QGuiApplication::palette().color(QPalette::Button);
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

} // namespace kotohana
