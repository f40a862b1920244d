#pragma once
// Close requests of the window manager that Qt would drop. While a modal box
// is open, Qt ignores the window manager's request to close any window the
// box blocks: the main window stayed, wrote no settings, and only a later
// request closed it. Here such a request closes the boxes, as their own OK or
// Cancel does, and then the window. Requests while no box is open are Qt's
// own, unchanged.

class QWidget;

namespace quz::platform {

// From now on, the window manager's close requests for `window` (X11's
// WM_DELETE_WINDOW) that arrive while a modal box is open go through
// closeThroughModalBoxes(). Does nothing on other window systems.
void closeEvenWhenBlocked(QWidget *window);

// When a modal box is open: closes every open modal box, then `window` once
// the event loop is back; returns true. Otherwise does nothing and returns
// false.
bool closeThroughModalBoxes(QWidget *window);

} // namespace quz::platform
