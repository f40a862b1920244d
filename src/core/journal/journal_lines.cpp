#include "core/journal/journal_lines.h"

#include "core/files/text_file.h"

#include <algorithm>

namespace quz::journal {

namespace {

// Removed lines leave their bytes in the store until they are more than half
// of it and at least this much.
constexpr qsizetype kReclaimFloor = 1 << 20;

void blankLineBreaks(char *begin, char *end)
{
    std::replace_if(
        begin, end, [](char c) { return c == '\r' || c == '\n'; }, ' ');
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
    m_lines.reserve(static_cast<size_t>(lines.size()));
    for (const QString &line : lines)
        append(line);
}

std::string_view JournalLines::bytesAt(qsizetype row) const
{
    const Line &line = m_lines[static_cast<size_t>(row)];
    return std::string_view(m_bytes).substr(static_cast<size_t>(line.offset),
                                            static_cast<size_t>(line.length));
}

QString JournalLines::at(qsizetype row) const { return files::fromCp1251(bytesAt(row)); }

std::optional<QString> JournalLines::last() const
{
    if (m_lines.empty())
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
    const auto offset = static_cast<qsizetype>(m_bytes.size());
    m_bytes.append(line);
    blankLineBreaks(m_bytes.data() + offset, m_bytes.data() + m_bytes.size());
    const auto length = static_cast<qsizetype>(line.size());
    m_lines.push_back({offset, length});
    m_liveBytes += length;
}

void JournalLines::append(const JournalLines &other)
{
    if (&other == this) {
        const JournalLines copy = other;
        append(copy);
        return;
    }
    reserve(other.m_liveBytes, other.size());
    for (qsizetype row = 0; row < other.size(); ++row)
        appendBytes(other.bytesAt(row));
}

void JournalLines::remove(const std::vector<RowRange> &ranges)
{
    if (ranges.empty())
        return;
    // One pass over the records: every kept line moves down once.
    size_t write = static_cast<size_t>(ranges.front().first);
    size_t read = write;
    for (size_t i = 0; i < ranges.size(); ++i) {
        const auto first = static_cast<size_t>(ranges[i].first);
        const auto end = std::min(m_lines.size(), first + static_cast<size_t>(ranges[i].count));
        while (read < first)
            m_lines[write++] = m_lines[read++];
        for (; read < end; ++read)
            m_liveBytes -= m_lines[read].length;
    }
    while (read < m_lines.size())
        m_lines[write++] = m_lines[read++];
    m_lines.resize(write);
    reclaimIfWasteful();
}

void JournalLines::clear()
{
    std::string().swap(m_bytes);
    std::vector<Line>().swap(m_lines);
    m_liveBytes = 0;
}

void JournalLines::reserve(qsizetype bytes, qsizetype lines)
{
    m_bytes.reserve(m_bytes.size() + static_cast<size_t>(std::max<qsizetype>(0, bytes)));
    m_lines.reserve(m_lines.size() + static_cast<size_t>(std::max<qsizetype>(0, lines)));
}

void JournalLines::reclaimIfWasteful()
{
    const auto held = static_cast<qsizetype>(m_bytes.size());
    if (held - m_liveBytes < std::max(kReclaimFloor, m_liveBytes))
        return;
    std::string kept;
    kept.reserve(static_cast<size_t>(m_liveBytes));
    for (Line &line : m_lines) {
        const qsizetype offset = static_cast<qsizetype>(kept.size());
        kept.append(m_bytes, static_cast<size_t>(line.offset), static_cast<size_t>(line.length));
        line.offset = offset;
    }
    m_bytes.swap(kept);
}

} // namespace quz::journal
