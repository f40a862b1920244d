// The checker's reading of the placeholder bitmap against the program's own
// (Qt's bitmap reader, QImage::fromData(bytes, "BMP")): damaged bitmaps of
// every kind, each cut short at every length, and bitmaps damaged at random,
// accepted and refused alike.

#include "check/bitmap_check.h"

#include <QImage>
#include <QRandomGenerator>
#include <QTest>
#include <QtEndian>

using quz::check::readsAsBitmap;

namespace {

void put32(QByteArray &b, qint64 v)
{
    char c[4];
    qToLittleEndian<quint32>(static_cast<quint32>(v), c);
    b.append(c, 4);
}

void put16(QByteArray &b, qint64 v)
{
    char c[2];
    qToLittleEndian<quint16>(static_cast<quint16>(v), c);
    b.append(c, 2);
}

// A bitmap: file header, info header of `header` bytes (12, 40, 64, 108 or
// 124), the masks of a 40-byte bit-field header, the colour table and
// `pixels`.
struct Bitmap {
    int header = 40;
    qint64 width = 5;
    qint64 height = 3;
    int bits = 24;
    int compression = 0;
    qint64 colours = 0;
    QByteArray pixels = QByteArray(48, '\x5a');
    qint64 dataOffset = -1; // where the header says the pixels are; -1: right after

    QByteArray bytes() const
    {
        QByteArray info;
        if (header == 12) {
            for (qint64 v : {width, height, qint64(1), qint64(bits)})
                put16(info, v);
        } else {
            put32(info, width);
            put32(info, height);
            put16(info, 1);
            put16(info, bits);
            for (qint64 v : {qint64(compression), qint64(pixels.size()), qint64(2834), qint64(2834),
                             colours, qint64(0)})
                put32(info, v);
            info.append(QByteArray(header - 40, '\0'));
        }
        QByteArray masks;
        if (header < 108 && compression == 3)
            for (qint64 v : {0xf800, 0x7e0, 0x1f})
                put32(masks, v);
        const qint64 entries = bits <= 8 ? (colours ? colours : qint64(1) << bits) : 0;
        const QByteArray table(static_cast<qsizetype>(entries * (header == 12 ? 3 : 4)), '\x40');
        QByteArray b("BM");
        put32(b, 0);
        put16(b, 0);
        put16(b, 0);
        put32(b, dataOffset >= 0 ? dataOffset : 14 + 4 + info.size() + masks.size() + table.size());
        put32(b, header);
        return b + info + masks + table + pixels;
    }
};

// `bytes` with the 4 bytes at `at` replaced by `value`.
QByteArray patched(QByteArray bytes, qsizetype at, quint32 value)
{
    qToLittleEndian<quint32>(value, bytes.data() + at);
    return bytes;
}

bool qtReads(const QByteArray &bytes) { return !QImage::fromData(bytes, "BMP").isNull(); }

Bitmap rle8(const QByteArray &runs)
{
    Bitmap b;
    b.bits = 8;
    b.compression = 1;
    b.colours = 2;
    b.pixels = runs;
    return b;
}

} // namespace

class TestBitmapCheck : public QObject {
    Q_OBJECT

private slots:
    void sameAsQt_data();
    void sameAsQt();
    void cutShortAnywhere();
    void damagedAtRandom();
};

void TestBitmapCheck::sameAsQt_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("readable"); // what Qt 6.4's reader does

    const auto row = [](const char *name, const QByteArray &bytes, bool readable) {
        QTest::newRow(name) << bytes << readable;
    };
    Bitmap mono;
    mono.bits = 1;
    Bitmap paletted;
    paletted.bits = 8;
    paletted.colours = 3;
    Bitmap fields;
    fields.bits = 16;
    fields.compression = 3;
    Bitmap old;
    old.header = 12;
    old.bits = 8; // 256 colours of 3 bytes

    row("24 bits", Bitmap().bytes(), true);
    row("1 bit", mono.bytes(), true);
    row("8 bits, 3 colours", paletted.bytes(), true);
    row("old 12-byte header", old.bytes(), true);
    row("16 bits in bit fields", fields.bytes(), true);
    for (int header : {64, 108, 124}) {
        Bitmap b;
        b.header = header;
        row(qPrintable(QStringLiteral("%1-byte header").arg(header)), b.bytes(), true);
    }
    row("pixels cut short: read as far as they go", Bitmap().bytes().chopped(40), true);
    row("not BM", patched(Bitmap().bytes(), 0, 0x4d42 + 1), false);
    row("empty", QByteArray(), false);
    row("file header only", Bitmap().bytes().left(14), false);
    row("nothing after the headers", Bitmap().bytes().left(54), false);
    row("2 planes", patched(Bitmap().bytes(), 26, 0x00180002), false);
    row("2 bits", patched(Bitmap().bytes(), 26, 0x00020001), false);
    row(
        "run-length 8 with 4 bits",
        [] {
            Bitmap b = rle8("\x00\x01");
            b.bits = 4;
            return b.bytes();
        }(),
        false);
    row("zero width", patched(Bitmap().bytes(), 18, 0), false);
    row("negative width", patched(Bitmap().bytes(), 18, quint32(-5)), false);
    row("zero height", patched(Bitmap().bytes(), 22, 0), false);
    row("negative height: top-down", patched(Bitmap().bytes(), 22, quint32(-3)), true);
    row("lowest height", patched(Bitmap().bytes(), 22, 0x80000000u), false);
    row("2^25 pixels", patched(patched(Bitmap().bytes(), 18, 8192), 22, 4096), true);
    row("one row more", patched(patched(Bitmap().bytes(), 18, 8192), 22, 4097), false);
    row("2^25 pixels at 1 bit", patched(patched(mono.bytes(), 18, 4096), 22, 8192), true);
    row("256 colours", patched(paletted.bytes(), 46, 256), false); // table cut short
    row("257 colours", patched(paletted.bytes(), 46, 257), false);
    row("colour count negative", patched(paletted.bytes(), 46, 0xffffffffu), false);
    row("colour table ends the file", paletted.bytes().left(54 + 12), false);
    row("colour table cut short", paletted.bytes().left(54 + 10), false);
    row("bit fields cut short", fields.bytes().left(54 + 8), false);
    row("a mask of all ones", patched(fields.bytes(), 58, 0xffffffffu), false);
    row("a mask of all ones but one", patched(fields.bytes(), 58, 0xfffffffeu), true);
    row(
        "data offset past the end",
        [] {
            Bitmap b;
            b.dataOffset = 100000;
            return b.bytes();
        }(),
        true);
    // Read as the old header: the width's two halves become width and height 0.
    row("unknown header size", patched(Bitmap().bytes(), 14, 100000), false);
    row("run-length 8",
        rle8(QByteArray("\x03\x01\x00\x00\x00\x03\x01\x02\x03\x00\x00\x01", 12)).bytes(), true);
    row("run-length 8, absolute run cut short", rle8(QByteArray("\x00\x05\x01\x02", 4)).bytes(),
        false);
    row("run-length 8, absolute run past the row, cut to it",
        rle8(QByteArray("\x00\x09\x01\x02\x03\x04\x05\x00", 8)).bytes(), true);
    row("run-length 8, jump then a cut run",
        rle8(QByteArray("\x00\x02\x01\x01\x00\x04\x01", 7)).bytes(), false);
    row(
        "run-length 8, data offset past the end",
        [] {
            Bitmap b = rle8(QByteArray("\x00\x03\x01\x02\x03\x00", 6));
            b.dataOffset = 5000;
            return b.bytes();
        }(),
        true);
}

void TestBitmapCheck::sameAsQt()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, readable);
    QCOMPARE(qtReads(bytes), readable);
    QCOMPARE(readsAsBitmap(bytes), readable);
}

void TestBitmapCheck::cutShortAnywhere()
{
    Bitmap v5;
    v5.header = 124;
    Bitmap paletted;
    paletted.bits = 4;
    paletted.header = 12;
    for (const QByteArray &whole :
         {Bitmap().bytes(), v5.bytes(), paletted.bytes(),
          rle8(QByteArray("\x02\x01\x00\x04\x01\x02\x03\x04\x00\x00\x00\x01", 12)).bytes()})
        for (qsizetype n = 0; n <= whole.size(); ++n)
            QVERIFY2(readsAsBitmap(whole.left(n)) == qtReads(whole.left(n)),
                     qPrintable(whole.left(n).toHex()));
}

void TestBitmapCheck::damagedAtRandom()
{
    QRandomGenerator random(20261209);
    Bitmap fields;
    fields.bits = 32;
    fields.compression = 3;
    fields.header = 108;
    const QByteArray bases[] = {Bitmap().bytes(), fields.bytes(),
                                rle8(QByteArray("\x00\x03\x01\x02\x03\x00\x02\x07", 8)).bytes()};
    for (int i = 0; i < 3000; ++i) {
        QByteArray bytes = bases[i % 3];
        for (int flips = 1 + random.bounded(3); flips > 0; --flips)
            bytes[random.bounded(int(bytes.size()))] = static_cast<char>(random.bounded(256));
        QVERIFY2(readsAsBitmap(bytes) == qtReads(bytes), qPrintable(bytes.toHex()));
    }
}

QTEST_GUILESS_MAIN(TestBitmapCheck)
#include "tst_bitmap_check.moc"
