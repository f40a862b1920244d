#pragma once
// Mouse-move notifications per control: the toolkit reports moves of a
// button-less pointer only to controls that ask for them.

#include <functional>

class QWidget;

namespace quz::platform {

// Moves over a child go to the child, not to the control; while a button is
// held, the control that took the press hears of every move, also over its
// children.
enum class MoveArea {
    Anywhere,       // wherever the control hears of the move
    BareBackground, // only over the control's own background, never over a child
};

// Calls `handler` each time the pointer moves over `control` (with or without
// a button held). Lives as long as the control.
void onMouseMove(QWidget *control, std::function<void()> handler,
                 MoveArea area = MoveArea::Anywhere);

} // namespace quz::platform
