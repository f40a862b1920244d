#include "core/record/journal_exchange.h"

#include "core/files/file_io.h"
#include "core/journal/journal_entries.h"
#include "core/journal/journal_file.h"
#include "core/record/record_types.h"

#include <QFileInfo>

namespace quz::record {

namespace {

// A two-digit field within [1, last]; nothing otherwise.
std::optional<int> twoDigitNumber(const QString &field, int last)
{
    if (field.size() != 2 || !field[0].isDigit() || !field[1].isDigit())
        return std::nullopt;
    const int number = field.toInt();
    if (number < 1 || number > last)
        return std::nullopt;
    return number;
}

QString twoDigits(int number) { return QStringLiteral("%1").arg(number, 2, 10, QChar(u'0')); }

} // namespace

JournalErrors journalErrors(const QByteArray &journalBytes)
{
    const journal::JournalLines lines = journal::parseJournal(journalBytes);
    JournalErrors errors;
    for (qsizetype row = 0; row < lines.size(); ++row) {
        const std::string_view bytes = lines.bytesAt(row);
        if (bytes.empty() || bytes.front() != '-')
            continue;
        const QString line = lines.at(row);
        const std::optional<int> ticket = twoDigitNumber(journal::entryTicket(line), kTickets);
        const std::optional<int> question =
            twoDigitNumber(journal::entryQuestion(line), kQuestionsPerTicket);
        if (ticket && question)
            errors.entries.push_back({*ticket, *question});
        else
            ++errors.unreadable;
    }
    return errors;
}

Outcome<JournalFile> readJournalForImport(const QString &path)
{
    Outcome<QByteArray> bytes = files::readFileBytes(path, files::FileKind::Journal);
    if (!bytes)
        return Failure{bytes.error()};
    return JournalFile{QFileInfo(path).fileName(), std::move(bytes).value()};
}

journal::JournalLines weakQuestionJournal(const QString &nowText,
                                          const std::vector<QuestionRef> &questions)
{
    journal::JournalLines lines;
    const int firstTicket = questions.empty() ? 1 : questions.front().ticket;
    lines.append(journal::startEntry(nowText, twoDigits(firstTicket)));
    for (const QuestionRef &q : questions)
        lines.append(journal::errorEntry(twoDigits(q.ticket), twoDigits(q.question)));
    return lines;
}

Status writeWeakQuestionJournal(const QString &path, const QString &nowText,
                                const std::vector<QuestionRef> &questions)
{
    return journal::writeJournalFile(path, weakQuestionJournal(nowText, questions));
}

} // namespace quz::record
