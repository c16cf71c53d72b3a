#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QScreen;
class QWidget;

namespace kotohana {

// Where a window opens: its size inside the frame, and the place of the frame's top-left corner.
struct WindowPlace {
    QSize size;
    QPoint framePosition;
};

// A window opens as large as it would like where the screen's available area has room for it
// with its frame and a margin around, shrinking toward its minimum where not; it is centred in
// the area, or put at the area's top-left when even its minimum does not fit. Before a window
// first shows, the window system has not told its frame: the frame is taken to have at least a
// title bar's worth at its top.
WindowPlace placeOnScreen(QSize preferred, QSize minimum, const QRect &available, const QMargins &knownFrame);

// Room for a desktop's panel where the window system does not tell where its panels are: on
// Wayland, Qt gives the whole screen as the available area.
constexpr int kPanelAllowance = 48;

// The area of the screen a window may take: the available area, less room for a panel where
// the window system gives the whole screen as available without knowing.
QRect usableArea(const QScreen &screen);

// Gives a window that is about to show its size and place on the screen of the window the user
// works in now (or its own): its present size is the one it would like.
void fitToScreen(QWidget &window);

} // namespace kotohana
