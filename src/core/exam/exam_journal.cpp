#include "core/exam/exam_journal.h"

#include "core/exam/exam_session.h"
#include "core/journal/journal_entries.h"
#include "core/journal/journal_file.h"

namespace quz::exam {

journal::JournalLines errorJournal(const ExamSession &session, const QString &startedAt)
{
    journal::JournalLines lines;
    lines.append(journal::startEntry(startedAt, session.ticketText()));
    for (const ExamQuestion &q : session.questions()) {
        if (q.mark == Mark::Wrong || q.mark == Mark::Missed)
            lines.append(journal::errorEntry(q.ticketText(), q.numberText()));
    }
    return lines;
}

Status writeErrorJournal(const QString &path, const ExamSession &session, const QString &startedAt)
{
    return journal::writeJournalFile(path, errorJournal(session, startedAt));
}

} // namespace quz::exam
