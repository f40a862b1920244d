// Journal files of any bytes: no byte but the line breaks is dropped; the
// lines read back from what was written are the lines that were read, byte
// for byte; the walk through them always ends
// inside the journal; removing lines keeps the others in order.
#include "core/journal/journal_entries.h"
#include "core/journal/journal_file.h"
#include "core/journal/journal_walk.h"

#include <cstdint>
#include <cstdlib>

using namespace quz::journal;

namespace {

void check(bool ok)
{
    if (!ok)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    JournalLines lines = parseJournal(bytes.toByteArray());

    const QByteArray written = journalBytes(lines);
    const JournalLines again = parseJournal(written);
    check(again.size() == lines.size());
    qsizetype expectedSize = 0;
    for (qsizetype row = 0; row < lines.size(); ++row) {
        const std::string_view line = lines.bytesAt(row);
        check(line == again.bytesAt(row));
        check(line.find_first_of("\r\n") == std::string_view::npos);
        expectedSize += static_cast<qsizetype>(line.size()) + 2;
    }
    check(written.size() == expectedSize);
    // Every byte that is not a line break is in a line.
    const qsizetype breaks = bytes.count('\r') + bytes.count('\n');
    check(expectedSize - 2 * lines.size() == bytes.size() - breaks);
    check(journalBytes(again) == written);

    // Every walk from the top finds error entries in order and ends just
    // past the last line.
    qsizetype steps = 0;
    WalkStep step = walk(lines, -1);
    while (step.found) {
        check(step.cursor >= 0 && step.cursor < lines.size());
        check(lines.bytesAt(step.cursor).front() == '-');
        check(step.entry.ticket.size() <= 2 && step.entry.question.size() <= 2);
        check(++steps <= lines.size());
        step = walk(lines, step.cursor);
    }
    check(step.cursor == lines.size());
    (void)isDuplicateError(lines.last(), QStringLiteral("12"));

    // Removing every other line leaves the rest in order.
    std::vector<RowRange> odd;
    for (qsizetype row = 1; row < lines.size(); row += 2)
        odd.push_back({row, 1});
    const qsizetype before = lines.size();
    lines.remove(mergeRanges(odd));
    check(lines.size() == before - static_cast<qsizetype>(odd.size()));
    for (qsizetype row = 0; row < lines.size(); ++row)
        check(lines.bytesAt(row) == again.bytesAt(row * 2));
    return 0;
}
