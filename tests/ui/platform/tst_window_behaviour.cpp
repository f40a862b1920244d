// The platform layer's window behaviour on the offscreen platform: screen-edge
// snapping, the application-wide hint tracker (controls, parents' hints,
// menus), moving a window by dragging inside it, per-control mouse-move
// notifications, shell targets as URLs, and the look helpers (caption on the
// frame line, disabled text).

#include "ui/platform/control_state.h"
#include "ui/platform/edge_snap.h"
#include "ui/platform/hint_tracker.h"
#include "ui/platform/look.h"
#include "ui/platform/mouse_notify.h"
#include "ui/platform/qt_shell.h"
#include "ui/platform/window_move.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMoveEvent>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

#include <memory>

using namespace quz::platform;

namespace {

struct RecordingSink : HintSink {
    QStringList shown;
    void showHint(const QString &text) override { shown << text; }
    QString last() const { return shown.isEmpty() ? QString() : shown.last(); }
};

// A window with a hinted panel holding a hinted button and a bare label, a
// bare panel beside it, and a hinted label that can be hidden.
struct HintedWindow {
    HintedWindow()
    {
        window.setGeometry(100, 100, 300, 200);
        setHint(&window, QString());
        panel = new QWidget(&window);
        panel->setGeometry(0, 0, 150, 200);
        setHint(panel, QStringLiteral("Панель"));
        button = new QToolButton(panel);
        button->setGeometry(10, 10, 60, 30);
        setHint(button, QStringLiteral("Кнопка"));
        bare = new QLabel(QStringLiteral("без подсказки"), panel);
        bare->setGeometry(10, 60, 100, 30);
        other = new QWidget(&window);
        other->setGeometry(150, 0, 150, 200);
        covering = new QLabel(QStringLiteral("сверху"), other);
        covering->setGeometry(10, 10, 100, 30);
        setHint(covering, QStringLiteral("Метка"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
    QWidget window;
    QWidget *panel;
    QToolButton *button;
    QLabel *bare;
    QWidget *other;
    QLabel *covering;
};

} // namespace

class TestWindowBehaviour : public QObject {
    Q_OBJECT

private slots:
    void snappedPosition_data();
    void snappedPosition();
    void windowSnapsWhenMoved_data();
    void windowSnapsWhenMoved();
    void storedPositionKeptAtShow();

    void hintFollowsPointer_data();
    void hintFollowsPointer();
    void hintOfHiddenControlGoesToParent();
    void menuItemHints();

    void dragMovesWindow_data();
    void dragMovesWindow();
    void systemMoveCancelledByQuickRelease_data();
    void systemMoveCancelledByQuickRelease();
    void doubleClickStillReachesArea();

    void mouseMoveAreas_data();
    void mouseMoveAreas();

    void shellUrl_data();
    void shellUrl();

    void captionOnFrameLine_data();
    void captionOnFrameLine();
    void disabledTextLooksDisabled();
};

void TestWindowBehaviour::snappedPosition_data()
{
    QTest::addColumn<QRect>("frame");
    QTest::addColumn<QRect>("workArea");
    QTest::addColumn<QPoint>("expected");

    const QRect screen(0, 0, 1280, 1024);
    QTest::newRow("far from every edge") << QRect(100, 100, 300, 200) << screen << QPoint(100, 100);
    QTest::newRow("left edge 10 px in") << QRect(10, 300, 300, 200) << screen << QPoint(0, 300);
    QTest::newRow("left edge 11 px in") << QRect(11, 300, 300, 200) << screen << QPoint(11, 300);
    QTest::newRow("left edge 10 px out") << QRect(-10, 300, 300, 200) << screen << QPoint(0, 300);
    QTest::newRow("left edge 11 px out") << QRect(-11, 300, 300, 200) << screen << QPoint(-11, 300);
    QTest::newRow("top edge 4 px in") << QRect(500, 4, 300, 200) << screen << QPoint(500, 0);
    // The right end of a frame at 970 + 300 is 1270: 10 px short of 1280.
    QTest::newRow("right edge 10 px in") << QRect(970, 300, 300, 200) << screen << QPoint(980, 300);
    QTest::newRow("right edge 11 px in") << QRect(969, 300, 300, 200) << screen << QPoint(969, 300);
    QTest::newRow("right edge 7 px out") << QRect(987, 300, 300, 200) << screen << QPoint(980, 300);
    QTest::newRow("bottom edge 3 px in") << QRect(500, 821, 300, 200) << screen << QPoint(500, 824);
    QTest::newRow("corner") << QRect(1276, -6, 10, 20) << screen << QPoint(1270, 0);
    QTest::newRow("left wins for a frame as wide as the area")
        << QRect(5, 300, 1280, 200) << screen << QPoint(0, 300);
    // A work area that is not the whole screen: a panel above it, or a second
    // screen to the right of the first.
    QTest::newRow("under a top panel")
        << QRect(300, 40, 300, 200) << QRect(0, 32, 1280, 992) << QPoint(300, 32);
    QTest::newRow("second screen, left edge")
        << QRect(1286, 300, 300, 200) << QRect(1280, 0, 1024, 768) << QPoint(1280, 300);
    QTest::newRow("second screen, first screen's edge is not an edge")
        << QRect(1275, 300, 300, 200) << QRect(1280, 0, 1024, 768) << QPoint(1280, 300);
    QTest::newRow("second screen, far from its edges")
        << QRect(1260, 300, 300, 200) << QRect(1280, 0, 1024, 768) << QPoint(1260, 300);
}

void TestWindowBehaviour::snappedPosition()
{
    QFETCH(QRect, frame);
    QFETCH(QRect, workArea);
    QTEST(quz::platform::snappedPosition(frame, workArea), "expected");
}

void TestWindowBehaviour::windowSnapsWhenMoved_data()
{
    QTest::addColumn<QPoint>("offset"); // from the work area's top-left corner
    QTest::addColumn<QPoint>("expectedOffset");

    QTest::newRow("near the top-left corner") << QPoint(6, 9) << QPoint(0, 0);
    QTest::newRow("near the left edge only") << QPoint(-4, 120) << QPoint(0, 120);
    QTest::newRow("away from the edges") << QPoint(40, 120) << QPoint(40, 120);
}

void TestWindowBehaviour::windowSnapsWhenMoved()
{
    QFETCH(QPoint, offset);
    QFETCH(QPoint, expectedOffset);
    QWidget window;
    window.resize(200, 100);
    snapToScreenEdges(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QRect area = window.screen()->availableGeometry();
    window.move(area.topLeft() + offset);
    QTRY_COMPARE(window.frameGeometry().topLeft(), area.topLeft() + expectedOffset);
}

void TestWindowBehaviour::storedPositionKeptAtShow()
{
    // A position read from the settings file near an edge is where the
    // window appears; only a later move snaps.
    QWidget window;
    window.resize(200, 100);
    snapToScreenEdges(&window);
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    window.move(area.topLeft() + QPoint(5, 300));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // A window manager reports its placement as a move to that position.
    QMoveEvent placed(window.pos(), window.pos());
    QApplication::sendEvent(&window, &placed);
    QCOMPARE(window.frameGeometry().topLeft(), area.topLeft() + QPoint(5, 300));
    window.move(area.topLeft() + QPoint(7, 280));
    QTRY_COMPARE(window.frameGeometry().topLeft(), area.topLeft() + QPoint(0, 280));
}

void TestWindowBehaviour::hintFollowsPointer_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("expected");

    QTest::newRow("control with a hint") << u"button"_qs << u"Кнопка"_qs;
    QTest::newRow("control without one: its parent's") << u"bare"_qs << u"Панель"_qs;
    QTest::newRow("parent's own background") << u"panel"_qs << u"Панель"_qs;
    QTest::newRow("no hint on the chain") << u"other"_qs << QString();
    QTest::newRow("outside every window") << u"outside"_qs << QString();
}

void TestWindowBehaviour::hintFollowsPointer()
{
    QFETCH(QString, control);
    QFETCH(QString, expected);
    HintedWindow w;
    RecordingSink sink;
    HintTracker tracker(sink);
    // Start from a different hint, so that every row sees a change.
    QTest::mouseMove(w.covering);
    QTRY_COMPARE(sink.last(), u"Метка"_qs);

    if (control == u"outside")
        QCursor::setPos(w.window.geometry().bottomRight() + QPoint(150, 150));
    else if (control == u"button")
        QTest::mouseMove(w.button);
    else if (control == u"bare")
        QTest::mouseMove(w.bare);
    else if (control == u"panel")
        QTest::mouseMove(w.panel, QPoint(130, 150));
    else if (control == u"other")
        QTest::mouseMove(w.other, QPoint(130, 150));
    QTRY_COMPARE(sink.last(), expected);
    QCOMPARE(HintTracker::currentHint(), expected);
}

void TestWindowBehaviour::hintOfHiddenControlGoesToParent()
{
    HintedWindow w;
    RecordingSink sink;
    HintTracker tracker(sink);
    QTest::mouseMove(w.button);
    QTRY_COMPARE(sink.last(), u"Кнопка"_qs);
    // The control vanishes under a pointer that stays where it is.
    w.button->hide();
    QTRY_COMPARE(sink.last(), u"Панель"_qs);
    // Unchanged hints are not handed on again.
    const qsizetype count = sink.shown.size();
    QTest::mouseMove(w.panel, QPoint(20, 20));
    QTest::mouseMove(w.panel, QPoint(25, 30));
    QTest::qWait(20);
    QCOMPARE(sink.shown.size(), count);
}

void TestWindowBehaviour::menuItemHints()
{
    HintedWindow w;
    RecordingSink sink;
    HintTracker tracker(sink);
    QTest::mouseMove(w.button);
    QTRY_COMPARE(sink.last(), u"Кнопка"_qs);

    QMenu menu(&w.window);
    QAction *save = menu.addAction(QStringLiteral("Сохранить"));
    setHint(save, QStringLiteral("Сохранить список в файл"));
    QAction *load = menu.addAction(QStringLiteral("Загрузить"));
    setHint(load, QStringLiteral("Загрузить список из файла"));
    QAction *remove = menu.addAction(QStringLiteral("Удалить выделенное"));
    menu.popup(w.window.mapToGlobal(QPoint(160, 60)));
    QVERIFY(QTest::qWaitForWindowExposed(&menu));

    QTest::mouseMove(&menu, menu.actionGeometry(load).center());
    QTRY_COMPARE(sink.last(), u"Загрузить список из файла"_qs);
    QTest::mouseMove(&menu, menu.actionGeometry(remove).center());
    QTRY_COMPARE(sink.last(), QString());
    // Highlighted from the keyboard: the item above the one without a hint.
    QTest::keyClick(&menu, Qt::Key_Up);
    QTRY_COMPARE(menu.activeAction(), load);
    QTRY_COMPARE(sink.last(), u"Загрузить список из файла"_qs);
    QTest::keyClick(&menu, Qt::Key_Up);
    QTRY_COMPARE(sink.last(), u"Сохранить список в файл"_qs);

    // Closed, the menu gives the pointer back to the controls.
    menu.close();
    QTest::mouseMove(w.covering);
    QTRY_COMPARE(sink.last(), u"Метка"_qs);
}

void TestWindowBehaviour::dragMovesWindow_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::newRow("left button") << Qt::LeftButton;
    QTest::newRow("right button") << Qt::RightButton;
    QTest::newRow("middle button") << Qt::MiddleButton;
}

void TestWindowBehaviour::dragMovesWindow()
{
    QFETCH(Qt::MouseButton, button);
    QWidget window;
    window.setGeometry(200, 200, 300, 120);
    auto *text = new QTextEdit(&window);
    text->setGeometry(0, 0, 300, 120);
    text->setPlainText(QStringLiteral("Текст, который нельзя выделить мышью."));
    text->setReadOnly(true);
    moveWindowByDrag(text->viewport());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QPoint start = window.pos();

    // No window manager here: the window follows the pointer by hand.
    QTest::mousePress(text->viewport(), button, {}, QPoint(10, 10));
    QTest::mouseMove(text->viewport(), QPoint(40, 30));
    QTRY_COMPARE(window.pos(), start + QPoint(30, 20));
    QTest::mouseRelease(text->viewport(), button, {},
                        text->viewport()->mapFromGlobal(window.mapToGlobal(QPoint(40, 30))));
    QVERIFY(!text->textCursor().hasSelection());
    // Released: moving the pointer no longer moves the window.
    QTest::mouseMove(text->viewport(), QPoint(90, 60));
    QTest::qWait(20);
    QCOMPARE(window.pos(), start + QPoint(30, 20));
}

// The window manager's move begins when it takes the pointer; a release that
// reaches the window first (a quick click) came before that and cancels the
// move, so that the window does not follow a pointer with no button held.
// During a move the window manager has taken, no release reaches the window.
void TestWindowBehaviour::systemMoveCancelledByQuickRelease_data()
{
    QTest::addColumn<bool>("released");
    QTest::newRow("quick click: release reaches the window") << true;
    QTest::newRow("drag the window manager took") << false;
}

void TestWindowBehaviour::systemMoveCancelledByQuickRelease()
{
    QFETCH(bool, released);
    QWidget window;
    window.setGeometry(200, 200, 300, 120);
    auto *area = new QWidget(&window);
    area->setGeometry(0, 0, 300, 120);
    int starts = 0;
    int cancels = 0;
    moveWindowByDrag(area, {[&](QWidget *w) {
                                starts += w == &window;
                                return true;
                            },
                            [&](QWidget *w) { cancels += w == &window; }});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    for (int press = 1; press <= 2; ++press) {
        QTest::mousePress(area, Qt::LeftButton, {}, QPoint(10, 10));
        if (released || press == 2)
            QTest::mouseRelease(area, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(starts, press);
        QCOMPARE(cancels, released ? press : press - 1);
    }
}

void TestWindowBehaviour::doubleClickStillReachesArea()
{
    QWidget window;
    window.setGeometry(200, 200, 300, 120);
    auto *area = new QWidget(&window);
    area->setGeometry(0, 0, 300, 120);
    moveWindowByDrag(area);
    struct Counter : QObject {
        int doubleClicks = 0;
        int presses = 0;
        bool eventFilter(QObject *, QEvent *event) override
        {
            doubleClicks += event->type() == QEvent::MouseButtonDblClick;
            presses += event->type() == QEvent::MouseButtonPress;
            return false;
        }
    } counter;
    area->installEventFilter(&counter); // sees what the drag passes on
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::mouseDClick(area, Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseRelease(area, Qt::LeftButton, {}, QPoint(20, 20));
    QCOMPARE(counter.doubleClicks, 1);
    QCOMPARE(counter.presses, 0);
}

void TestWindowBehaviour::mouseMoveAreas_data()
{
    QTest::addColumn<bool>("bareOnly");
    QTest::addColumn<QString>("where");
    QTest::addColumn<bool>("notified");

    QTest::newRow("anywhere, background") << false << u"background"_qs << true;
    // A child takes the moves over it, whether it tracks them or not.
    QTest::newRow("anywhere, plain child") << false << u"plain child"_qs << false;
    QTest::newRow("anywhere, dragged over a child") << false << u"dragged"_qs << true;
    QTest::newRow("bare background, background") << true << u"background"_qs << true;
    QTest::newRow("bare background, plain child") << true << u"plain child"_qs << false;
    QTest::newRow("bare background, tracking child") << true << u"tracking child"_qs << false;
    // A press on the background and a drag over a child: the moves come to
    // the control that took the press, but not over its background.
    QTest::newRow("bare background, dragged over a child") << true << u"dragged"_qs << false;
}

void TestWindowBehaviour::mouseMoveAreas()
{
    QFETCH(bool, bareOnly);
    QFETCH(QString, where);
    QFETCH(bool, notified);
    QWidget window;
    window.setGeometry(150, 150, 300, 100);
    auto *strip = new QWidget(&window);
    strip->setGeometry(0, 0, 300, 100);
    auto *child = new QToolButton(strip);
    child->setGeometry(100, 20, 80, 40);
    child->setMouseTracking(where == u"tracking child");
    int calls = 0;
    onMouseMove(
        strip, [&calls] { ++calls; }, bareOnly ? MoveArea::BareBackground : MoveArea::Anywhere);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCursor::setPos(QPoint(0, 0));
    if (where == u"background") {
        QTest::mouseMove(strip, QPoint(20, 80));
        QTest::mouseMove(strip, QPoint(21, 81));
    } else if (where == u"dragged") {
        QTest::mousePress(strip, Qt::LeftButton, {}, QPoint(20, 80));
        QTest::mouseMove(strip, QPoint(130, 40));
        QTest::mouseRelease(strip, Qt::LeftButton, {}, QPoint(130, 40));
    } else {
        QTest::mouseMove(child, QPoint(30, 20));
        QTest::mouseMove(child, QPoint(31, 21));
    }
    QCOMPARE(calls > 0, notified);
}

void TestWindowBehaviour::shellUrl_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("expected"); // fully encoded; empty for no URL

    QTest::newRow("mail link with a subject")
        << u"mailto:quz@example.org?Subject=from site - QUZ"_qs
        << u"mailto:quz@example.org?Subject=from%20site%20-%20QUZ"_qs;
    QTest::newRow("bare host") << u"quz.example.org"_qs << u"http://quz.example.org"_qs;
    QTest::newRow("bare host with a path")
        << u"www.example.org/guest"_qs << u"http://www.example.org/guest"_qs;
    QTest::newRow("host with a port") << u"localhost:8080"_qs << u"http://localhost:8080"_qs;
    QTest::newRow("full web address kept")
        << u"https://quz.example.org/book?page=1"_qs << u"https://quz.example.org/book?page=1"_qs;
    QTest::newRow("surrounding blanks") << u"  quz.example.org "_qs << u"http://quz.example.org"_qs;
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("blanks only") << u"   "_qs << QString();
}

void TestWindowBehaviour::shellUrl()
{
    QFETCH(QString, target);
    QFETCH(QString, expected);
    const QUrl url = quz::platform::shellUrl(target);
    QCOMPARE(url.isValid(), !expected.isEmpty());
    if (url.isValid())
        QCOMPARE(QString::fromLatin1(url.toEncoded()), expected);
}

void TestWindowBehaviour::captionOnFrameLine_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("pixelSize");
    QTest::addColumn<QSize>("size");

    // Captions of blanks leave no ink: the frame line must be open under them.
    QTest::newRow("8 pt box") << u"          "_qs << 11 << QSize(145, 33);
    QTest::newRow("larger caption font") << u"                    "_qs << 16 << QSize(300, 60);
    QTest::newRow("small caption font") << u"      "_qs << 8 << QSize(120, 30);
}

void TestWindowBehaviour::captionOnFrameLine()
{
    QFETCH(QString, caption);
    QFETCH(int, pixelSize);
    QFETCH(QSize, size);
    QGroupBox box(caption);
    QFont font = quz::platform::look::windowFont();
    font.setPixelSize(pixelSize);
    box.setFont(font);
    box.resize(size);
    quz::platform::look::putCaptionOnFrame(&box);

    QStyleOptionGroupBox option;
    option.initFrom(&box);
    option.text = box.title();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    const QRect label =
        box.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &box);
    const QRect frame =
        box.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxFrame, &box);
    QCOMPARE(label.left(), quz::platform::look::kGroupCaptionLeft);
    // The frame's top line runs through the caption's height, not below it.
    QVERIFY2(frame.top() > label.top() && frame.top() < label.bottom(),
             qPrintable(QStringLiteral("frame top %1, caption %2..%3")
                            .arg(frame.top())
                            .arg(label.top())
                            .arg(label.bottom())));

    const QImage image = box.grab().toImage();
    const QRgb background = box.palette().color(QPalette::Window).rgb();
    const int line = frame.top();
    for (int x = label.left(); x <= label.right(); ++x)
        QVERIFY2(image.pixel(x, line) == background, qPrintable(QString::number(x)));
    for (int x : {frame.left() + 4, label.left() - 2, label.right() + 2, frame.right() - 4})
        QVERIFY2(image.pixel(x, line) != background, qPrintable(QString::number(x)));
}

void TestWindowBehaviour::disabledTextLooksDisabled()
{
    QWidget window;
    auto *button = new QToolButton(&window);
    button->setText(QStringLiteral("Очистить"));
    button->setAutoRaise(true);
    button->resize(80, 24);
    quz::platform::look::setTextColor(button, quz::platform::look::red());
    QCOMPARE(button->palette().color(QPalette::Active, QPalette::ButtonText),
             quz::platform::look::red());
    QCOMPARE(button->palette().color(QPalette::Inactive, QPalette::ButtonText),
             quz::platform::look::red());
    QVERIFY(button->palette().color(QPalette::Disabled, QPalette::ButtonText)
            != quz::platform::look::red());

    // As drawn: the enabled caption has red ink, the disabled one none.
    const auto redInk = [button] {
        const QImage image = button->grab().toImage();
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                count += qRed(p) - qGreen(p) > 80;
            }
        return count;
    };
    QVERIFY(redInk() > 0);
    button->setEnabled(false);
    QCOMPARE(redInk(), 0);
}

QTEST_MAIN(TestWindowBehaviour)
#include "tst_window_behaviour.moc"
