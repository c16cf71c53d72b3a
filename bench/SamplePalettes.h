#pragma once

#include <QPalette>

namespace kotohana::sample {

// Desktops' palettes other than Qt's own light one, for the screenshots and the contrast guard:
// a dark one as GNOME's dark theme gives, and a high-contrast one (black ground, white text,
// yellow highlight) as the desktops' high-contrast themes give.
QPalette darkPalette();
QPalette highContrastPalette();

} // namespace kotohana::sample
