#pragma once
// Whether the program can read its placeholder "emp.bmp": the program reads
// it with Qt's own Windows bitmap reader (QImage::fromData(bytes, "BMP")),
// and this walks the same headers, colour table and run-length data the way
// that reader does, so that it accepts and refuses exactly the same files
// without loading Qt GUI into the checker. tests/check/tst_bitmap_check.cpp
// holds a table of damaged bitmaps against Qt's reader.
//
// Not responsible for: the pixels (nothing is decoded), or reading the file.

#include <QByteArrayView>

namespace quz::check {

// Whether QImage::fromData(bytes, "BMP") gives an image (it does not when the
// headers are damaged or cut short, the colour table is cut short, the
// picture is larger than Qt reads, or run-length data ends inside a run).
bool readsAsBitmap(QByteArrayView bytes);

} // namespace quz::check
