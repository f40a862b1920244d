#pragma once
// The decisions of the journal answer mode, apart from the window that holds
// its state: which line stays selected when the list turns single-selection,
// where the walk through the journal goes next and what question a line
// names, and what a right answer does to the cursor and the journal. The
// journal window keeps the cursor (the tag of its list) and the selection and
// applies these results; it asks the main window to show the questions.

#include "core/journal/journal_lines.h"

#include <QString>

namespace quz::journal {

// The one line left selected when the list turns single-selection: the line
// that has the focus when any line is selected (the first selected line when
// no line has the focus), the first line when none is selected, and no line
// (-1) in an empty list.
qsizetype singleSelectionRow(qsizetype count, bool anySelected, qsizetype focusRow,
                             qsizetype firstSelectedRow);

// The question an error entry names: its characters 4-5 and 14-15, as they
// stand (shorter or empty for a short line, any characters at all).
struct EntryQuestion {
    QString ticket;
    QString question;
    friend bool operator==(const EntryQuestion &, const EntryQuestion &) = default;
};
EntryQuestion questionOf(std::string_view line);

// One walk from the journal cursor `cursor`: the cursor is raised by one per
// line looked at; a line whose first character is '-' stops the walk with
// its question (`found`), any other line (an empty one counts as a blank) is
// passed over. When the cursor reaches the number of lines the journal is
// done: `found` is false and `cursor` is the first value at or past the end.
struct WalkStep {
    qsizetype cursor = 0;
    bool found = false;
    EntryQuestion entry;
};
WalkStep walk(const JournalLines &lines, qsizetype cursor);

// A right answer in the mode. With deletion the cursor is lowered by one and
// the selected line is deleted, so that the next walk lands on the line that
// followed it; without, nothing changes and the walk goes on after it.
struct RightAnswer {
    qsizetype cursor = 0;
    bool deleteSelected = false;
};
RightAnswer rightAnswer(qsizetype cursor, bool deleteAnswered);

} // namespace quz::journal
