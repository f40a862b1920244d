#pragma once
// What the windows need beyond the toolkit's defaults to be used by keyboard
// and by screen reader: controls that Tab reaches without a mouse click
// leaving a focus frame on them, key handlers that see a control's keys
// before it does, labels that act as buttons, the role of a window, and
// announcements through a control's accessible description.
//
// Not responsible for: which keys a window uses, what its controls are
// called or what it announces; the windows decide that.

#include <QString>

#include <functional>

class QAbstractButton;
class QKeyEvent;
class QWidget;

namespace quz::platform {

// Whether `event` is a key that presses the focused control: Space, Return
// or the keypad's Enter, without Ctrl or Alt, and not held down.
bool isPressKey(const QKeyEvent *event);

// Calls `handler` for every key press that reaches `control`, before the
// control sees it; the control never sees a key the handler returns true
// for. Handlers installed later on the same control run first. Lives as long
// as the control.
void onKeyPress(QWidget *control, std::function<bool(QKeyEvent *)> handler);

// Enter clicks `button` as Space does.
void pressOnEnter(QAbstractButton *button);

// Tab reaches `button`, a mouse click does not give it the focus, and Enter
// clicks it as Space does.
void reachByTab(QAbstractButton *button);

// `control`, which is no button, does `press` when clicked by its window
// (a number label): while it has the keyboard focus, Space or Enter does
// `press`, and screen readers see a focusable button whose Press action does
// `press`. Its focus policy stays as it is, so its window hands it the
// focus; the control itself never sees the focus come and go (a label that
// has seen it once draws its text one pixel higher). While it has the focus
// from a key it takes the colours of a selection, as a focus frame would not
// fit its place.
void makePressable(QWidget *control, std::function<void()> press);

// Screen readers see the top-level `window` as a window (a frame), not as a
// pane.
void exposeAsWindow(QWidget *window);

// Screen readers see `panel`, a framed part of a window, as a panel, not as
// a window's frame.
void exposeAsPanel(QWidget *panel);

// Makes `text` the accessible description of `control` and tells screen
// readers of it, also when it is the text it had (the same thing happened
// once more).
void announce(QWidget *control, const QString &text);

} // namespace quz::platform
