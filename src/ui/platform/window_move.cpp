#include "ui/platform/window_move.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace quz::platform {

namespace {

class WindowMove : public QObject {
public:
    explicit WindowMove(QWidget *area)
        : QObject(area)
        , m_area(area)
    {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_area)
            return false;
        switch (event->type()) {
        case QEvent::MouseButtonPress: begin(static_cast<QMouseEvent *>(event)); return true;
        case QEvent::MouseMove:
            if (m_following)
                follow(static_cast<QMouseEvent *>(event));
            return m_following;
        case QEvent::MouseButtonRelease:
            if (!m_following)
                return false;
            if (static_cast<QMouseEvent *>(event)->buttons() == Qt::NoButton)
                m_following = false;
            return true;
        default: return false;
        }
    }

private:
    void begin(const QMouseEvent *press)
    {
        QWidget *window = m_area->window();
        QWindow *handle = window->windowHandle();
        // The window system's move ends when the left button is released
        // (X11 window managers are told so whichever button was pressed), so
        // it serves the left button only; with any other button the window
        // follows the pointer by hand, as it does where no system move is
        // offered, until the button is released.
        if (press->button() == Qt::LeftButton && handle && handle->startSystemMove()) {
            m_following = false;
            return;
        }
        m_following = true;
        m_pressGlobal = press->globalPosition().toPoint();
        m_startPos = window->pos();
    }

    void follow(const QMouseEvent *move)
    {
        if (move->buttons() == Qt::NoButton) {
            m_following = false;
            return;
        }
        m_area->window()->move(m_startPos + move->globalPosition().toPoint() - m_pressGlobal);
    }

    QWidget *m_area;
    bool m_following = false;
    QPoint m_pressGlobal;
    QPoint m_startPos;
};

} // namespace

void moveWindowByDrag(QWidget *area) { area->installEventFilter(new WindowMove(area)); }

} // namespace quz::platform
