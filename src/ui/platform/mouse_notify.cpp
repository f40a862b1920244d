#include "ui/platform/mouse_notify.h"

#include <QMouseEvent>
#include <QWidget>

namespace quz::platform {

namespace {

class MouseMoveNotifier : public QObject {
public:
    MouseMoveNotifier(QWidget *control, std::function<void()> handler, MoveArea area)
        : QObject(control)
        , m_control(control)
        , m_handler(std::move(handler))
        , m_area(area)
    {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_control && event->type() == QEvent::MouseMove) {
            const QPoint at = static_cast<QMouseEvent *>(event)->position().toPoint();
            if (m_area == MoveArea::Anywhere || !m_control->childAt(at))
                m_handler();
        }
        return false;
    }

private:
    QWidget *m_control;
    std::function<void()> m_handler;
    MoveArea m_area;
};

} // namespace

void onMouseMove(QWidget *control, std::function<void()> handler, MoveArea area)
{
    control->setMouseTracking(true);
    control->installEventFilter(new MouseMoveNotifier(control, std::move(handler), area));
}

} // namespace quz::platform
