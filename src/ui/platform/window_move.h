#pragma once
// Moving a window by dragging inside it, as if its title bar were dragged.

class QWidget;

namespace quz::platform {

// From now on, a press of any mouse button in `area` starts the interactive
// move of area's window, which ends when the button is released: for the
// left button the desktop's own move where the window system offers it;
// otherwise the window follows the pointer by hand. The press, the moves and the release that belong to the drag do
// not reach `area` (so no text is selected there); double-clicks, the wheel
// and everything else still do.
void moveWindowByDrag(QWidget *area);

} // namespace quz::platform
