#include "core/files/text_file.h"

#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

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

// Windows-1251 to UTF-16, one unit per byte: a table made once by Qt's codec.
const std::array<char16_t, 256> &cp1251Table()
{
    static const std::array<char16_t, 256> table = [] {
        std::array<char16_t, 256> t{};
        char all[256];
        for (int i = 0; i < 256; ++i)
            all[i] = static_cast<char>(i);
        QStringDecoder decoder("windows-1251");
        const QString decoded = decoder.decode(QByteArrayView(all, 256));
        for (int i = 0; i < 256; ++i)
            t[static_cast<size_t>(i)] = i < decoded.size() ? decoded.at(i).unicode() : u'?';
        return t;
    }();
    return table;
}

// UTF-16 to Windows-1251: the byte of every character the code page holds,
// -1 for the others.
const std::array<short, 65536> &cp1251Bytes()
{
    static const auto table = [] {
        auto t = std::make_unique<std::array<short, 65536>>();
        t->fill(-1);
        const auto &decode = cp1251Table();
        for (int i = 255; i >= 0; --i)
            (*t)[decode[static_cast<size_t>(i)]] = static_cast<short>(i);
        return t;
    }();
    return *table;
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
    qsizetype grown = size;
    const char *data = bytes.constData();
    for (qsizetype i = 0; i < size; ++i)
        if ((data[i] == '\r' && (i + 1 >= size || data[i + 1] != '\n'))
            || (data[i] == '\n' && (i == 0 || data[i - 1] != '\r')))
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
    const auto &table = cp1251Table();
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char c : bytes)
        *out++ = QChar(table[static_cast<unsigned char>(c)]);
    return text;
}

void appendCp1251(QString &text, std::string_view bytes)
{
    const auto &table = cp1251Table();
    const qsizetype at = text.size();
    // Exactly the room needed: resize() alone may grow the buffer by half.
    text.reserve(at + static_cast<qsizetype>(bytes.size()));
    text.resize(at + static_cast<qsizetype>(bytes.size()));
    QChar *out = text.data() + at;
    for (const char c : bytes)
        *out++ = QChar(table[static_cast<unsigned char>(c)]);
}

std::string toCp1251(const QString &text)
{
    const auto &table = cp1251Bytes();
    std::string out(static_cast<size_t>(text.size()), '?');
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int byte = table[text.at(i).unicode()];
        if (byte >= 0)
            out[static_cast<size_t>(i)] = static_cast<char>(byte);
    }
    return out;
}

bool fitsCp1251(const QString &text)
{
    const auto &table = cp1251Bytes();
    for (const QChar ch : text)
        if (table[ch.unicode()] < 0)
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
