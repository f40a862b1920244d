#include "core/files/text_file.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace quz::files {

namespace {

std::string_view beforeNul(std::string_view bytes)
{
    const size_t nul = bytes.find('\0');
    return nul == std::string_view::npos ? bytes : bytes.substr(0, nul);
}

// Calls `line` for every line of `bytes` as splitLines() defines them.
template <class Fn>
void forEachLine(std::string_view bytes, Fn &&line)
{
    bytes = beforeNul(bytes);
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = bytes.size();
        line(bytes.substr(start, end - start));
        if (end < bytes.size() && bytes[end] == '\r')
            ++end;
        if (end < bytes.size() && bytes[end] == '\n')
            ++end;
        start = end;
    }
}

// Windows-1251 to UTF-16 for the bytes 0x80..0xFF; the bytes below are
// ASCII. The code page leaves 0x98 unassigned: it maps to U+0098, so that
// every byte has one character and back, as Qt's converter maps it. A
// constant table: no converter is opened at start (Qt's would bring ICU's
// converter data into memory). The file-reading test compares it with Qt's
// converter for every byte and character.
constexpr std::array<char16_t, 128> kUpperHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, //
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, //
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, //
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, //
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, //
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, //
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, //
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, //
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, //
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F, //
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, //
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, //
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447, //
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

// 0xC0..0xFF are the letters А..я in the order of their codes.
constexpr unsigned kFirstLetterByte = 0xC0;
constexpr char16_t kFirstLetter = 0x0410;
constexpr char16_t kLastLetter = 0x044F;

char16_t decodeByte(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x80 ? char16_t(byte) : kUpperHalf[byte - 0x80];
}

struct CharByte {
    char16_t ch;
    unsigned char byte;
};

// The characters of 0x80..0xBF with their bytes, by character.
constexpr auto kOthersByChar = [] {
    std::array<CharByte, kFirstLetterByte - 0x80> pairs{};
    for (unsigned b = 0x80; b < kFirstLetterByte; ++b)
        pairs[b - 0x80] = {kUpperHalf[b - 0x80], static_cast<unsigned char>(b)};
    std::sort(pairs.begin(), pairs.end(),
              [](const CharByte &x, const CharByte &y) { return x.ch < y.ch; });
    return pairs;
}();

static_assert(kUpperHalf[kFirstLetterByte - 0x80] == kFirstLetter
              && kUpperHalf.back() == kLastLetter && kLastLetter - kFirstLetter == 0xFF - 0xC0);

// The byte of `ch` in the code page, -1 when it has none.
int encodeChar(char16_t ch)
{
    if (ch < 0x80)
        return ch;
    if (ch >= kFirstLetter && ch <= kLastLetter)
        return int(ch - kFirstLetter + kFirstLetterByte);
    const auto at = std::lower_bound(kOthersByChar.begin(), kOthersByChar.end(), ch,
                                     [](const CharByte &pair, char16_t v) { return pair.ch < v; });
    return at != kOthersByChar.end() && at->ch == ch ? at->byte : -1;
}

} // namespace

std::vector<std::string_view> splitLines(std::string_view bytes)
{
    std::vector<std::string_view> lines;
    forEachLine(bytes, [&](std::string_view line) { lines.push_back(line); });
    return lines;
}

std::string normaliseLines(std::string_view bytes)
{
    // Line breaks are found with memchr, one search per CR and one per LF
    // of the text. Runs that already end in CR LF are copied as they are, in
    // one piece, so that a file in the usual form costs little more than one
    // copy; a lone CR or LF becomes CR LF.
    bytes = beforeNul(bytes);
    const char *const end = bytes.data() + bytes.size();
    const auto next = [end](const char *from, char c) {
        if (from >= end) // also an empty text, whose data may be null
            return end;
        const void *at = std::memchr(from, c, static_cast<size_t>(end - from));
        return at ? static_cast<const char *>(at) : end;
    };
    std::string text;
    text.reserve(bytes.size() + 2);
    const char *p = bytes.data();
    const char *run = p; // the start of what is not copied yet
    const char *cr = next(p, '\r');
    const char *lf = next(p, '\n');
    while (p < end) {
        const char *const brk = std::min(cr, lf);
        if (brk == end) { // a last line without a line break
            text.append(run, end);
            text += "\r\n";
            return text;
        }
        if (brk == cr && brk + 1 == lf && lf != end) {
            p = brk + 2;
            cr = next(p, '\r');
            lf = next(p, '\n');
            continue;
        }
        text.append(run, brk);
        text += "\r\n";
        p = run = brk + 1;
        if (brk == cr)
            cr = next(p, '\r');
        else
            lf = next(p, '\n');
    }
    text.append(run, end);
    return text;
}

void normaliseLinesInPlace(QByteArray &bytes)
{
    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    const qsizetype size = bytes.size();
    if (size == 0)
        return;
    // Lone line breaks are counted with one memchr per line break: a file
    // in the usual form (CR LF everywhere) is checked at memchr's speed and
    // left as it is.
    const char *data = bytes.constData();
    const char *const end = data + size;
    qsizetype grown = size;
    for (const char *p = data;
         (p = static_cast<const char *>(std::memchr(p, '\n', size_t(end - p)))); ++p)
        if (p == data || p[-1] != '\r')
            ++grown;
    for (const char *p = data;
         (p = static_cast<const char *>(std::memchr(p, '\r', size_t(end - p)))); ++p)
        if (p + 1 == end || p[1] != '\n')
            ++grown;
    const bool openLast = data[size - 1] != '\r' && data[size - 1] != '\n';
    if (openLast)
        grown += 2;
    if (grown == size)
        return;

    // From the end backwards: the write position never falls behind the read
    // position, so every byte is read before it is overwritten.
    bytes.resize(grown);
    char *out = bytes.data();
    qsizetype w = grown;
    if (openLast) {
        out[--w] = '\n';
        out[--w] = '\r';
    }
    for (qsizetype r = size - 1; r >= 0; --r) {
        const char c = out[r];
        if (c == '\n' || c == '\r') {
            if (c == '\n' && r > 0 && out[r - 1] == '\r')
                --r;
            out[--w] = '\n';
            out[--w] = '\r';
        } else {
            out[--w] = c;
        }
    }
}

QString fromCp1251(std::string_view bytes)
{
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char c : bytes)
        *out++ = QChar(decodeByte(c));
    return text;
}

void appendCp1251(QString &text, std::string_view bytes)
{
    const qsizetype at = text.size();
    // Exactly the room needed: resize() alone may grow the buffer by half.
    text.reserve(at + static_cast<qsizetype>(bytes.size()));
    text.resize(at + static_cast<qsizetype>(bytes.size()));
    QChar *out = text.data() + at;
    for (const char c : bytes)
        *out++ = QChar(decodeByte(c));
}

std::string toCp1251(const QString &text)
{
    std::string out(static_cast<size_t>(text.size()), '?');
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int byte = encodeChar(text.at(i).unicode());
        if (byte >= 0)
            out[static_cast<size_t>(i)] = static_cast<char>(byte);
    }
    return out;
}

bool fitsCp1251(const QString &text)
{
    for (const QChar ch : text)
        if (encodeChar(ch.unicode()) < 0)
            return false;
    return true;
}

QStringList linesFromCp1251(std::string_view bytes)
{
    QStringList lines;
    forEachLine(bytes, [&](std::string_view line) { lines << fromCp1251(line); });
    return lines;
}

QString displayText(std::string_view bytes)
{
    QString text;
    bool first = true;
    forEachLine(bytes, [&](std::string_view line) {
        if (!first)
            text += u'\n';
        first = false;
        text += fromCp1251(line);
    });
    return text;
}

QString displayText(const QString &crLfText)
{
    return QString(crLfText).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace quz::files
