#pragma once
// The hint that a control of the three windows carries besides its caption:
// the text that the status bar's hint panel shows while the pointer is over
// the control. One place for it, so that no window spells a property name.

#include <QString>

class QAction;
class QObject;
class QWidget;

namespace quz::platform {

// Whether a control's hint also pops up as a tooltip beside the pointer.
enum class Tooltip { Hidden, Shown };

// The hint of a control or a menu item; empty when it has none.
QString hint(const QObject *control);
void setHint(QWidget *control, const QString &text, Tooltip tooltip = Tooltip::Hidden);
void setHint(QAction *item, const QString &text);

} // namespace quz::platform
