#include "ui/platform/close_requests.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QPointer>
#include <QWidget>

#include "ui/platform/x11_support.h"

namespace quz::platform {

namespace {

#ifdef QUZ_HAVE_XCB
// Sees every X event before Qt handles it; a WM_DELETE_WINDOW for the window
// while a box is open is taken up here (Qt then drops it as before).
class CloseRequestFilter : public QAbstractNativeEventFilter {
public:
    CloseRequestFilter(QWidget *window, xcb_atom_t protocols, xcb_atom_t deleteWindow)
        : m_window(window)
        , m_protocols(protocols)
        , m_delete(deleteWindow)
    {}

    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override
    {
        if (type != "xcb_generic_event_t" || !m_window)
            return false;
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE)
            return false;
        const auto *client = static_cast<const xcb_client_message_event_t *>(message);
        if (client->format == 32 && client->type == m_protocols
            && client->data.data32[0] == m_delete && m_window->testAttribute(Qt::WA_WState_Created)
            && client->window == static_cast<xcb_window_t>(m_window->winId()))
            closeThroughModalBoxes(m_window);
        return false;
    }

private:
    QPointer<QWidget> m_window;
    xcb_atom_t m_protocols;
    xcb_atom_t m_delete;
};
#endif

} // namespace

bool closeThroughModalBoxes(QWidget *window)
{
    if (!QApplication::activeModalWidget())
        return false;
    // Each box closes as its own OK or Cancel would; one that refuses ends
    // the round.
    for (int boxes = 0; boxes < 16; ++boxes) {
        QWidget *box = QApplication::activeModalWidget();
        if (!box || !box->close())
            break;
    }
    QPointer<QWidget> target = window;
    QMetaObject::invokeMethod(
        qApp,
        [target] {
            if (target)
                target->close();
        },
        Qt::QueuedConnection);
    return true;
}

void closeEvenWhenBlocked(QWidget *window)
{
#ifdef QUZ_HAVE_XCB
    xcb_connection_t *connection = x11Connection();
    if (!connection)
        return;
    auto *filter = new CloseRequestFilter(window, x11Atom(connection, "WM_PROTOCOLS"),
                                          x11Atom(connection, "WM_DELETE_WINDOW"));
    qApp->installNativeEventFilter(filter);
    QObject::connect(window, &QObject::destroyed, qApp, [filter] {
        qApp->removeNativeEventFilter(filter);
        delete filter;
    });
#else
    (void)window;
#endif
}

} // namespace quz::platform
