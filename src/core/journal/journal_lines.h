#pragma once
// The lines of the error journal, held the way a journal file holds them:
// Windows-1251 bytes, one byte per character, no line breaks. All lines live
// in one byte store with a small record (offset, length) per line, so that a
// journal of a million lines is two allocations, reading its last line costs
// the same as in a journal of ten, and a journal file's bytes become lines in
// one pass. Not responsible for the file format (journal_file.h) or for the
// meaning of a line (journal_entries.h).

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quz::journal {

// A run of consecutive lines.
struct RowRange {
    qsizetype first = 0;
    qsizetype count = 0;
    friend bool operator==(const RowRange &, const RowRange &) = default;
};

// Sorts the ranges and joins those that overlap or touch; empty ones are
// dropped.
std::vector<RowRange> mergeRanges(std::vector<RowRange> ranges);

class JournalLines {
public:
    JournalLines() = default;
    // Lines given as text (see append()).
    explicit JournalLines(const QStringList &lines);

    qsizetype size() const { return static_cast<qsizetype>(m_lines.size()); }
    bool isEmpty() const { return m_lines.empty(); }

    // The bytes of line `row` (0 <= row < size()).
    std::string_view bytesAt(qsizetype row) const;
    // Line `row` as text.
    QString at(qsizetype row) const;
    // The last line, nothing for an empty journal.
    std::optional<QString> last() const;
    QStringList toStringList() const;

    // Appends one line. Characters that Windows-1251 lacks become '?', so the
    // journal shows exactly what a save writes; a CR or LF becomes a blank,
    // since a line never holds a line break.
    void append(const QString &line);
    // Appends one line of Windows-1251 bytes (CR and LF become blanks).
    void appendBytes(std::string_view line);
    // Appends every line of `other`, in order.
    void append(const JournalLines &other);

    // Removes the lines of the ranges (as mergeRanges() leaves them: sorted,
    // disjoint, inside the journal) in one pass.
    void remove(const std::vector<RowRange> &ranges);
    void clear();
    // Room for `lines` more lines of `bytes` bytes in all.
    void reserve(qsizetype bytes, qsizetype lines);

    // Bytes of the store, including those of removed lines not yet reclaimed.
    qsizetype storeSize() const { return static_cast<qsizetype>(m_bytes.size()); }

private:
    struct Line {
        qsizetype offset;
        qsizetype length;
    };
    void reclaimIfWasteful();

    std::string m_bytes;
    std::vector<Line> m_lines;
    qsizetype m_liveBytes = 0;
};

} // namespace quz::journal
