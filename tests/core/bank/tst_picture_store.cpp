// The picture store: file naming, the file test, the fit rule, JPEG loading
// and decoding through libjpeg, and the placeholder painting.
#include "core/bank/picture_store.h"
#include "core/files/file_io.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using quz::bank::JpegPicture;

namespace {

QString pictureData(const QString &name)
{
    return QStringLiteral(QUZ_TEST_DATA_DIR "/pictures/") + name;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool near(QRgb actual, QRgb expected, int tolerance)
{
    return qAbs(qRed(actual) - qRed(expected)) <= tolerance
           && qAbs(qGreen(actual) - qGreen(expected)) <= tolerance
           && qAbs(qBlue(actual) - qBlue(expected)) <= tolerance;
}

QString rgbText(QRgb c)
{
    return QStringLiteral("(%1,%2,%3)").arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c));
}

} // namespace

class TestPictureStore : public QObject {
    Q_OBJECT
private slots:
    void relativePath_data();
    void relativePath();
    void picturePathJoinsProgramDir();
    void isPictureFile_data();
    void isPictureFile();
    void fitRect_data();
    void fitRect();
    void loadFile_data();
    void loadFile();
    void loadFileThatCannotBeOpened();
    void decode_data();
    void decode();
    void decodesOnceAndReloadResets();
    void truncatedScanKeepsDecodedRows();
    void errorAfterTheLastRowKeepsThePicture();
    void oversizedHeaderFailsWithoutAllocating();
    void placeholder_data();
    void placeholder();
    void placeholderFailures_data();
    void placeholderFailures();
};

void TestPictureStore::relativePath_data()
{
    QTest::addColumn<QString>("ticket");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("expected");
    QTest::newRow("leading zeros dropped") << "07"
                                           << "05"
                                           << "bmp/Quz_7_5.jpg";
    QTest::newRow("only a leading zero dropped") << "10"
                                                 << "10"
                                                 << "bmp/Quz_10_10.jpg";
    QTest::newRow("last question") << "40"
                                   << "20"
                                   << "bmp/Quz_40_20.jpg";
    QTest::newRow("sample picture") << "01"
                                    << "10"
                                    << "bmp/Quz_1_10.jpg";
    QTest::newRow("no zero to drop") << "7"
                                     << "5"
                                     << "bmp/Quz_7_5.jpg";
    QTest::newRow("letters in ticket") << "ab"
                                       << "05"
                                       << "";
    QTest::newRow("digit and letter") << "07"
                                      << "5x"
                                      << "";
    QTest::newRow("empty question") << "07"
                                    << ""
                                    << "";
    QTest::newRow("both empty") << ""
                                << ""
                                << "";
}

void TestPictureStore::relativePath()
{
    QFETCH(QString, ticket);
    QFETCH(QString, question);
    QFETCH(QString, expected);
    QCOMPARE(quz::bank::pictureRelativePath(ticket, question), expected);
}

void TestPictureStore::picturePathJoinsProgramDir()
{
    QCOMPARE(quz::bank::picturePath(QStringLiteral("/opt/quz"), QStringLiteral("01"),
                                    QStringLiteral("10")),
             QStringLiteral("/opt/quz/bmp/Quz_1_10.jpg"));
    QCOMPARE(quz::bank::picturePath(QStringLiteral("/opt/quz"), QStringLiteral("x"),
                                    QStringLiteral("10")),
             QString());
    QCOMPARE(quz::bank::pictureRelativePath(QStringLiteral("01"), QStringLiteral("10")),
             quz::bank::samplePictureRelativePath());
}

void TestPictureStore::isPictureFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("expected");
    QTest::newRow("regular file") << "file" << true;
    QTest::newRow("folder named like a picture") << "folder" << false;
    QTest::newRow("missing") << "missing" << false;
    QTest::newRow("empty path") << "empty" << false;
    QTest::newRow("link to a file") << "link-file" << true;
    QTest::newRow("link to a folder") << "link-folder" << false;
}

void TestPictureStore::isPictureFile()
{
    QFETCH(QString, kind);
    QFETCH(bool, expected);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("bmp")));
    const QString path = dir.filePath(QStringLiteral("bmp/Quz_7_5.jpg"));
    const QString real = dir.filePath(QStringLiteral("real"));
    if (kind == QLatin1String("file")) {
        QVERIFY(QFile::copy(pictureData(QStringLiteral("red_600x300.jpg")), path));
    } else if (kind == QLatin1String("folder")) {
        QVERIFY(QDir().mkpath(path));
    } else if (kind == QLatin1String("link-file")) {
        QVERIFY(QFile::copy(pictureData(QStringLiteral("red_600x300.jpg")), real));
        QVERIFY(QFile::link(real, path));
    } else if (kind == QLatin1String("link-folder")) {
        QVERIFY(QDir().mkpath(real));
        QVERIFY(QFile::link(real, path));
    }
    QCOMPARE(quz::files::isFile(kind == QLatin1String("empty") ? QString() : path), expected);
}

void TestPictureStore::fitRect_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("area");
    QTest::addColumn<QRect>("expected");
    const QSize area(556, 114);
    QTest::newRow("wide, reduced") << QSize(600, 300) << area << QRect(164, 0, 228, 114);
    QTest::newRow("tall, reduced") << QSize(300, 600) << area << QRect(249, 0, 57, 114);
    QTest::newRow("small, enlarged") << QSize(100, 50) << area << QRect(164, 0, 228, 114);
    QTest::newRow("square") << QSize(100, 100) << area << QRect(221, 0, 114, 114);
    QTest::newRow("4:3 photo") << QSize(640, 480) << area << QRect(202, 0, 152, 114);
    QTest::newRow("odd spare room halved down")
        << QSize(600, 300) << QSize(557, 114) << QRect(164, 0, 228, 114);
    QTest::newRow("tall width truncated") << QSize(3, 7) << area << QRect(254, 0, 48, 114);
    QTest::newRow("sliver, odd spare") << QSize(10, 1000) << area << QRect(277, 0, 1, 114);
    QTest::newRow("wide height truncated")
        << QSize(7, 3) << QSize(100, 100) << QRect(0, 29, 100, 42);
    QTest::newRow("very wide fits width") << QSize(2000, 100) << area << QRect(0, 43, 556, 27);
    QTest::newRow("wide in tall area")
        << QSize(600, 300) << QSize(100, 300) << QRect(0, 125, 100, 50);
    QTest::newRow("tall overflows width")
        << QSize(100, 300) << QSize(50, 300) << QRect(0, 75, 50, 150);
    QTest::newRow("square overflows width")
        << QSize(100, 100) << QSize(50, 200) << QRect(0, 75, 50, 50);
    QTest::newRow("exact ratio 3:1") << QSize(3, 1) << QSize(300, 100) << QRect(0, 0, 300, 100);
    QTest::newRow("exact ratio 1:3") << QSize(1, 3) << QSize(100, 300) << QRect(0, 0, 100, 300);
    QTest::newRow("zero width fills") << QSize(0, 300) << area << QRect(0, 0, 556, 114);
    QTest::newRow("zero height fills") << QSize(600, 0) << area << QRect(0, 0, 556, 114);
    QTest::newRow("no picture size fills") << QSize(0, 0) << area << QRect(0, 0, 556, 114);
    QTest::newRow("negative width fills") << QSize(-5, 300) << area << QRect(0, 0, 556, 114);
    QTest::newRow("empty area") << QSize(600, 300) << QSize(0, 0) << QRect(0, 0, 0, 0);
}

void TestPictureStore::fitRect()
{
    QFETCH(QSize, picture);
    QFETCH(QSize, area);
    QFETCH(QRect, expected);
    QCOMPARE(quz::bank::fitRect(picture.width(), picture.height(), area.width(), area.height()),
             expected);
}

void TestPictureStore::loadFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("errorCode");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("model");
    QTest::addColumn<bool>("progressive");
    using M = JpegPicture::ColorModel;
    QTest::newRow("colour") << "red_600x300.jpg" << 0 << QSize(600, 300) << int(M::YCbCr) << false;
    QTest::newRow("portrait") << "blue_300x600.jpg" << 0 << QSize(300, 600) << int(M::YCbCr)
                              << false;
    QTest::newRow("grayscale") << "gray_40x20.jpg" << 0 << QSize(40, 20) << int(M::Gray) << false;
    QTest::newRow("cmyk") << "cmyk_32x16.jpg" << 0 << QSize(32, 16) << int(M::Cmyk) << false;
    QTest::newRow("ycck") << "ycck_32x16.jpg" << 0 << QSize(32, 16) << int(M::Ycck) << false;
    QTest::newRow("progressive") << "progressive_64x32.jpg" << 0 << QSize(64, 32) << int(M::YCbCr)
                                 << true;
    QTest::newRow("cut inside the scan")
        << "truncated_200x100.jpg" << 0 << QSize(200, 100) << int(M::YCbCr) << false;
    QTest::newRow("garbage") << "garbage.jpg" << 53 << QSize(0, 0) << int(M::None) << false;
    QTest::newRow("empty file") << "empty.jpg" << 42 << QSize(0, 0) << int(M::None) << false;
    QTest::newRow("cut inside the header")
        << "header_cut.jpg" << 51 << QSize(0, 0) << int(M::None) << false;
}

void TestPictureStore::loadFile()
{
    QFETCH(QString, file);
    QFETCH(int, errorCode);
    QFETCH(QSize, size);
    QFETCH(int, model);
    QFETCH(bool, progressive);

    JpegPicture picture;
    // A good picture first, so that a failing load visibly empties it.
    QVERIFY(picture.loadFile(pictureData(QStringLiteral("gray_40x20.jpg"))).ok());
    const quz::Status loaded = picture.loadFile(pictureData(file));
    if (errorCode == 0) {
        QVERIFY2(loaded.ok(), qPrintable(loaded.error()));
        QVERIFY(!picture.isNull());
    } else {
        QVERIFY(!loaded);
        QCOMPARE(loaded.error(), QStringLiteral("JPEG error #%1").arg(errorCode));
        QVERIFY(picture.isNull());
        QVERIFY(picture.image().isNull());
    }
    QCOMPARE(picture.size(), size);
    QCOMPARE(int(picture.colorModel()), model);
    QCOMPARE(picture.isProgressive(), progressive);
    QVERIFY(!picture.isDecoded());
}

void TestPictureStore::loadFileThatCannotBeOpened()
{
    const QString missing = pictureData(QStringLiteral("no_such.jpg"));
    JpegPicture picture;
    QVERIFY(picture.loadFile(pictureData(QStringLiteral("gray_40x20.jpg"))).ok());
    const quz::Status loaded = picture.loadFile(missing);
    QVERIFY(!loaded);
    QCOMPARE(loaded.error(),
             QStringLiteral("Cannot open file \"%1\". No such file or directory").arg(missing));
    QVERIFY(picture.isNull());
    QCOMPARE(picture.size(), QSize(0, 0));
}

void TestPictureStore::decode_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QRgb>("expected");
    QTest::addColumn<int>("tolerance");
    QTest::newRow("colour") << "red_600x300.jpg" << QPoint(300, 150) << qRgb(220, 30, 30) << 6;
    QTest::newRow("portrait") << "blue_300x600.jpg" << QPoint(299, 599) << qRgb(30, 30, 220) << 6;
    QTest::newRow("grayscale light half")
        << "gray_40x20.jpg" << QPoint(5, 5) << qRgb(255, 255, 255) << 6;
    QTest::newRow("grayscale dark half")
        << "gray_40x20.jpg" << QPoint(34, 10) << qRgb(128, 128, 128) << 6;
    QTest::newRow("cmyk to rgb") << "cmyk_32x16.jpg" << QPoint(16, 8) << qRgb(255, 0, 0) << 12;
    QTest::newRow("ycck to rgb") << "ycck_32x16.jpg" << QPoint(16, 8) << qRgb(255, 0, 0) << 12;
    QTest::newRow("progressive top")
        << "progressive_64x32.jpg" << QPoint(32, 0) << qRgb(255, 255, 0) << 24;
    QTest::newRow("progressive bottom")
        << "progressive_64x32.jpg" << QPoint(32, 31) << qRgb(0, 0, 255) << 24;
}

void TestPictureStore::decode()
{
    QFETCH(QString, file);
    QFETCH(QPoint, at);
    QFETCH(QRgb, expected);
    QFETCH(int, tolerance);

    JpegPicture picture;
    QVERIFY(picture.loadFile(pictureData(file)).ok());
    const QImage &image = picture.image();
    QVERIFY(picture.decodeResult().ok());
    QCOMPARE(image.format(), QImage::Format_RGB32);
    QCOMPARE(image.size(), picture.size());
    const QRgb actual = image.pixel(at);
    QVERIFY2(near(actual, expected, tolerance),
             qPrintable(rgbText(actual) + QStringLiteral(" instead of ") + rgbText(expected)));
}

void TestPictureStore::decodesOnceAndReloadResets()
{
    JpegPicture picture;
    QVERIFY(picture.loadFile(pictureData(QStringLiteral("red_600x300.jpg"))).ok());
    QVERIFY(!picture.isDecoded());
    const qint64 first = picture.image().cacheKey();
    QVERIFY(picture.isDecoded());
    QCOMPARE(picture.image().cacheKey(), first);

    QVERIFY(picture.loadFile(pictureData(QStringLiteral("extra_soi.jpg"))).ok());
    picture.image();
    QVERIFY(!picture.decodeResult());

    QVERIFY(picture.loadBytes(fileBytes(pictureData(QStringLiteral("blue_300x600.jpg")))).ok());
    QVERIFY(!picture.isDecoded());
    QVERIFY(picture.decodeResult().ok());
    QCOMPARE(picture.image().size(), QSize(300, 600));
    QVERIFY(picture.decodeResult().ok());
}

void TestPictureStore::truncatedScanKeepsDecodedRows()
{
    JpegPicture whole;
    QVERIFY(whole.loadFile(pictureData(QStringLiteral("noise_200x100.jpg"))).ok());
    JpegPicture cut;
    QVERIFY(cut.loadFile(pictureData(QStringLiteral("truncated_200x100.jpg"))).ok());
    const QImage &image = cut.image();
    // Running out of data is a decoder warning: the rest of the picture is
    // filled in and no error is reported.
    QVERIFY(cut.decodeResult().ok());
    QCOMPARE(image.size(), QSize(200, 100));
    const QImage &reference = whole.image();
    for (int y = 0; y < 16; ++y)
        QVERIFY2(memcmp(image.constScanLine(y), reference.constScanLine(y), 200 * 4) == 0,
                 qPrintable(QStringLiteral("row %1 differs").arg(y)));
    QVERIFY(memcmp(image.constScanLine(99), reference.constScanLine(99), 200 * 4) != 0);
}

void TestPictureStore::errorAfterTheLastRowKeepsThePicture()
{
    // The end-of-image marker replaced by a second start-of-image marker: all
    // rows decode, then the decoder fails on the marker.
    JpegPicture whole;
    QVERIFY(whole.loadFile(pictureData(QStringLiteral("noise_200x100.jpg"))).ok());
    JpegPicture damaged;
    QVERIFY(damaged.loadFile(pictureData(QStringLiteral("extra_soi.jpg"))).ok());
    const QImage &image = damaged.image();
    // Two start-of-image markers.
    QCOMPARE(damaged.decodeResult().error(), QStringLiteral("JPEG error #61"));
    QCOMPARE(image, whole.image());
}

void TestPictureStore::oversizedHeaderFailsWithoutAllocating()
{
    QByteArray bytes = fileBytes(pictureData(QStringLiteral("red_600x300.jpg")));
    const qsizetype sof = bytes.indexOf(QByteArray("\xff\xc0", 2));
    QVERIFY(sof > 0);
    // Frame header: length (2), precision (1), height (2), width (2).
    for (const qsizetype at : {sof + 5, sof + 7}) {
        bytes[at] = char(0xfd);
        bytes[at + 1] = char(0xe8); // 65000
    }
    JpegPicture picture;
    QVERIFY(picture.loadBytes(bytes).ok());
    QCOMPARE(picture.size(), QSize(65000, 65000));
    QVERIFY(picture.image().isNull());
    QCOMPARE(picture.decodeResult().error(), QStringLiteral("JPEG error #54"));
}

void TestPictureStore::placeholder_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("bitmapSize");
    QTest::addColumn<QRgb>("ownColour");
    QTest::newRow("smaller than the control")
        << "placeholder_64x32.bmp" << QSize(64, 32) << qRgb(10, 200, 90);
    QTest::newRow("larger, paletted")
        << "placeholder_1000x200.bmp" << QSize(1000, 200) << qRgb(200, 20, 160);
}

void TestPictureStore::placeholder()
{
    QFETCH(QString, file);
    QFETCH(QSize, bitmapSize);
    QFETCH(QRgb, ownColour);
    const QSize control(556, 114);
    const QColor face(212, 208, 200);
    const QString path = pictureData(file);
    const QByteArray before = fileBytes(path);

    const quz::Outcome<QImage> picture = quz::bank::placeholderPicture(path, control, face);
    QVERIFY2(picture.ok(), qPrintable(picture.error()));
    QCOMPARE(picture->size(), bitmapSize);
    QCOMPARE(picture->format(), QImage::Format_RGB32);
    for (int y = 0; y < bitmapSize.height(); ++y) {
        for (int x = 0; x < bitmapSize.width(); ++x) {
            const bool painted = x < control.width() && y < control.height();
            const QRgb want = painted ? face.rgb() : ownColour;
            if (picture->pixel(x, y) != want)
                QFAIL(qPrintable(QStringLiteral("pixel (%1,%2) is %3")
                                     .arg(x)
                                     .arg(y)
                                     .arg(rgbText(picture->pixel(x, y)))));
        }
    }
    QCOMPARE(fileBytes(path), before);
}

void TestPictureStore::placeholderFailures_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("expected");
    const QString missing = pictureData(QStringLiteral("no_such.bmp"));
    QTest::newRow("missing file")
        << missing
        << QStringLiteral("Cannot open file \"%1\". No such file or directory").arg(missing);
    QTest::newRow("not a bitmap") << pictureData(QStringLiteral("garbage.jpg"))
                                  << QStringLiteral("Bitmap image is not valid");
    QTest::newRow("a JPEG is no bitmap") << pictureData(QStringLiteral("red_600x300.jpg"))
                                         << QStringLiteral("Bitmap image is not valid");
}

void TestPictureStore::placeholderFailures()
{
    QFETCH(QString, file);
    QFETCH(QString, expected);
    const quz::Outcome<QImage> picture =
        quz::bank::placeholderPicture(file, QSize(556, 114), Qt::gray);
    QVERIFY(!picture);
    QCOMPARE(picture.error(), expected);
}

QTEST_GUILESS_MAIN(TestPictureStore)
#include "tst_picture_store.moc"
