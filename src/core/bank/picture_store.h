#pragma once
// The picture store: the blank placeholder made from "emp.bmp", the fit rule
// of the picture control, and JPEG pictures read with libjpeg (header on
// load, pixels at first use, jpeg_decode.h). Where a question's picture file
// lives is data_files.h.
//
// Not responsible for: showing anything (the picture widget does that),
// the start-up picture check and its message, or deciding what a failure
// means for the display (the main window does that).

#include "core/bank/data_files.h"
#include "core/bank/jpeg_decode.h"
#include "core/files/outcome.h"

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>

namespace quz::bank {

// The fit rule of the picture control: where a w x h picture is drawn inside a
// cw x ch area. The aspect ratio is kept (sizes truncated towards zero), small
// pictures are enlarged, large ones reduced, and the result is centred with
// integer halving of the spare room. A picture with w or h of 0 (or below)
// fills the whole area.
QRect fitRect(int w, int h, int cw, int ch);

// A JPEG picture held as the bytes of its file.
//
// Loading reads the bytes and parses only the header (size, colour model,
// progressive or not). The pixels are decoded to an RGB32 bitmap at the first
// image() call and kept until the next load. Decoder warnings are ignored; a
// decoder error is reported as "JPEG error #<n>" with libjpeg's message code.
//
// Not responsible for: drawing, scaling, or any choice of what to show when a
// picture cannot be read.
class JpegPicture {
public:
    // Largest bitmap decoded (pixels); a bigger picture loads but its decode
    // fails with libjpeg's "insufficient memory" code (jpeg_decode.h).
    static constexpr qint64 kMaxPixels = kMaxJpegPixels;

    enum class ColorModel { None, Gray, Rgb, YCbCr, Cmyk, Ycck, Unknown };

    // Reads the whole file into the buffer the decoder uses, then as
    // loadBytes(). A file that cannot be read (or is larger than a picture
    // may be) gives `Cannot open file "<full path>". <reason>`. On failure
    // the picture is empty afterwards.
    Status loadFile(const QString &path);
    // Parses the header of bytes and keeps them for the decode; a damaged
    // header fails with "JPEG error #<n>". On failure the picture is empty
    // afterwards.
    Status loadBytes(QByteArray bytes);

    bool isNull() const { return m_bytes.isEmpty(); }
    int width() const { return m_width; }
    int height() const { return m_height; }
    QSize size() const { return QSize(m_width, m_height); }
    ColorModel colorModel() const { return m_colorModel; }
    bool isProgressive() const { return m_progressive; }

    // The decoded bitmap (Format_RGB32, width() x height()). Decodes on the
    // first call after a load; later calls return the same bitmap. When the
    // decode fails part-way, the rows decoded until then are kept (the rest
    // is mid grey) and decodeResult() tells why; when it fails before any row
    // exists, the bitmap is null. Null for an empty picture.
    const QImage &image();
    bool isDecoded() const { return m_decoded; }
    // The failure of the decode ("JPEG error #<n>"), once image() has run;
    // success before that and after a clean decode.
    const Status &decodeResult() const { return m_decodeResult; }
    // libjpeg's code of the first warning of a decode that went through (the
    // data ended early or is damaged; the rows it could not decode are grey),
    // 0 when there was none or image() has not run.
    int decodeWarning() const { return m_decodeWarning; }

private:
    void reset();

    QByteArray m_bytes;
    int m_width = 0;
    int m_height = 0;
    ColorModel m_colorModel = ColorModel::None;
    bool m_progressive = false;
    bool m_decoded = false;
    QImage m_image;
    Status m_decodeResult;
    int m_decodeWarning = 0;
};

// Paints the rectangle (0, 0, controlSize) of bitmap with colour, in bitmap
// coordinates: a bitmap no larger than the control becomes wholly that colour,
// of a larger one the rest keeps its own pixels. The result is RGB32 (paletted
// and alpha bitmaps are converted first). A null bitmap stays null.
QImage paintPlaceholder(QImage bitmap, QSize controlSize, QColor colour);

// Reads the Windows bitmap at path and paints it as paintPlaceholder() does.
// Fails when the file cannot be opened (`Cannot open file ...`) or holds no
// readable bitmap ("Bitmap image is not valid").
Outcome<QImage> placeholderPicture(const QString &path, QSize controlSize, QColor buttonFace);

} // namespace quz::bank
