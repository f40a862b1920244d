#include "core/journal/journal_lines.h"

#include "core/files/file_io.h"
#include "core/files/text_file.h"

#include <algorithm>
#include <cstring>

namespace quz::journal {

namespace {

// Removed lines leave their bytes in the store until they are more than half
// of it and at least this much.
constexpr qsizetype kReclaimFloor = 1 << 20;

inline bool isBreak(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte <= '\r' && (byte == '\r' || byte == '\n');
}

void blankLineBreaks(char *begin, char *end)
{
    std::replace_if(
        begin, end, [](char c) { return isBreak(c); }, ' ');
}

// The first CR or LF in [from, end), `end` when there is none. Short lines,
// the usual ones, are looked at byte by byte; the rest of a longer one in
// blocks searched for each of the two characters.
const char *findBreak(const char *from, const char *end)
{
    constexpr qsizetype kShort = 64;
    constexpr qsizetype kBlock = 4096;
    const char *const shortEnd = end - from > kShort ? from + kShort : end;
    for (; from < shortEnd; ++from)
        if (isBreak(*from))
            return from;
    while (from < end) {
        const char *const blockEnd = end - from > kBlock ? from + kBlock : end;
        const auto size = [&](const char *limit) { return static_cast<size_t>(limit - from); };
        const auto *lf = static_cast<const char *>(std::memchr(from, '\n', size(blockEnd)));
        const char *const limit = lf ? lf : blockEnd;
        if (const auto *cr = static_cast<const char *>(std::memchr(from, '\r', size(limit))))
            return cr;
        if (lf)
            return lf;
        from = blockEnd;
    }
    return end;
}

} // namespace

std::vector<RowRange> mergeRanges(std::vector<RowRange> ranges)
{
    std::erase_if(ranges, [](const RowRange &r) { return r.count <= 0; });
    std::sort(ranges.begin(), ranges.end(),
              [](const RowRange &a, const RowRange &b) { return a.first < b.first; });
    std::vector<RowRange> merged;
    for (const RowRange &r : ranges) {
        if (!merged.empty() && r.first <= merged.back().first + merged.back().count) {
            RowRange &tail = merged.back();
            tail.count = std::max(tail.first + tail.count, r.first + r.count) - tail.first;
        } else {
            merged.push_back(r);
        }
    }
    return merged;
}

JournalLines::JournalLines(const QStringList &lines)
{
    m_starts.reserve(static_cast<size_t>(lines.size()));
    for (const QString &line : lines)
        append(line);
}

JournalLines JournalLines::fromText(QByteArray text)
{
    JournalLines lines;
    const char *const begin = text.constData();
    const qsizetype size = text.size();
    // Room for a line per line break (CR LF counted twice), a last line
    // without one, and the entries of many runs after it; the part left
    // unused is never touched.
    const auto breaks = std::count_if(begin, begin + size, [](char c) { return isBreak(c); });
    lines.m_starts.reserve(static_cast<size_t>(breaks + breaks / 8) + 64);
    files::preferHugePages(lines.m_starts.data(),
                           static_cast<qsizetype>(lines.m_starts.capacity() * sizeof(qsizetype)));
    qsizetype start = 0;
    for (qsizetype i = 0; i < size; ++i) {
        if (!isBreak(begin[i]))
            continue;
        lines.m_starts.push_back(start);
        lines.m_liveBytes += i - start;
        if (begin[i] == '\r' && i + 1 < size && begin[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < size) {
        lines.m_starts.push_back(start);
        lines.m_liveBytes += size - start;
        text.append('\n');
    }
    lines.addSegment(std::move(text), false);
    return lines;
}

const JournalLines::Segment &JournalLines::segmentOf(qsizetype offset) const
{
    if (m_segments.size() == 1)
        return m_segments.front();
    const auto after =
        std::upper_bound(m_segments.begin(), m_segments.end(), offset,
                         [](qsizetype at, const Segment &segment) { return at < segment.base; });
    return *(after - 1);
}

void JournalLines::addSegment(QByteArray bytes, bool growable)
{
    const qsizetype size = bytes.size();
    m_segments.push_back({m_size, std::move(bytes), growable});
    m_size += size;
}

std::string_view JournalLines::headAt(qsizetype row, qsizetype most) const
{
    const qsizetype start = m_starts[static_cast<size_t>(row)];
    const Segment &segment = segmentOf(start);
    const char *const from = segment.bytes.constData() + (start - segment.base);
    const qsizetype left = segment.base + segment.bytes.size() - start;
    const char *const end = from + std::min(std::max<qsizetype>(0, most), left);
    return std::string_view(from, static_cast<size_t>(findBreak(from, end) - from));
}

std::string_view JournalLines::bytesAt(qsizetype row) const { return headAt(row, m_size); }

QString JournalLines::at(qsizetype row) const { return files::fromCp1251(bytesAt(row)); }

std::optional<QString> JournalLines::last() const
{
    if (m_starts.empty())
        return std::nullopt;
    return at(size() - 1);
}

QStringList JournalLines::toStringList() const
{
    QStringList all;
    all.reserve(size());
    for (qsizetype row = 0; row < size(); ++row)
        all << at(row);
    return all;
}

void JournalLines::append(const QString &line) { appendBytes(files::toCp1251(line)); }

void JournalLines::appendBytes(std::string_view line)
{
    if (m_segments.empty() || !m_segments.back().growable)
        addSegment(QByteArray(), true);
    QByteArray &tail = m_segments.back().bytes;
    const auto length = static_cast<qsizetype>(line.size());
    const qsizetype at = tail.size();
    tail.append(line.data(), length);
    blankLineBreaks(tail.data() + at, tail.data() + tail.size());
    tail.append('\n');
    m_starts.push_back(m_size);
    m_size += length + 1;
    m_liveBytes += length;
}

void JournalLines::append(const JournalLines &other)
{
    if (&other == this) {
        const JournalLines copy = other;
        append(copy);
        return;
    }
    // The other store's segments as they are, shared, not copied; lines
    // appended later go to a segment of their own.
    const qsizetype base = m_size;
    for (const Segment &segment : other.m_segments) {
        m_segments.push_back({base + segment.base, segment.bytes, false});
        m_size += segment.bytes.size();
    }
    m_starts.reserve(m_starts.size() + other.m_starts.size());
    for (const qsizetype start : other.m_starts)
        m_starts.push_back(base + start);
    m_liveBytes += other.m_liveBytes;
}

void JournalLines::remove(const std::vector<RowRange> &ranges)
{
    if (ranges.empty())
        return;
    // One pass over the starts: every kept line moves down once.
    size_t write = static_cast<size_t>(ranges.front().first);
    size_t read = write;
    for (const RowRange &range : ranges) {
        const auto first = static_cast<size_t>(range.first);
        const auto end = std::min(m_starts.size(), first + static_cast<size_t>(range.count));
        while (read < first)
            m_starts[write++] = m_starts[read++];
        for (; read < end; ++read)
            m_liveBytes -= static_cast<qsizetype>(bytesAt(static_cast<qsizetype>(read)).size());
    }
    while (read < m_starts.size())
        m_starts[write++] = m_starts[read++];
    m_starts.resize(write);
    reclaimIfWasteful();
}

void JournalLines::clear()
{
    std::vector<Segment>().swap(m_segments);
    std::vector<qsizetype>().swap(m_starts);
    m_size = 0;
    m_liveBytes = 0;
}

void JournalLines::reserve(qsizetype bytes, qsizetype lines)
{
    bytes = std::max<qsizetype>(0, bytes);
    lines = std::max<qsizetype>(0, lines);
    if (m_segments.empty() || !m_segments.back().growable)
        addSegment(QByteArray(), true);
    QByteArray &tail = m_segments.back().bytes;
    tail.reserve(tail.size() + bytes + lines);
    m_starts.reserve(m_starts.size() + static_cast<size_t>(lines));
}

void JournalLines::reclaimIfWasteful()
{
    // What the lines need: their bytes and one line break each.
    const qsizetype needed = m_liveBytes + size();
    if (m_size - needed < std::max(kReclaimFloor, needed))
        return;
    QByteArray kept;
    kept.reserve(needed);
    for (qsizetype row = 0; row < size(); ++row) {
        const std::string_view line = bytesAt(row);
        const qsizetype offset = kept.size();
        kept.append(line.data(), static_cast<qsizetype>(line.size()));
        kept.append('\n');
        m_starts[static_cast<size_t>(row)] = offset;
    }
    std::vector<Segment>().swap(m_segments);
    m_size = 0;
    addSegment(std::move(kept), true);
}

} // namespace quz::journal
