#include "core/bank/picture_store.h"

#include "core/files/file_io.h"

#include <QDir>

#include <algorithm>
#include <cstdio> // jpeglib.h needs FILE and size_t declared first
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

#ifndef JCS_ALPHA_EXTENSIONS
#error "libjpeg with the JCS_EXT_* output colour spaces (libjpeg-turbo) is required"
#endif

namespace quz::bank {

namespace {

// libjpeg's error_exit throws this; it unwinds through the library back to
// the Decompressor's user, whose destructor releases libjpeg's memory.
struct JpegAbort {
    int code;
};

[[noreturn]] void throwJpegError(j_common_ptr cinfo) { throw JpegAbort{cinfo->err->msg_code}; }

// Warnings and trace messages are ignored, and nothing is ever printed.
void ignoreMessage(j_common_ptr) {}

// libjpeg's error manager with the code of the first warning kept (libjpeg
// keeps only the last message's code).
struct ErrorManager {
    jpeg_error_mgr mgr{}; // first, so that libjpeg's pointer to it is one to this
    int firstWarning = 0;
};

void recordMessage(j_common_ptr cinfo, int level)
{
    if (level >= 0)
        return; // trace messages
    auto *errors = reinterpret_cast<ErrorManager *>(cinfo->err);
    if (errors->mgr.num_warnings++ == 0)
        errors->firstWarning = errors->mgr.msg_code;
}

// Upper bound for libjpeg's own working memory (a progressive picture keeps
// all its coefficients, 2 bytes per pixel and component): enough for
// kMaxPixels with three full-size components (192 MB), so that the decode of
// the largest picture stays far below a few hundred megabytes in all.
constexpr long kMaxDecoderMemory = 256L * 1024 * 1024;

// The output colour space whose pixels are QImage::Format_RGB32 words.
constexpr J_COLOR_SPACE kRgb32Space =
    (Q_BYTE_ORDER == Q_LITTLE_ENDIAN) ? JCS_EXT_BGRA : JCS_EXT_ARGB;

constexpr QRgb kUndecodedPixel = 0xff808080;

// One libjpeg decompressor; the bytes given to readHeader() must outlive it.
class Decompressor {
public:
    Decompressor()
    {
        info.err = jpeg_std_error(&err.mgr);
        err.mgr.error_exit = throwJpegError;
        err.mgr.output_message = ignoreMessage;
        err.mgr.emit_message = recordMessage;
        jpeg_create_decompress(&info);
        created = true;
        info.mem->max_memory_to_use = kMaxDecoderMemory;
    }
    // Kept out of the constructor: a throw there would skip the destructor
    // and leak libjpeg's memory.
    void readHeader(const QByteArray &bytes)
    {
        // Checks for an empty buffer itself (JERR_INPUT_EMPTY); at the end of
        // the data it supplies an end-of-image marker, so reads never run past
        // the buffer.
        jpeg_mem_src(&info, reinterpret_cast<const unsigned char *>(bytes.constData()),
                     static_cast<unsigned long>(bytes.size()));
        jpeg_read_header(&info, TRUE);
    }
    ~Decompressor()
    {
        if (created)
            jpeg_destroy_decompress(&info);
    }
    Decompressor(const Decompressor &) = delete;
    Decompressor &operator=(const Decompressor &) = delete;

    jpeg_decompress_struct info{};
    // libjpeg's code of the first warning, 0 when there was none.
    int firstWarning() const { return err.firstWarning; }

private:
    ErrorManager err;
    bool created = false;
};

JpegPicture::ColorModel colorModelOf(J_COLOR_SPACE space)
{
    switch (space) {
    case JCS_GRAYSCALE: return JpegPicture::ColorModel::Gray;
    case JCS_RGB: return JpegPicture::ColorModel::Rgb;
    case JCS_YCbCr: return JpegPicture::ColorModel::YCbCr;
    case JCS_CMYK: return JpegPicture::ColorModel::Cmyk;
    case JCS_YCCK: return JpegPicture::ColorModel::Ycck;
    default: return JpegPicture::ColorModel::Unknown;
    }
}

// CMYK samples to RGB. The inks are taken as stored inverted (255 = no ink),
// as Adobe's applications write them and as other viewers read every CMYK
// JPEG, with or without Adobe's marker.
void cmykRowToRgb32(const JSAMPLE *in, QRgb *out, int width)
{
    for (int x = 0; x < width; ++x, in += 4) {
        const int k = in[3];
        out[x] = qRgb((in[0] * k + 127) / 255, (in[1] * k + 127) / 255, (in[2] * k + 127) / 255);
    }
}

} // namespace

QString pictureRelativePath(const QString &ticket, const QString &question)
{
    bool ticketOk = false;
    bool questionOk = false;
    const int t = ticket.toInt(&ticketOk, 10);
    const int q = question.toInt(&questionOk, 10);
    if (!ticketOk || !questionOk)
        return {};
    return pictureFolder() + QStringLiteral("/Quz_") + QString::number(t) + QLatin1Char('_')
           + QString::number(q) + QStringLiteral(".jpg");
}

QString picturePath(const QString &programDir, const QString &ticket, const QString &question)
{
    const QString relative = pictureRelativePath(ticket, question);
    return relative.isEmpty() ? QString() : QDir(programDir).filePath(relative);
}

QRect fitRect(int w, int h, int cw, int ch)
{
    int width = cw;
    int height = ch;
    if (w > 0 && h > 0) {
        const double r = static_cast<double>(w) / h;
        if (w > h) {
            width = cw;
            height = static_cast<int>(cw / r);
            if (height > ch) {
                height = ch;
                width = static_cast<int>(ch * r);
            }
        } else {
            height = ch;
            width = static_cast<int>(ch * r);
            if (width > cw) {
                width = cw;
                height = static_cast<int>(cw / r);
            }
        }
    }
    return QRect((cw - width) / 2, (ch - height) / 2, width, height);
}

QString jpegErrorText(int code) { return QStringLiteral("JPEG error #%1").arg(code); }

void JpegPicture::reset() { *this = JpegPicture(); }

Status JpegPicture::loadFile(const QString &path)
{
    Outcome<QByteArray> bytes = files::readFileBytes(path, files::FileKind::Picture);
    if (!bytes) {
        reset();
        return Failure{bytes.error()};
    }
    return loadBytes(std::move(bytes).value());
}

Status JpegPicture::loadBytes(QByteArray bytes)
{
    reset();
    try {
        Decompressor decoder;
        decoder.readHeader(bytes);
        m_width = static_cast<int>(decoder.info.image_width);
        m_height = static_cast<int>(decoder.info.image_height);
        m_colorModel = colorModelOf(decoder.info.jpeg_color_space);
        m_progressive = decoder.info.progressive_mode != 0;
    } catch (const JpegAbort &abort) {
        reset();
        return Failure{jpegErrorText(abort.code)};
    }
    m_bytes = std::move(bytes);
    return {};
}

const QImage &JpegPicture::image()
{
    if (m_decoded || isNull())
        return m_image;
    m_decoded = true;
    try {
        Decompressor decoder;
        decoder.readHeader(m_bytes);
        jpeg_decompress_struct &info = decoder.info;
        if (qint64(info.image_width) * qint64(info.image_height) > kMaxPixels)
            throw JpegAbort{JERR_OUT_OF_MEMORY};
        const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
        info.out_color_space = cmyk ? JCS_CMYK : kRgb32Space;
        jpeg_start_decompress(&info);

        const int width = static_cast<int>(info.output_width);
        m_image = QImage(width, static_cast<int>(info.output_height), QImage::Format_RGB32);
        if (m_image.isNull())
            throw JpegAbort{JERR_OUT_OF_MEMORY};
        m_image.fill(kUndecodedPixel);

        std::vector<JSAMPLE> cmykRow(cmyk ? static_cast<size_t>(width) * 4 : 0);
        while (info.output_scanline < info.output_height) {
            const int y = static_cast<int>(info.output_scanline);
            JSAMPROW target = cmyk ? cmykRow.data() : m_image.scanLine(y);
            if (jpeg_read_scanlines(&info, &target, 1) != 1)
                break;
            if (cmyk)
                cmykRowToRgb32(cmykRow.data(), reinterpret_cast<QRgb *>(m_image.scanLine(y)),
                               width);
        }
        jpeg_finish_decompress(&info);
        m_decodeWarning = decoder.firstWarning();
    } catch (const JpegAbort &abort) {
        m_decodeResult = Failure{jpegErrorText(abort.code)};
    }
    return m_image;
}

QImage paintPlaceholder(QImage bitmap, QSize controlSize, QColor colour)
{
    if (bitmap.isNull())
        return bitmap;
    if (bitmap.format() != QImage::Format_RGB32)
        bitmap = bitmap.convertToFormat(QImage::Format_RGB32);
    const QRgb pixel = colour.rgb();
    const int rows = std::clamp(controlSize.height(), 0, bitmap.height());
    const int columns = std::clamp(controlSize.width(), 0, bitmap.width());
    for (int y = 0; y < rows; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(bitmap.scanLine(y));
        std::fill(line, line + columns, pixel);
    }
    return bitmap;
}

Outcome<QImage> placeholderPicture(const QString &path, QSize controlSize, QColor buttonFace)
{
    const Outcome<QByteArray> bytes = files::readFileBytes(path, files::FileKind::Bitmap);
    if (!bytes)
        return Failure{bytes.error()};
    QImage bitmap = QImage::fromData(*bytes, "BMP");
    if (bitmap.isNull())
        return Failure{QStringLiteral("Bitmap image is not valid")};
    return paintPlaceholder(std::move(bitmap), controlSize, buttonFace);
}

} // namespace quz::bank
