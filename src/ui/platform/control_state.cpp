#include "ui/platform/control_state.h"

#include <QAction>
#include <QWidget>

namespace quz::platform {

// Hints are kept as Qt's status tips, the toolkit's own name for a text meant
// for the status bar.
QString hint(const QObject *control)
{
    if (const auto *widget = qobject_cast<const QWidget *>(control))
        return widget->statusTip();
    if (const auto *item = qobject_cast<const QAction *>(control))
        return item->statusTip();
    return {};
}

void setHint(QWidget *control, const QString &text, Tooltip tooltip)
{
    control->setStatusTip(text);
    control->setToolTip(tooltip == Tooltip::Shown ? text : QString());
}

void setHint(QAction *item, const QString &text) { item->setStatusTip(text); }

} // namespace quz::platform
