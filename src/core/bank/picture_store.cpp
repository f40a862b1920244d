#include "core/bank/picture_store.h"

#include "core/files/file_io.h"

#include <algorithm>
#include <cstdio> // jpeglib.h needs FILE and size_t declared first

#include <jpeglib.h>

namespace quz::bank {

namespace {

constexpr QRgb kUndecodedPixel = 0xff808080;

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

} // namespace

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
    const Outcome<JpegHeader> header = readJpegHeader(bytes);
    if (!header)
        return Failure{header.error()};
    m_width = header->width;
    m_height = header->height;
    m_colorModel = colorModelOf(static_cast<J_COLOR_SPACE>(header->colorSpace));
    m_progressive = header->progressive;
    m_bytes = std::move(bytes);
    return {};
}

const QImage &JpegPicture::image()
{
    if (m_decoded || isNull())
        return m_image;
    m_decoded = true;
    const JpegDecode decode = decodeJpeg(
        m_bytes, {[this](int width, int height) {
                      m_image = QImage(width, height, QImage::Format_RGB32);
                      m_image.fill(kUndecodedPixel);
                      return !m_image.isNull();
                  },
                  [this](int y) { return reinterpret_cast<quint32 *>(m_image.scanLine(y)); }});
    m_decodeResult = decode.result;
    m_decodeWarning = decode.firstWarning;
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
