#include "platform/window_geometry.h"

#include <QEvent>
#include <QWidget>

#include <algorithm>
#include <cstdint>

namespace quz::platform {

namespace {

// A size from the settings file minus the frame, as an int the window takes.
int clientExtent(int64_t outer, int frame)
{
    return static_cast<int>(std::clamp<int64_t>(outer - frame, 1, QWIDGETSIZE_MAX));
}

// Once the window manager has given the window its frame, the client size is
// corrected so that the outer size is the one asked for.
class OuterSizeFix : public QObject {
public:
    OuterSizeFix(QWidget *window, int width, int height)
        : QObject(window)
        , m_width(width)
        , m_height(height)
    {}
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *w = static_cast<QWidget *>(watched);
        if (event->type() == QEvent::Show || event->type() == QEvent::Move) {
            const QSize frame = w->frameGeometry().size() - w->geometry().size();
            if (!frame.isEmpty()) {
                w->resize(clientExtent(m_width, frame.width()),
                          clientExtent(m_height, frame.height()));
                w->removeEventFilter(this);
                deleteLater();
            }
        }
        return false;
    }

private:
    int m_width;
    int m_height;
};

} // namespace

settings::Geometry outerGeometry(const QWidget *window)
{
    const QRect frame = window->frameGeometry();
    return {frame.left(), frame.top(), frame.height(), frame.width()};
}

void setOuterGeometry(QWidget *window, const settings::Geometry &outer)
{
    window->move(outer.left, outer.top);
    const QSize frame = window->frameGeometry().size() - window->geometry().size();
    window->resize(clientExtent(outer.width, frame.width()),
                   clientExtent(outer.height, frame.height()));
    if (!window->isVisible() && frame.isEmpty())
        window->installEventFilter(new OuterSizeFix(window, outer.width, outer.height));
}

void readGeometry(QWidget *window, const settings::SettingsBatch &batch,
                  const settings::GeometryKeys &keys)
{
    setOuterGeometry(window, batch.read(keys));
}

void writeGeometry(settings::SettingsBatch &batch, const settings::GeometryKeys &keys,
                   const QWidget *window)
{
    batch.write(keys, outerGeometry(window));
}

} // namespace quz::platform
