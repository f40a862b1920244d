#pragma once
// The smallest size a window can be given, counted as the outer size (frame
// included), as the window design states it.

#include <QSize>

class QWidget;

namespace quz::platform {

// Keeps `window` (a top-level window), once it is shown, from being made
// smaller than `outer`, by the user or by the program; no maximum. The frame
// is known only once the window manager has framed the window, so the client
// minimum is worked out again whenever the window is shown, moved or resized.
void keepMinimumOuterSize(QWidget *window, QSize outer);

} // namespace quz::platform
