// The picture part of one question display: read and header-parse a typical
// 600 x 300 JPEG, hand it to the picture control and draw it for the first
// time (decode + scale into 556 x 114).
//
// Run: QT_QPA_PLATFORM=offscreen <build>/bench/bench_picture [-iterations 200]
#include "core/bank/picture_store.h"
#include "ui/question/picture_widget.h"

#include <QFileInfo>
#include <QtTest>

class BenchPicture : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void loadAndFirstDraw();
    void redrawDecoded();

private:
    QString m_file;
};

void BenchPicture::initTestCase()
{
    const QString demo = QStringLiteral(QUZ_DEMO_DATA_DIR "/bmp/Quz_1_10.jpg");
    m_file = QFileInfo::exists(demo)
                 ? demo
                 : QStringLiteral(QUZ_DEMO_DATA_DIR "/../tests/data/pictures/red_600x300.jpg");
    quz::bank::JpegPicture probe;
    const quz::Status loaded = probe.loadFile(m_file);
    QVERIFY2(loaded.ok(), qPrintable(loaded.error()));
    qInfo("picture %s, %d x %d", qPrintable(m_file), probe.width(), probe.height());
}

void BenchPicture::loadAndFirstDraw()
{
    quz::question::TImage widget;
    widget.resize(556, 114);
    QImage target(widget.size(), QImage::Format_RGB32);
    QBENCHMARK {
        quz::bank::JpegPicture picture;
        if (!picture.loadFile(m_file))
            QFAIL("load failed");
        widget.setJpeg(std::move(picture));
        widget.render(&target);
    }
    QVERIFY(!widget.lastDrawnRect().isEmpty());
}

void BenchPicture::redrawDecoded()
{
    quz::question::TImage widget;
    widget.resize(556, 114);
    quz::bank::JpegPicture picture;
    QVERIFY(picture.loadFile(m_file).ok());
    widget.setJpeg(std::move(picture));
    QImage target(widget.size(), QImage::Format_RGB32);
    widget.render(&target);
    QBENCHMARK {
        widget.render(&target);
    }
}

QTEST_MAIN(BenchPicture)
#include "bench_picture.moc"
