#include "ui/platform/frame_buttons.h"

#include <QEvent>
#include <QWidget>

#include "ui/platform/x11_support.h"

#include <cstdint>

namespace quz::platform {

namespace {

#ifdef QUZ_HAVE_XCB
// The _MOTIF_WM_HINTS property, as window managers read it.
struct MotifHints {
    uint32_t flags;
    uint32_t functions;
    uint32_t decorations;
    int32_t inputMode;
    uint32_t status;
};

constexpr uint32_t kHintFunctions = 1u << 0;
constexpr uint32_t kHintDecorations = 1u << 1;
constexpr uint32_t kFunctionResize = 1u << 1;
constexpr uint32_t kFunctionMove = 1u << 2;
constexpr uint32_t kFunctionClose = 1u << 5;
constexpr uint32_t kDecorBorder = 1u << 1;
constexpr uint32_t kDecorResizeHandle = 1u << 2;
constexpr uint32_t kDecorTitle = 1u << 3;

void apply(QWidget *window, FrameButtons buttons)
{
    xcb_connection_t *connection = x11Connection();
    if (!connection)
        return;
    const auto id = static_cast<xcb_window_t>(window->winId());
    const xcb_atom_t atom = x11Atom(connection, "_MOTIF_WM_HINTS");
    if (atom == XCB_ATOM_NONE)
        return;
    MotifHints hints{};
    hints.flags = kHintFunctions | kHintDecorations;
    hints.functions =
        kFunctionMove | kFunctionResize | (buttons == FrameButtons::Close ? kFunctionClose : 0u);
    hints.decorations = kDecorBorder | kDecorResizeHandle | kDecorTitle;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, atom, atom, 32, 5, &hints);
    xcb_flush(connection);
}
#else
void apply(QWidget *, FrameButtons) {}
#endif

// Re-applies the hints before each showing, after Qt may have set its own.
class FrameButtonsKeeper : public QObject {
public:
    FrameButtonsKeeper(QWidget *window, FrameButtons buttons)
        : QObject(window)
        , m_buttons(buttons)
    {}
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            apply(static_cast<QWidget *>(watched), m_buttons);
        return false;
    }

private:
    FrameButtons m_buttons;
};

} // namespace

void restrictFrameButtons(QWidget *window, FrameButtons buttons)
{
    window->installEventFilter(new FrameButtonsKeeper(window, buttons));
    if (window->testAttribute(Qt::WA_WState_Created))
        apply(window, buttons);
}

} // namespace quz::platform
