#pragma once
// The errors of an exam as an error journal that quz loads and replays in its
// journal answer mode: one start entry for the exam's ticket, then one error
// entry for every question the verdict counted as an error (answered wrongly
// or not at all), in the order asked, in the very form quz writes them.

#include "core/files/outcome.h"
#include "core/journal/journal_lines.h"

#include <QString>

namespace quz::exam {

class ExamSession;

// `startedAt` is the date and time the exam began, as quz writes it in a
// start entry. Every error is written, also when the one before it has the
// same question number: they are questions of different tickets, each worth
// answering again. An exam without errors gives the start entry alone.
journal::JournalLines errorJournal(const ExamSession &session, const QString &startedAt);

// Writes errorJournal() to `path` (Windows-1251, CR LF) through the atomic
// writer; on failure the file that was there is left as it was.
Status writeErrorJournal(const QString &path, const ExamSession &session, const QString &startedAt);

} // namespace quz::exam
