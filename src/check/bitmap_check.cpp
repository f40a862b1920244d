#include "check/bitmap_check.h"

#include <QtEndian>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>

namespace quz::check {

namespace {

// Sizes of the info header that Qt's reader knows; any other is read as the
// old 12-byte header.
constexpr qint32 kOldHeader = 12;
constexpr qint32 kWinHeader = 40;
constexpr qint32 kOs2Header = 64;
constexpr qint32 kWin4Header = 108;
constexpr qint32 kWin5Header = 124;
constexpr qint64 kFileHeader = 14;

enum Compression : qint32 { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitfields = 3 };

// The bytes read the way Qt's reader reads its buffer: a read past the end
// gives what is there, a seek outside the bytes is refused and leaves the
// position where it was.
class Cursor {
public:
    explicit Cursor(QByteArrayView bytes)
        : m_bytes(bytes)
    {}
    qint64 pos() const { return m_pos; }
    bool atEnd() const { return m_pos >= m_bytes.size(); }
    void seek(qint64 to)
    {
        if (to >= 0 && to <= m_bytes.size())
            m_pos = to;
    }
    // Moves past at most n bytes; how many there were.
    qint64 skip(qint64 n)
    {
        const qint64 got = std::clamp<qint64>(m_bytes.size() - m_pos, 0, n);
        m_pos += got;
        return got;
    }
    // A little-endian field of `size` bytes (2 or 4); `ok` turns false for
    // good when the bytes end first, as a data stream's status does.
    qint64 field(int size, bool &ok)
    {
        const qint64 at = m_pos;
        if (skip(size) != size) {
            ok = false;
            return 0;
        }
        const auto *p = reinterpret_cast<const uchar *>(m_bytes.data() + at);
        return size == 2 ? qint64(qFromLittleEndian<qint16>(p))
                         : qint64(qFromLittleEndian<quint32>(p));
    }
    qint32 int32(bool &ok) { return static_cast<qint32>(field(4, ok)); }
    qint16 int16(bool &ok) { return static_cast<qint16>(field(2, ok)); }
    // One byte, -1 at the end.
    int byte()
    {
        if (atEnd())
            return -1;
        return static_cast<uchar>(m_bytes[m_pos++]);
    }

private:
    QByteArrayView m_bytes;
    qint64 m_pos = 0;
};

struct InfoHeader {
    qint32 size = 0;
    qint32 width = 0;
    qint32 height = 0;
    qint16 planes = 0;
    qint16 bits = 0;
    qint32 compression = 0;
    qint32 colours = 0;
    quint32 masks[4] = {}; // red, green, blue, alpha
};

// The info header as Qt's reader takes it in; false when it is cut short.
bool readInfoHeader(Cursor &in, InfoHeader &h)
{
    bool ok = true;
    h.size = in.int32(ok);
    if (h.size == kWinHeader || h.size == kOs2Header || h.size == kWin4Header
        || h.size == kWin5Header) {
        h.width = in.int32(ok);
        h.height = in.int32(ok);
        h.planes = in.int16(ok);
        h.bits = in.int16(ok);
        h.compression = in.int32(ok);
        in.int32(ok); // image size
        in.int32(ok); // pixels per metre, across
        in.int32(ok); // and down
        h.colours = in.int32(ok);
        in.int32(ok); // important colours
        if (h.size >= kWin4Header) {
            for (quint32 &mask : h.masks)
                mask = static_cast<quint32>(in.int32(ok));
            // Colour space type, 9 end points, 3 gammas; then, in the
            // newest header, intent, profile data and size, reserved.
            for (int field = 0; field < 13 + (h.size == kWin5Header ? 4 : 0); ++field)
                in.int32(ok);
        }
    } else {
        h.width = in.int16(ok);
        h.height = in.int16(ok);
        h.planes = in.int16(ok);
        h.bits = in.int16(ok);
    }
    return ok;
}

// Pixels Qt's reader makes room for at most: its allocation limit of 128 MB
// counted at 4 bytes a pixel, whatever the depth.
constexpr quint64 kMaxPixels = quint64(1) << 25;

// The header checks of Qt's reader: a known bit depth, one plane, a
// compression that goes with the depth, and no more pixels than it makes
// room for.
bool headerAccepted(const InfoHeader &h)
{
    const int bits = h.bits;
    const qint32 comp = h.compression;
    if (!(bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32)
        || h.planes != 1 || comp > kBitfields)
        return false;
    if (!(comp == kRgb || (bits == 4 && comp == kRle4) || (bits == 8 && comp == kRle8)
          || ((bits == 16 || bits == 32) && comp == kBitfields)))
        return false;
    if (h.height == INT_MIN || h.width <= 0 || h.height == 0)
        return false;
    return quint64(h.width) * quint64(std::abs(h.height)) <= kMaxPixels;
}

// The run-length data of an 8-bit bitmap as Qt's reader walks it: the one
// place where the pixel data can fail the read (an absolute run cut short).
bool rle8Readable(Cursor &in, qint64 w, qint64 h)
{
    const qint64 bpl = ((w * 8 + 31) / 32) * 4;
    qint64 p = (h - 1) * bpl; // offsets into the image's bytes
    const qint64 end = p + w;
    qint64 x = 0;
    qint64 y = 0;
    while (y < h) {
        int b = in.byte();
        if (b < 0)
            break;
        if (b != 0) { // a run of one pixel
            b = static_cast<int>(std::min<qint64>(b, end - p));
            in.byte();
            x += b;
            p += b;
            continue;
        }
        b = in.byte();
        if (b < 0 || b == 1) // end of the bitmap
            break;
        if (b == 0) { // end of the line
            x = 0;
            ++y;
            p = (h - y - 1) * bpl;
        } else if (b == 2) { // a jump
            const int dx = in.byte();
            const int dy = in.byte();
            // What the reader adds when the bytes have ended is left open
            // there; the next read ends the walk either way.
            x = std::min(x + std::max(dx, 0), w - 1);
            y = std::min(y + std::max(dy, 0), h - 1);
            p = (h - y - 1) * bpl + x;
        } else { // an absolute run of b pixels
            if (p + b > end)
                b = static_cast<uchar>(end - p);
            if (in.skip(b) != b)
                return false;
            if (b & 1)
                in.byte();
            x += b;
            p += b;
        }
    }
    return true;
}

} // namespace

bool readsAsBitmap(QByteArrayView bytes)
{
    Cursor in(bytes);
    bool ok = true;
    const qint64 type = in.field(2, ok);
    in.int32(ok); // file size
    in.int16(ok); // reserved
    in.int16(ok);
    const qint32 dataOffset = in.int32(ok);
    if (!ok || type != ('B' | ('M' << 8)))
        return false;
    InfoHeader h;
    if (!readInfoHeader(in, h) || !headerAccepted(h))
        return false;

    // The body.
    if (in.atEnd())
        return false;
    in.seek(kFileHeader + h.size);
    const bool bitfields = h.compression == kBitfields;
    if (h.size < kWin4Header && bitfields && (h.bits == 16 || h.bits == 32)) {
        for (int mask = 0; mask < 3; ++mask) {
            h.masks[mask] = static_cast<quint32>(in.int32(ok));
            if (!ok)
                return false;
        }
    }
    const int depth = h.bits >= 16 ? 32 : h.bits >= 4 ? 8 : 1;
    const qint64 w = h.width;
    const qint64 height = std::abs(qint64(h.height));
    // Qt's reader takes a mask's lowest set bit for its shift and refuses a
    // mask whose shifted value is all ones.
    if (depth == 32 && bitfields
        && std::find(std::begin(h.masks), std::end(h.masks), 0xffffffffu) != std::end(h.masks))
        return false;
    if (depth != 32) {
        const qint64 colours = h.colours ? h.colours : qint64(1) << h.bits;
        if (colours < 1 || colours > 256)
            return false;
        const int entry = h.size == kOldHeader ? 3 : 4;
        for (qint64 i = 0; i < colours; ++i)
            if (in.skip(entry) != entry || in.atEnd())
                return false;
    }
    const qint64 dataAt = qint64(dataOffset);
    if (dataAt >= 0 && dataAt > in.pos())
        in.seek(dataAt);
    if (h.bits == 8 && h.compression == kRle8)
        return rle8Readable(in, w, height);
    return true;
}

} // namespace quz::check
