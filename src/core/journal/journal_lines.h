#pragma once
// The lines of the error journal, held the way a journal file holds them:
// Windows-1251 bytes, one byte per character, each line followed by its line
// break. The bytes live in a few large segments (a loaded file's buffer as it
// was read, never grown or copied; the lines appended since in a segment of
// their own), with the offset of each line's start beside them, so that a
// journal of a million lines is a handful of allocations, a journal file's
// bytes become lines where they were read, appending a line never copies a
// loaded file, reading the last line costs the same as in a journal of ten,
// and the start of a line (all that the list shows, the walk and the
// duplicate test read) costs the same however long the line is. Not
// responsible for the file format (journal_file.h) or for the meaning of a
// line (journal_entries.h).

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
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

    // The lines of a text: it is split at CR LF, at a lone CR and at a lone
    // LF; every other byte, NUL included, is a character of its line. A last
    // line without a line break counts; a text that ends with a line break
    // has no empty line after it. The lines stay in `text`'s own buffer.
    static JournalLines fromText(QByteArray text);

    qsizetype size() const { return static_cast<qsizetype>(m_starts.size()); }
    bool isEmpty() const { return m_starts.empty(); }

    // The bytes of line `row` (0 <= row < size()); costs the line's length.
    std::string_view bytesAt(qsizetype row) const;
    // At most the first `most` bytes of line `row`; costs at most `most`.
    std::string_view headAt(qsizetype row, qsizetype most) const;
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

    // The bytes of all lines, line breaks not counted.
    qsizetype textSize() const { return m_liveBytes; }
    // Bytes of the store: the lines, their line breaks, and the bytes of
    // removed lines not yet reclaimed.
    qsizetype storeSize() const { return m_size; }

private:
    // Bytes at offsets [base, base + bytes.size()) of the store. Every line
    // lies in one segment and is followed there by CR, LF or CR LF.
    struct Segment {
        qsizetype base = 0;
        QByteArray bytes;
        // Lines are appended to it (it is the store's own, not a file's).
        bool growable = false;
    };
    const Segment &segmentOf(qsizetype offset) const;
    void addSegment(QByteArray bytes, bool growable);
    void reclaimIfWasteful();

    std::vector<Segment> m_segments;
    qsizetype m_size = 0;
    std::vector<qsizetype> m_starts;
    // The bytes of the lines, line breaks not counted.
    qsizetype m_liveBytes = 0;
};

} // namespace quz::journal
