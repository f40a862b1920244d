#include "check/journal_check.h"

#include "check/native_path.h"
#include "check/picture_check.h"
#include "check/text_check.h"
#include "check/wording.h"
#include "core/files/file_io.h"
#include "core/files/text_file.h"
#include "core/journal/journal_entries.h"
#include "core/journal/journal_file.h"
#include "core/journal/journal_walk.h"

namespace quz::check {

namespace {

constexpr qsizetype kEntryLength = journal::kEntryLength;

// The number a two-digit field gives, -1 when it is not two digits.
int twoDigitNumber(const QString &field)
{
    if (field.size() != 2 || !field.at(0).isDigit() || !field.at(1).isDigit()
        || field.at(0).unicode() > '9' || field.at(1).unicode() > '9')
        return -1;
    return field.toInt();
}

// The questions the answer mode asks from a journal file's bytes, in order:
// one for each line its walk stops at.
std::vector<journal::EntryQuestion> askedQuestions(std::string_view bytes)
{
    const journal::JournalLines lines =
        journal::parseJournal(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    std::vector<journal::EntryQuestion> asked;
    for (journal::WalkStep step = journal::walk(lines, -1); step.found;
         step = journal::walk(lines, step.cursor))
        asked.push_back(step.entry);
    return asked;
}

// What the program makes of a journal in UTF-8 or UTF-16: the lines it
// shows, and the questions its answer mode asks against those the error
// entries name once the file is converted.
QString answerModeEffect(std::string_view read, std::string_view meant)
{
    const std::vector<journal::EntryQuestion> asked = askedQuestions(read);
    const std::vector<journal::EntryQuestion> named = askedQuestions(meant);
    const QString shown = Text::tr("the journal shows its lines as unreadable text");
    if (asked == named)
        return shown;
    if (asked.empty())
        return shown
               + Text::tr(", and the answer mode does not find its %n error entries", nullptr,
                          static_cast<int>(named.size()));
    return shown
           + Text::tr(", and the answer mode asks other ticket and question numbers than its "
                      "error entries name");
}

// The finding for the error entry on line `row` (0-based) of `lines` that
// does not name a question of `scope` with exactly 15 characters; nothing
// for a well-formed one.
std::optional<Finding> entryFinding(const QString &file, const journal::JournalLines &lines,
                                    qsizetype row, const journal::EntryQuestion &entry,
                                    const BankText *questions, const Scope &scope)
{
    const std::string_view line = lines.bytesAt(row);
    const auto length = static_cast<qsizetype>(line.size());
    const int t = twoDigitNumber(entry.ticket);
    const int q = twoDigitNumber(entry.question);
    const bool ticketOk = t >= 1 && t <= scope.tickets;
    const bool questionOk = q >= 1 && q <= scope.questions;
    if (length == kEntryLength && ticketOk && questionOk)
        return std::nullopt;

    QStringList why;
    if (length != kEntryLength)
        why << Text::tr("%1 characters, not 15").arg(length);
    if (!ticketOk)
        why << Text::tr("characters 4-5 are not a ticket 01-%1").arg(twoDigits(scope.tickets));
    if (!questionOk)
        why << Text::tr("characters 14-15 are not a question 01-%1")
                   .arg(twoDigits(scope.questions));
    // A few characters past what is shown, so that a longer line ends in "…".
    QString message = Text::tr("%1 is not a well-formed error entry (%2): the answer "
                               "mode asks ticket %3, question %4")
                          .arg(quote(line.substr(0, 64)), why.join(QStringLiteral("; ")),
                               quote(entry.ticket), quote(entry.question));
    if (ticketOk && questionOk) {
        message += Text::tr(", as meant");
    } else if (questions) {
        const bank::QuestionLayout layout =
            bank::locateQuestion(questions->view(), files::toCp1251(entry.ticket),
                                 files::toCp1251(entry.question), questions->search());
        if (layout.key == std::string_view::npos)
            message += Text::tr(", which no record has: the program shows an empty "
                                "question without answer buttons");
        else
            message += Text::tr(": the program shows the record %1 on line %2 of the "
                                "question file")
                           .arg(quote(questions->view().substr(layout.key, 9)))
                           .arg(questions->lineOf(layout.key) + 1);
    } else {
        message += Text::tr(", which is not a question the program has");
    }
    return Finding{file, static_cast<int>(row) + 1, Severity::Problem,
                   QStringLiteral("journal.entry"), message};
}

} // namespace

std::vector<Finding> checkJournal(const QString &file, const QByteArray &path,
                                  const BankText *questions, const Scope &scope)
{
    std::vector<Finding> findings;
    const Outcome<QByteArray> bytes = readNative(path, files::FileKind::Journal);
    if (!bytes) {
        findings.push_back(
            Finding{file, 0, Severity::Problem, QStringLiteral("file.unreadable"),
                    Text::tr("%1: the program cannot load it").arg(failureReason(bytes.error()))});
        return findings;
    }
    TextFacts facts =
        checkText(file, std::string_view(bytes->constData(), static_cast<size_t>(bytes->size())),
                  TextRole::Journal, answerModeEffect);
    findings = std::move(facts.findings);
    // A journal in UTF-8 or UTF-16 is checked as it reads once converted;
    // its lines are split, and its error entries found, as the program does.
    const journal::JournalLines lines =
        journal::parseJournal(facts.converted.isNull() ? *bytes : facts.converted);

    KindLimit limit;
    const QString kind = QStringLiteral("journal.entry");
    for (journal::WalkStep step = journal::walk(lines, -1); step.found;
         step = journal::walk(lines, step.cursor)) {
        // Once the kind is full the findings are only counted: no lookups.
        std::optional<Finding> finding = entryFinding(
            file, lines, step.cursor, step.entry, limit.full(kind) ? nullptr : questions, scope);
        if (finding && limit.keep(kind))
            findings.push_back(std::move(*finding));
    }
    limit.addNotes(findings, file);
    return findings;
}

} // namespace quz::check
