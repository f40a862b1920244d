#pragma once
// Which functions a window's title bar offers besides moving and resizing.
//
// Qt turns the window flags into the window manager's hints, but on X11 it
// allows every function (and so every title-bar button) as soon as a window
// asks for none of them. This asks for exactly the given ones.

class QWidget;

namespace quz::platform {

enum class FrameButtons {
    None,  // a frame that only moves and resizes
    Close, // and a close button
};

// Applied now and at every later showing of `window` (a top-level window).
// Does nothing where the platform has no such hints (offscreen, Wayland).
void restrictFrameButtons(QWidget *window, FrameButtons buttons);

} // namespace quz::platform
