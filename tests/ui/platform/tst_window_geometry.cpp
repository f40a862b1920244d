// Fitting a window rectangle from the settings file to the screens: sizes
// within the screen, windows off every screen brought back, positions on a
// screen kept as read, and values at the limits of 32 bits.

#include "ui/platform/window_geometry.h"

#include <QTest>

#include <limits>

using quz::platform::fitToScreens;
using quz::settings::Geometry;

Q_DECLARE_METATYPE(Geometry)

namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

const QRect kScreen(0, 0, 1024, 768);
// A second, larger screen to the right of the first.
const QRect kRight(1024, 0, 1280, 1024);

// left, top, height, width: the order of the settings file.
Geometry geometry(int32_t left, int32_t top, int32_t height, int32_t width)
{
    return {left, top, height, width};
}

} // namespace

namespace QTest {
template <>
char *toString(const Geometry &g)
{
    return qstrdup(QByteArray("left=%1 top=%2 height=%3 width=%4")
                       .replace("%1", QByteArray::number(g.left))
                       .replace("%2", QByteArray::number(g.top))
                       .replace("%3", QByteArray::number(g.height))
                       .replace("%4", QByteArray::number(g.width))
                       .constData());
}
} // namespace QTest

namespace quz::settings {
bool operator==(const Geometry &a, const Geometry &b)
{
    return a.left == b.left && a.top == b.top && a.height == b.height && a.width == b.width;
}
} // namespace quz::settings

class TestWindowGeometry : public QObject {
    Q_OBJECT
private slots:
    void fit_data();
    void fit();
};

void TestWindowGeometry::fit_data()
{
    QTest::addColumn<QList<QRect>>("screens");
    QTest::addColumn<Geometry>("read");
    QTest::addColumn<Geometry>("fitted");

    const QList<QRect> one{kScreen};
    const QList<QRect> two{kScreen, kRight};

    QTest::newRow("defaults: as read")
        << one << geometry(0, 0, 472, 610) << geometry(0, 0, 472, 610);
    QTest::newRow("screen-sized: as read")
        << one << geometry(0, 0, 768, 1024) << geometry(0, 0, 768, 1024);
    QTest::newRow("999999 x 999999 is cut to the screen")
        << one << geometry(0, 0, 999999, 999999) << geometry(0, 0, 768, 1024);
    QTest::newRow("too large at an offset: cut, position kept")
        << one << geometry(100, 50, 999999, 2000) << geometry(100, 50, 768, 1024);
    QTest::newRow("partly off the left edge: as read")
        << one << geometry(-300, 10, 472, 610) << geometry(-300, 10, 472, 610);
    QTest::newRow("one pixel column on the screen: as read")
        << one << geometry(-609, 10, 472, 610) << geometry(-609, 10, 472, 610);
    QTest::newRow("just beyond the right edge: moved back")
        << one << geometry(1024, 100, 472, 610) << geometry(414, 100, 472, 610);
    QTest::newRow("far right: moved back, top kept")
        << one << geometry(5000, 100, 472, 610) << geometry(414, 100, 472, 610);
    QTest::newRow("above the screen: moved down")
        << one << geometry(10, -1000, 472, 610) << geometry(10, 0, 472, 610);
    QTest::newRow("below and left: into the corner")
        << one << geometry(-5000, 5000, 472, 610) << geometry(0, 296, 472, 610);
    QTest::newRow("cut to the screen leaves it off: moved back")
        << one << geometry(-5000, 0, 400, 5100) << geometry(0, 0, 400, 1024);
    QTest::newRow("zero and negative sizes become 1")
        << one << geometry(10, 10, -5, 0) << geometry(10, 10, 1, 1);
    QTest::newRow("all at the largest int")
        << one << geometry(kMax, kMax, kMax, kMax) << geometry(0, 0, 768, 1024);
    QTest::newRow("position at the smallest int")
        << one << geometry(kMin, kMin, 472, 610) << geometry(0, 0, 472, 610);
    QTest::newRow("sizes at the smallest int")
        << one << geometry(5, 5, kMin, kMin) << geometry(5, 5, 1, 1);
    QTest::newRow("right edge at the largest int")
        << one << geometry(kMax - 100, 0, 472, 610) << geometry(414, 0, 472, 610);

    QTest::newRow("two screens: on the second, as read")
        << two << geometry(1500, 500, 472, 610) << geometry(1500, 500, 472, 610);
    QTest::newRow("two screens: across the border, as read")
        << two << geometry(800, 100, 472, 610) << geometry(800, 100, 472, 610);
    QTest::newRow("two screens: cut to the screen it overlaps most")
        << two << geometry(1100, 0, 999999, 999999) << geometry(1100, 0, 1024, 1280);
    QTest::newRow("two screens: off the right of the second, back onto it")
        << two << geometry(9000, 200, 472, 610) << geometry(1694, 200, 472, 610);
    QTest::newRow("two screens: below both, onto the nearer one")
        << two << geometry(100, 2000, 400, 400) << geometry(1024, 624, 400, 400);
    QTest::newRow("two screens: in the gap below the first, onto the first")
        << two << geometry(100, 800, 100, 100) << geometry(100, 668, 100, 100);

    QTest::newRow("available area below a panel: overlapping, as read")
        << QList<QRect>{QRect(0, 30, 1024, 738)} << geometry(0, 0, 472, 610)
        << geometry(0, 0, 472, 610);
    QTest::newRow("no screen: only the sizes are kept at least 1")
        << QList<QRect>{} << geometry(kMax, -7, 0, 610) << geometry(kMax, -7, 1, 610);
}

void TestWindowGeometry::fit()
{
    QFETCH(QList<QRect>, screens);
    QFETCH(Geometry, read);
    QTEST(fitToScreens(read, screens), "fitted");
}

QTEST_GUILESS_MAIN(TestWindowGeometry)
#include "tst_window_geometry.moc"
