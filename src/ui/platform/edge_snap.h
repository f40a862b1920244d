#pragma once
// Screen-edge snapping of the program's windows: a window moved to within
// kSnapDistance px of an edge of its screen's work area (the screen without
// panels and docks) is put against that edge.

#include <QPoint>
#include <QRect>

class QWidget;

namespace quz::platform {

inline constexpr int kSnapDistance = 10;

// Where a window whose outer rectangle is `frame` goes. Each axis on its
// own: the left (top) edge snaps when it is at most `distance` px from the
// work area's left (top) edge, on either side of it; otherwise the right
// (bottom) edge snaps to the work area's right (bottom) edge under the same
// rule; otherwise the axis stays.
QPoint snappedPosition(const QRect &frame, const QRect &workArea, int distance = kSnapDistance);

// Snaps `window` (a top-level window) whenever it has moved, by the user or
// by the program, against the work area of the screen it is on. The position
// it is shown at (the one the settings gave it) is kept as it is.
void snapToScreenEdges(QWidget *window);

} // namespace quz::platform
