#include "ui/platform/window_geometry.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cstdint>
#include <vector>

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

// A rectangle in 64 bits: right and bottom are exclusive.
struct Box {
    int64_t left;
    int64_t top;
    int64_t right;
    int64_t bottom;
    int64_t width() const { return right - left; }
    int64_t height() const { return bottom - top; }
};

Box boxOf(const QRect &r)
{
    return {r.left(), r.top(), int64_t{r.left()} + r.width(), int64_t{r.top()} + r.height()};
}

int64_t overlap(int64_t a0, int64_t a1, int64_t b0, int64_t b1)
{
    return std::max<int64_t>(0, std::min(a1, b1) - std::max(a0, b0));
}

int64_t overlapArea(const Box &a, const Box &b)
{
    // A screen is far smaller than 2^31 in each direction, so the product fits.
    return overlap(a.left, a.right, b.left, b.right) * overlap(a.top, a.bottom, b.top, b.bottom);
}

// Squared distance between two rectangles that do not overlap (0 when they
// touch or overlap), in double: the sides may be 2^32 apart.
double distance2(const Box &a, const Box &b)
{
    const double dx =
        static_cast<double>(std::max<int64_t>({0, b.left - a.right, a.left - b.right}));
    const double dy =
        static_cast<double>(std::max<int64_t>({0, b.top - a.bottom, a.top - b.bottom}));
    return dx * dx + dy * dy;
}

} // namespace

settings::Geometry fitToScreens(const settings::Geometry &outer, const QList<QRect> &screens)
{
    int64_t width = std::max<int64_t>(outer.width, 1);
    int64_t height = std::max<int64_t>(outer.height, 1);
    const Box asRead{outer.left, outer.top, outer.left + width, outer.top + height};

    std::vector<Box> areas;
    for (const QRect &screen : screens)
        if (!screen.isEmpty())
            areas.push_back(boxOf(screen));
    if (areas.empty())
        return {outer.left, outer.top, static_cast<int32_t>(height), static_cast<int32_t>(width)};

    // Its screen: most overlap first, then the nearest.
    const Box *home = &areas.front();
    int64_t bestArea = -1;
    double bestDistance = 0;
    for (const Box &area : areas) {
        const int64_t shared = overlapArea(asRead, area);
        const double apart = distance2(asRead, area);
        if (shared > bestArea || (shared == 0 && bestArea == 0 && apart < bestDistance)) {
            home = &area;
            bestArea = shared;
            bestDistance = apart;
        }
    }

    width = std::min(width, home->width());
    height = std::min(height, home->height());
    int64_t left = outer.left;
    int64_t top = outer.top;
    const Box sized{left, top, left + width, top + height};
    const bool onScreen = std::any_of(
        areas.begin(), areas.end(), [&](const Box &area) { return overlapArea(sized, area) > 0; });
    if (!onScreen) {
        left = std::clamp(left, home->left, home->right - width);
        top = std::clamp(top, home->top, home->bottom - height);
    }
    return {static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(height),
            static_cast<int32_t>(width)};
}

QList<QRect> availableScreenAreas()
{
    QList<QRect> areas;
    for (const QScreen *screen : QGuiApplication::screens())
        areas << screen->availableGeometry();
    return areas;
}

settings::Geometry outerGeometry(const QWidget *window)
{
    const QRect frame = window->frameGeometry();
    return {frame.left(), frame.top(), frame.height(), frame.width()};
}

void setOuterGeometry(QWidget *window, const settings::Geometry &asRead)
{
    const settings::Geometry outer = fitToScreens(asRead, availableScreenAreas());
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
