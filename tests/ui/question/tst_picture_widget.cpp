// The picture control: drawing by the fit rule over the parent's background,
// decoding at the first paint only, error report, clicks.
#include "ui/question/picture_widget.h"

#include <QPainter>
#include <QSignalSpy>
#include <QtTest>

using quz::bank::JpegPicture;
using quz::question::TImage;

namespace {

const QColor kFace(212, 208, 200);

QString pictureData(const QString &name)
{
    return QStringLiteral(QUZ_TEST_DATA_DIR "/pictures/") + name;
}

JpegPicture jpegFile(const QString &name)
{
    JpegPicture picture;
    const quz::Status loaded = picture.loadFile(pictureData(name));
    if (!loaded)
        qWarning("%s", qPrintable(loaded.error()));
    return picture;
}

bool near(QRgb a, QRgb b, int tolerance = 8)
{
    return qAbs(qRed(a) - qRed(b)) <= tolerance && qAbs(qGreen(a) - qGreen(b)) <= tolerance
           && qAbs(qBlue(a) - qBlue(b)) <= tolerance;
}

// The question panel in small: a button-face parent with the picture control
// at its designed place.
struct Panel {
    QWidget parent;
    TImage *image;
    Panel()
    {
        parent.resize(560, 120);
        parent.setAutoFillBackground(true);
        QPalette palette = parent.palette();
        palette.setColor(QPalette::Window, kFace);
        parent.setPalette(palette);
        image = new TImage(&parent);
        image->setGeometry(2, 3, 556, 114);
    }
    // The control's area as the user sees it.
    QImage grab()
    {
        QImage shot(parent.size(), QImage::Format_RGB32);
        shot.fill(Qt::black);
        parent.render(&shot);
        return shot.copy(image->geometry());
    }
};

} // namespace

class TestPictureWidget : public QObject {
    Q_OBJECT
private slots:
    void drawsIntoFitRect_data();
    void drawsIntoFitRect();
    void decodesAtFirstPaintOnce();
    void followsResize();
    void oneColourBitmapAsIfScaled_data();
    void oneColourBitmapAsIfScaled();
    void clearLeavesBackground();
    void reportsDecodeErrorOnce();
    void clicks();
};

// A bitmap of one colour is filled rather than resampled: the pixels must be
// those the resampled bitmap gives, at every size the control takes; a bitmap
// with a second colour still goes through the resampling.
void TestPictureWidget::oneColourBitmapAsIfScaled_data()
{
    QTest::addColumn<QSize>("control");
    QTest::addColumn<bool>("secondColour");
    QTest::newRow("design size") << QSize(556, 114) << false;
    QTest::newRow("taller") << QSize(556, 251) << false;
    QTest::newRow("odd size") << QSize(303, 147) << false;
    QTest::newRow("two colours") << QSize(303, 147) << true;
}

void TestPictureWidget::oneColourBitmapAsIfScaled()
{
    QFETCH(QSize, control);
    QFETCH(bool, secondColour);
    QImage bitmap(64, 32, QImage::Format_RGB32);
    bitmap.fill(kFace);
    if (secondColour)
        bitmap.setPixel(63, 31, qRgb(0, 0, 0));
    Panel panel;
    panel.parent.resize(control + QSize(4, 6));
    panel.image->setGeometry(QRect(QPoint(2, 3), control));
    // The parent shows black where the picture leaves it free.
    QPalette palette = panel.parent.palette();
    palette.setColor(QPalette::Window, Qt::black);
    panel.parent.setPalette(palette);
    panel.image->setImage(bitmap);

    const QRect target = panel.image->targetRect();
    QImage expected(control, QImage::Format_RGB32);
    expected.fill(Qt::black);
    QPainter(&expected).drawImage(
        target.topLeft(),
        bitmap.scaled(target.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    QCOMPARE(panel.grab(), expected);
    QCOMPARE(panel.image->lastDrawnRect(), target);
}

void TestPictureWidget::drawsIntoFitRect_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QRect>("expected");
    QTest::addColumn<QRgb>("colour");
    QTest::newRow("wide jpeg") << "red_600x300.jpg" << QRect(164, 0, 228, 114) << qRgb(220, 30, 30);
    QTest::newRow("tall jpeg") << "blue_300x600.jpg" << QRect(249, 0, 57, 114) << qRgb(30, 30, 220);
    QTest::newRow("small bitmap enlarged") << "" << QRect(164, 0, 228, 114) << qRgb(0, 160, 0);
}

void TestPictureWidget::drawsIntoFitRect()
{
    QFETCH(QString, file);
    QFETCH(QRect, expected);
    QFETCH(QRgb, colour);
    Panel panel;
    if (file.isEmpty()) {
        QImage small(100, 50, QImage::Format_RGB32);
        small.fill(colour);
        panel.image->setImage(small);
    } else {
        panel.image->setJpeg(jpegFile(file));
    }
    QCOMPARE(panel.image->targetRect(), expected);

    const QImage shot = panel.grab();
    QCOMPARE(panel.image->lastDrawnRect(), expected);
    for (int y : {0, 57, 113}) {
        QVERIFY(near(shot.pixel(expected.left(), y), colour));
        QVERIFY(near(shot.pixel(expected.right(), y), colour));
        QCOMPARE(shot.pixel(expected.left() - 1, y), kFace.rgb());
        QCOMPARE(shot.pixel(expected.right() + 1, y), kFace.rgb());
        QCOMPARE(shot.pixel(0, y), kFace.rgb());
        QCOMPARE(shot.pixel(555, y), kFace.rgb());
    }
}

void TestPictureWidget::decodesAtFirstPaintOnce()
{
    Panel panel;
    panel.image->setJpeg(jpegFile(QStringLiteral("red_600x300.jpg")));
    QVERIFY(panel.image->jpeg());
    QVERIFY(!panel.image->jpeg()->isDecoded());
    QCOMPARE(panel.image->pictureSize(), QSize(600, 300));

    panel.grab();
    QVERIFY(panel.image->jpeg()->isDecoded());
    const qint64 decoded = panel.image->jpeg()->image().cacheKey();
    panel.grab();
    QCOMPARE(panel.image->jpeg()->image().cacheKey(), decoded);

    // A plain bitmap replaces the JPEG.
    QImage plain(10, 10, QImage::Format_RGB32);
    plain.fill(Qt::white);
    panel.image->setImage(plain);
    QCOMPARE(panel.image->jpeg(), nullptr);
    QCOMPARE(panel.image->pictureSize(), QSize(10, 10));
}

void TestPictureWidget::followsResize()
{
    Panel panel;
    panel.image->setJpeg(jpegFile(QStringLiteral("red_600x300.jpg")));
    panel.grab();
    panel.image->resize(300, 300);
    const QImage shot = panel.grab();
    QCOMPARE(panel.image->lastDrawnRect(), QRect(0, 75, 300, 150));
    QVERIFY(near(shot.pixel(150, 75), qRgb(220, 30, 30)));
}

void TestPictureWidget::clearLeavesBackground()
{
    Panel panel;
    panel.image->setJpeg(jpegFile(QStringLiteral("red_600x300.jpg")));
    panel.grab();
    panel.image->clear();
    QVERIFY(panel.image->isEmpty());
    const QImage shot = panel.grab();
    QCOMPARE(panel.image->lastDrawnRect(), QRect());
    QImage blank(shot.size(), QImage::Format_RGB32);
    blank.fill(kFace);
    QCOMPARE(shot, blank);
}

void TestPictureWidget::reportsDecodeErrorOnce()
{
    Panel panel;
    QSignalSpy errors(panel.image, &TImage::pictureError);
    panel.image->setJpeg(jpegFile(QStringLiteral("extra_soi.jpg")));
    QCoreApplication::processEvents();
    QCOMPARE(errors.count(), 0);

    panel.grab();
    // The report is queued, so that the receiver may open a box outside the paint.
    QCOMPARE(errors.count(), 0);
    QTRY_COMPARE(errors.count(), 1);
    QVERIFY(errors.at(0).at(0).toString().startsWith(QStringLiteral("JPEG error #")));
    // What was decoded stays on screen.
    QCOMPARE(panel.image->lastDrawnRect(), QRect(164, 0, 228, 114));

    panel.grab();
    QCoreApplication::processEvents();
    QCOMPARE(errors.count(), 1);

    // A new picture is a new chance to fail.
    panel.image->setJpeg(jpegFile(QStringLiteral("extra_soi.jpg")));
    panel.grab();
    QTRY_COMPARE(errors.count(), 2);
}

void TestPictureWidget::clicks()
{
    Panel panel;
    panel.parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel.parent));
    QSignalSpy clicked(panel.image, &TImage::clicked);
    QSignalSpy doubleClicked(panel.image, &TImage::doubleClicked);

    QTest::mouseClick(panel.image, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(doubleClicked.count(), 0);

    QTest::mouseClick(panel.image, Qt::RightButton, {}, QPoint(10, 10));
    QCOMPARE(clicked.count(), 1);

    // A double-click arrives as press, release, press, double-click, release:
    // the first click is an ordinary click, the second is not.
    clicked.clear();
    const QPoint at(20, 20);
    QTest::mousePress(panel.image, Qt::LeftButton, {}, at);
    QTest::mouseRelease(panel.image, Qt::LeftButton, {}, at);
    QTest::mousePress(panel.image, Qt::LeftButton, {}, at);
    QTest::mouseDClick(panel.image, Qt::LeftButton, {}, at);
    QTest::mouseRelease(panel.image, Qt::LeftButton, {}, at);
    QCOMPARE(doubleClicked.count(), 1);
    QCOMPARE(clicked.count(), 1);
}

QTEST_MAIN(TestPictureWidget)
#include "tst_picture_widget.moc"
