#include "ui/platform/window_limits.h"

#include <QEvent>
#include <QWidget>

#include <algorithm>

namespace quz::platform {

namespace {

// The client minimum that gives the outer minimum `outer` with a frame of
// `frame` (outer size minus client size); never below 1 x 1.
QSize minimumClientSize(QSize outer, QSize frame)
{
    return {std::max(1, outer.width() - std::max(0, frame.width())),
            std::max(1, outer.height() - std::max(0, frame.height()))};
}

class MinimumOuterSize : public QObject {
public:
    MinimumOuterSize(QWidget *window, QSize outer)
        : QObject(window)
        , m_outer(outer)
    {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::Show:
        case QEvent::Move:
        case QEvent::Resize:
            apply(static_cast<QWidget *>(watched), event->type() == QEvent::Show);
            break;
        default: break;
        }
        return false;
    }

private:
    // No limit before the window is shown: the size it is given from the
    // settings, meant as an outer size, is made exact once the frame is known
    // (setOuterGeometry), and a limit worked out without the frame would stand
    // in its way. A window shown without a frame yet gets it from the window
    // manager right after; a window that stays frameless gets its limit at
    // its next move or resize.
    void apply(QWidget *window, bool showing) const
    {
        if (!window->isVisible())
            return;
        const QSize frame = window->frameGeometry().size() - window->geometry().size();
        if (showing && frame.isEmpty())
            return;
        const QSize client = minimumClientSize(m_outer, frame);
        if (window->minimumSize() != client)
            window->setMinimumSize(client);
    }

    QSize m_outer;
};

} // namespace

void keepMinimumOuterSize(QWidget *window, QSize outer)
{
    window->installEventFilter(new MinimumOuterSize(window, outer));
}

} // namespace quz::platform
