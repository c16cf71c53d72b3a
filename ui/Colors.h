#pragma once

#include <QColor>

namespace kotohana {

// A colour written the Windows way, &HBBGGRR: blue in the high byte, red in the low one
// (&HC0C0FF is light red). &H8000000F is the system's button-face colour.
QColor windowsColor(quint32 value);

constexpr quint32 kButtonFace = 0x8000000F;

} // namespace kotohana
