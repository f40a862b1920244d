#pragma once
// The lines of the error journal that the program writes and reads back: the
// start entry of a run, the error entry of a wrongly answered question, the
// test that keeps a repeated error out of the journal, the fields the journal
// answer mode reads from an error entry, and the text the journal shows until
// real content arrives. Journal files are journal_file.h; the lines
// themselves are held by the journal's list model (journal_model.h).
//
// Positions are 1-based character positions, one character per QChar, which
// is one character of the journal's single-byte code page.

#include <QString>
#include <QStringList>

#include <optional>

namespace quz::journal {

// The characters of an error entry with two-digit numbers; the duplicate test
// and the walk read no further into a line.
inline constexpr qsizetype kEntryLength = 15;

// "Старт " + dateTime + " Билет " + ticket.
QString startEntry(const QString &dateTime, const QString &ticket);

// "-> " + ticket + " вопрос " + question; 15 characters when both numbers have
// two digits, with the ticket at characters 4-5 and the question at 14-15.
QString errorEntry(const QString &ticket, const QString &question);

// Whether the line is an error entry: its first character is '-'. The kind of
// a line is told by that character alone.
bool isErrorEntry(const QString &line);

// Whether a wrong answer to `question` must not be written: the journal's last
// line is an error entry whose characters 14-15 equal `question`. The ticket is
// not compared. An empty journal (no last line) gives false. Lines shorter
// than 15 characters are compared with what they have, never read past their
// end.
bool isDuplicateError(const std::optional<QString> &lastLine, const QString &question);

// Characters 4-5 of the line as they stand; shorter (or empty) for a short line.
QString entryTicket(const QString &line);

// Characters 14-15 of the line as they stand; shorter (or empty) for a short line.
QString entryQuestion(const QString &line);

// The 28 lines the journal holds at program start: how to load a journal,
// that loading appends, how to replay it, and a closing signature. None of
// them begins with '-', so the replay passes over all of them.
QStringList placeholderLines();

} // namespace quz::journal
