#include "ui/platform/edge_snap.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cstdlib>
#include <optional>

namespace quz::platform {

namespace {

// One axis: the new start of a span [start, start + length) against the
// work area's span [areaStart, areaEnd).
int snapAxis(int start, int length, int areaStart, int areaEnd, int distance)
{
    if (std::abs(start - areaStart) <= distance)
        return areaStart;
    if (std::abs(start + length - areaEnd) <= distance)
        return areaEnd - length;
    return start;
}

class EdgeSnap : public QObject {
public:
    explicit EdgeSnap(QWidget *window)
        : QObject(window)
    {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *window = static_cast<QWidget *>(watched);
        if (event->type() == QEvent::Show) {
            // Where the program put the window (its stored position): the
            // window manager's placement there is no move of the user's.
            m_placed = window->pos();
        } else if (event->type() == QEvent::Move) {
            if (m_placed && window->frameGeometry().topLeft() == *m_placed)
                return false;
            m_placed.reset();
            snap(window);
        }
        return false;
    }

private:
    std::optional<QPoint> m_placed;

    static void snap(QWidget *window)
    {
        if (!window->isVisible() || window->isMaximized() || window->isFullScreen())
            return;
        const QRect frame = window->frameGeometry();
        QScreen *screen = QGuiApplication::screenAt(frame.center());
        if (!screen)
            screen = window->screen();
        if (!screen)
            return;
        const QPoint to = snappedPosition(frame, screen->availableGeometry());
        if (to != frame.topLeft())
            window->move(to);
    }
};

} // namespace

QPoint snappedPosition(const QRect &frame, const QRect &workArea, int distance)
{
    // QRect's right() and bottom() are the last pixel; the spans end after it.
    return {snapAxis(frame.left(), frame.width(), workArea.left(),
                     workArea.left() + workArea.width(), distance),
            snapAxis(frame.top(), frame.height(), workArea.top(),
                     workArea.top() + workArea.height(), distance)};
}

void snapToScreenEdges(QWidget *window) { window->installEventFilter(new EdgeSnap(window)); }

} // namespace quz::platform
