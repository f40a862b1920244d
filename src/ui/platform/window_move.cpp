#include "ui/platform/window_move.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

#include "ui/platform/x11_support.h"

#include <cstdlib>

namespace quz::platform {

namespace {

#ifdef QUZ_HAVE_XCB
// _NET_WM_MOVERESIZE_CANCEL for `window`, sent to its root window as the
// window manager expects it.
void cancelMoveResize(QWidget *window)
{
    xcb_connection_t *connection = x11Connection();
    if (!connection || !window->windowHandle())
        return;
    const auto id = static_cast<xcb_window_t>(window->winId());
    const xcb_atom_t atom = x11Atom(connection, "_NET_WM_MOVERESIZE");
    xcb_query_tree_reply_t *tree =
        xcb_query_tree_reply(connection, xcb_query_tree(connection, id), nullptr);
    if (atom != XCB_ATOM_NONE && tree) {
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = id;
        event.type = atom;
        event.data.data32[2] = 11; // _NET_WM_MOVERESIZE_CANCEL
        event.data.data32[3] = XCB_BUTTON_INDEX_1;
        event.data.data32[4] = 1; // from a normal application
        xcb_send_event(connection, 0, tree->root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char *>(&event));
        xcb_flush(connection);
    }
    std::free(tree);
}
#else
void cancelMoveResize(QWidget *) {}
#endif

class WindowMove : public QObject {
public:
    WindowMove(QWidget *area, SystemMove move)
        : QObject(area)
        , m_area(area)
        , m_move(std::move(move))
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
            if (m_systemMove) {
                // The window manager has not taken the pointer (it would
                // have had this release): its move must not begin after it.
                m_systemMove = false;
                m_move.cancel(m_area->window());
                return false;
            }
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
        // The window system's move ends when the left button is released
        // (X11 window managers are told so whichever button was pressed), so
        // it serves the left button only; with any other button the window
        // follows the pointer by hand, as it does where no system move is
        // offered, until the button is released.
        m_systemMove = press->button() == Qt::LeftButton && m_move.start(window);
        if (m_systemMove) {
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
    SystemMove m_move;
    // The desktop's move was asked for and no release has come since.
    bool m_systemMove = false;
    bool m_following = false;
    QPoint m_pressGlobal;
    QPoint m_startPos;
};

} // namespace

SystemMove desktopSystemMove()
{
    return {[](QWidget *window) {
                QWindow *handle = window->windowHandle();
                return handle && handle->startSystemMove();
            },
            cancelMoveResize};
}

void moveWindowByDrag(QWidget *area, SystemMove move)
{
    area->installEventFilter(new WindowMove(area, std::move(move)));
}

} // namespace quz::platform
