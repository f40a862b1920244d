#include "core/journal/journal_walk.h"

#include "core/files/text_file.h"
#include "core/journal/journal_entries.h"

namespace quz::journal {

qsizetype singleSelectionRow(qsizetype count, bool anySelected, qsizetype focusRow,
                             qsizetype firstSelectedRow)
{
    if (count <= 0)
        return -1;
    if (!anySelected)
        return 0;
    if (focusRow >= 0 && focusRow < count)
        return focusRow;
    if (firstSelectedRow >= 0 && firstSelectedRow < count)
        return firstSelectedRow;
    return 0;
}

EntryQuestion questionOf(std::string_view line)
{
    // One character per byte: the fields sit where they sit in the text.
    const QString head = files::fromCp1251(line.substr(0, kEntryLength));
    return {entryTicket(head), entryQuestion(head)};
}

WalkStep walk(const JournalLines &lines, qsizetype cursor)
{
    const qsizetype count = lines.size();
    for (++cursor; cursor < count; ++cursor) {
        if (cursor < 0 || lines.headAt(cursor, 1) != "-")
            continue;
        // The fields end at character 15: a longer line is not read further.
        return {cursor, true, questionOf(lines.headAt(cursor, kEntryLength))};
    }
    return {cursor, false, {}};
}

RightAnswer rightAnswer(qsizetype cursor, bool deleteAnswered)
{
    if (!deleteAnswered)
        return {cursor, false};
    return {cursor - 1, true};
}

} // namespace quz::journal
