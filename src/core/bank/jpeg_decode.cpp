#include "core/bank/jpeg_decode.h"

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
// kMaxJpegPixels with three full-size components (192 MB), so that the
// decode of the largest picture stays far below a few hundred megabytes.
constexpr long kMaxDecoderMemory = 256L * 1024 * 1024;

// The output colour space whose pixels are 0xAARRGGBB words.
constexpr J_COLOR_SPACE kRgb32Space =
    (Q_BYTE_ORDER == Q_LITTLE_ENDIAN) ? JCS_EXT_BGRA : JCS_EXT_ARGB;

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

// CMYK samples to 0xffRRGGBB words. The inks are taken as stored inverted
// (255 = no ink), as Adobe's applications write them and as other viewers
// read every CMYK JPEG, with or without Adobe's marker.
void cmykRowToRgb32(const JSAMPLE *in, quint32 *out, int width)
{
    for (int x = 0; x < width; ++x, in += 4) {
        const unsigned k = in[3];
        const unsigned r = (in[0] * k + 127) / 255;
        const unsigned g = (in[1] * k + 127) / 255;
        const unsigned b = (in[2] * k + 127) / 255;
        out[x] = 0xff000000u | (r << 16) | (g << 8) | b;
    }
}

} // namespace

QString jpegErrorText(int code) { return QStringLiteral("JPEG error #%1").arg(code); }

Outcome<JpegHeader> readJpegHeader(const QByteArray &bytes)
{
    try {
        Decompressor decoder;
        decoder.readHeader(bytes);
        JpegHeader header;
        header.width = static_cast<int>(decoder.info.image_width);
        header.height = static_cast<int>(decoder.info.image_height);
        header.colorSpace = decoder.info.jpeg_color_space;
        header.progressive = decoder.info.progressive_mode != 0;
        return header;
    } catch (const JpegAbort &abort) {
        return Failure{jpegErrorText(abort.code)};
    }
}

JpegDecode decodeJpeg(const QByteArray &bytes, const JpegRows &rows)
{
    JpegDecode decode;
    try {
        Decompressor decoder;
        decoder.readHeader(bytes);
        jpeg_decompress_struct &info = decoder.info;
        if (qint64(info.image_width) * qint64(info.image_height) > kMaxJpegPixels)
            throw JpegAbort{JERR_OUT_OF_MEMORY};
        const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
        info.out_color_space = cmyk ? JCS_CMYK : kRgb32Space;
        jpeg_start_decompress(&info);

        const int width = static_cast<int>(info.output_width);
        if (!rows.start(width, static_cast<int>(info.output_height)))
            throw JpegAbort{JERR_OUT_OF_MEMORY};
        std::vector<JSAMPLE> cmykRow(cmyk ? static_cast<size_t>(width) * 4 : 0);
        while (info.output_scanline < info.output_height) {
            const int y = static_cast<int>(info.output_scanline);
            JSAMPROW target = cmyk ? cmykRow.data() : reinterpret_cast<JSAMPROW>(rows.row(y));
            if (jpeg_read_scanlines(&info, &target, 1) != 1)
                break;
            if (cmyk)
                cmykRowToRgb32(cmykRow.data(), rows.row(y), width);
        }
        jpeg_finish_decompress(&info);
        decode.firstWarning = decoder.firstWarning();
    } catch (const JpegAbort &abort) {
        decode.result = Failure{jpegErrorText(abort.code)};
    }
    return decode;
}

} // namespace quz::bank
