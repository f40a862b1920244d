#pragma once
// Moving a window by dragging inside it, as if its title bar were dragged.

#include <functional>

class QWidget;

namespace quz::platform {

// The window system's own interactive move of a window, as a drag uses it.
struct SystemMove {
    // Starts the move of `window` by the left button, which the window
    // manager takes over; false where the window system offers no move.
    std::function<bool(QWidget *window)> start;
    // Tells the window manager that the button is up already, so that a move
    // it has not taken over yet does not begin.
    std::function<void(QWidget *window)> cancel;
};

// Qt's system move, cancelled on X11 through the window manager's
// _NET_WM_MOVERESIZE message (elsewhere the cancel does nothing).
SystemMove desktopSystemMove();

// From now on, a press of any mouse button in `area` starts the interactive
// move of area's window, which ends when the button is released: for the
// left button the desktop's own move (`move`) where the window system offers
// it; otherwise the window follows the pointer by hand. A release that still
// reaches `area` after the desktop's move was asked for came before the
// window manager took the pointer (a quick click): that move is cancelled,
// so the window never follows a pointer with no button held. The press, the
// moves and the release that belong to the drag do not reach `area` (so no
// text is selected there); double-clicks, the wheel and everything else
// still do.
void moveWindowByDrag(QWidget *area, SystemMove move = desktopSystemMove());

} // namespace quz::platform
