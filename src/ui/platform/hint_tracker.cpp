#include "ui/platform/hint_tracker.h"

#include "ui/platform/control_state.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QMenu>
#include <QWidget>

namespace quz::platform {

QString hintAt(const QWidget *control)
{
    for (const QWidget *w = control; w; w = w->parentWidget())
        if (const QString text = hint(w); !text.isEmpty())
            return text;
    return {};
}

HintTracker::HintTracker(HintSink &sink, QObject *parent)
    : QObject(parent)
    , m_sink(sink)
{
    m_idle.setSingleShot(true);
    m_idle.setInterval(0);
    connect(&m_idle, &QTimer::timeout, this, &HintTracker::update);
    QCoreApplication::instance()->installEventFilter(this);
}

HintTracker::~HintTracker()
{
    if (QCoreApplication *app = QCoreApplication::instance())
        app->removeEventFilter(this);
}

QString HintTracker::currentHint()
{
    // An open popup menu takes the pointer: its highlighted item speaks.
    if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
        const QAction *item = menu->activeAction();
        return item ? hint(item) : QString();
    }
    return hintAt(QApplication::widgetAt(QCursor::pos()));
}

bool HintTracker::eventFilter(QObject *, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::Enter:
    case QEvent::Leave:
    case QEvent::HoverMove:
    case QEvent::StatusTip: // sent when a menu item is highlighted
    case QEvent::Show:
    case QEvent::Hide:
        if (!m_idle.isActive())
            m_idle.start();
        break;
    default: break;
    }
    return false;
}

void HintTracker::update()
{
    const QString text = currentHint();
    if (text == m_shown)
        return;
    m_shown = text;
    m_sink.showHint(text);
}

} // namespace quz::platform
