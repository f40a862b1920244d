// JPEG pictures from arbitrary bytes: the header parse of a load, then the
// full decode of the first draw.
#include "core/bank/picture_store.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    quz::bank::JpegPicture picture;
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    if (!picture.loadBytes(bytes))
        return 0;
    // Headers that promise huge pictures are decoded only up to a few
    // megapixels here, to keep every input quick; the library's own limit is
    // tested elsewhere.
    if (qint64(picture.width()) * picture.height() > 4 * 1024 * 1024)
        return 0;
    const QImage &image = picture.image();
    if (!image.isNull() && image.size() != picture.size())
        __builtin_trap();
    if (image.isNull() && picture.decodeResult().ok())
        __builtin_trap();
    return 0;
}
