#include "ScreenFit.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace kotohana {
namespace {

// A title bar at the usual scalings of the common desktops, borders included.
constexpr int kTitleBarAllowance = 40;
// Room left between a shrunk window and the edges of the area: the window does not look
// maximised, and its edges stay easy to grab.
constexpr int kScreenMargin = 10;

} // namespace

WindowPlace placeOnScreen(QSize preferred, QSize minimum, const QRect &available, const QMargins &knownFrame)
{
    QMargins frame = knownFrame;
    frame.setTop(std::max(frame.top(), kTitleBarAllowance));
    const QSize frameExtent(frame.left() + frame.right(), frame.top() + frame.bottom());
    const QSize room = available.size() - frameExtent - QSize(2 * kScreenMargin, 2 * kScreenMargin);
    const QSize size = preferred.boundedTo(room).expandedTo(minimum);
    const QSize spare = available.size() - size - frameExtent;
    return {size, available.topLeft() + QPoint(std::max(0, spare.width() / 2), std::max(0, spare.height() / 2))};
}

QRect usableArea(const QScreen &screen)
{
    const QRect available = screen.availableGeometry();
    if (QGuiApplication::platformName().startsWith(QLatin1StringView("wayland")) && available == screen.geometry())
        return available.adjusted(0, kPanelAllowance, 0, 0);
    return available;
}

void fitToScreen(QWidget &window)
{
    // The window taking over from the active one opens where that one is, and has its frame.
    const QWidget *active = QApplication::activeWindow();
    const QWidget &reference = active ? *active : window;
    const QRect outer = reference.frameGeometry();
    const QRect inner = reference.geometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                         outer.bottom() - inner.bottom());
    const QSize minimum = window.minimumSize().expandedTo(window.minimumSizeHint());
    const WindowPlace place = placeOnScreen(window.size(), minimum, usableArea(*reference.screen()), frame);
    window.resize(place.size);
    window.move(place.framePosition);
}

} // namespace kotohana
