#pragma once
// libjpeg's decompression of a JPEG file held in memory, apart from any image
// type: the header parse and the decode of the pixels into rows that the
// caller provides. The picture store decodes into its bitmap with it, the
// data checker into one scratch row, so that both meet the same errors and
// warnings. Decoder warnings are kept, never printed; an error is reported as
// "JPEG error #<n>" with libjpeg's message code.
//
// Not responsible for: an image type (the picture store's JpegPicture holds
// the bitmap), reading files, or deciding what a failure means.

#include "core/files/outcome.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace quz::bank {

// Largest bitmap decoded (pixels): 2^25, e.g. 8192 x 4096, a 128 MB bitmap.
// The decode of a bigger picture fails with libjpeg's "insufficient memory"
// code instead of allocating gigabytes for a damaged or hostile header.
inline constexpr qint64 kMaxJpegPixels = qint64(1) << 25;

// "JPEG error #<code>".
QString jpegErrorText(int code);

// What the header of a JPEG file tells.
struct JpegHeader {
    int width = 0;
    int height = 0;
    int colorSpace = 0; // libjpeg's J_COLOR_SPACE of the file
    bool progressive = false;
};

// Parses the header of `bytes`; a damaged one fails with "JPEG error #<n>".
Outcome<JpegHeader> readJpegHeader(const QByteArray &bytes);

// Where the decode puts its pixels: 32-bit words 0xffRRGGBB, one row at a
// time. start() is told the size once it is known and returns false when
// there is no room for it (the decode then fails with libjpeg's "insufficient
// memory" code); row(y) gives the width words that row y goes to, and may
// give the same buffer for every row.
struct JpegRows {
    std::function<bool(int width, int height)> start;
    std::function<quint32 *(int y)> row;
};

// The end of a decode: its failure ("JPEG error #<n>"), and the code of its
// first warning (0 when there was none) once it went through. Rows not
// decoded when a failure or a warning stopped it are left as start() made
// them.
struct JpegDecode {
    Status result;
    int firstWarning = 0;
};

// Decodes the pixels of `bytes` (CMYK and YCCK converted from inks stored
// inverted, as other viewers read them) into `rows`.
JpegDecode decodeJpeg(const QByteArray &bytes, const JpegRows &rows);

} // namespace quz::bank
