#include "check/journal_check.h"

#include "check/native_path.h"
#include "check/picture_check.h"
#include "check/text_check.h"
#include "check/wording.h"
#include "core/files/file_io.h"
#include "core/files/native_names.h"
#include "core/files/text_file.h"
#include "core/journal/journal_entries.h"

namespace quz::check {

namespace {

constexpr qsizetype kEntryLength = 15;

// The number a two-digit field gives, -1 when it is not two digits.
int twoDigitNumber(const QString &field)
{
    if (field.size() != 2 || !field.at(0).isDigit() || !field.at(1).isDigit()
        || field.at(0).unicode() > '9' || field.at(1).unicode() > '9')
        return -1;
    return field.toInt();
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
                  TextRole::Journal);
    findings = facts.findings;
    // A journal in UTF-8 or UTF-16 is checked as it reads once converted.
    const QByteArray &text = facts.converted.isNull() ? *bytes : facts.converted;
    const std::string_view raw(text.constData(), static_cast<size_t>(text.size()));

    const QString kind = QStringLiteral("journal.entry");
    KindLimit limit;
    const QStringList lines = files::linesFromCp1251(raw);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        if (!journal::isErrorEntry(line))
            continue;
        const QString ticket = journal::entryTicket(line);
        const QString question = journal::entryQuestion(line);
        const int t = twoDigitNumber(ticket);
        const int q = twoDigitNumber(question);
        const bool ticketOk = t >= 1 && t <= scope.tickets;
        const bool questionOk = q >= 1 && q <= scope.questions;
        if ((line.size() == kEntryLength && ticketOk && questionOk) || !limit.keep(kind))
            continue;

        QStringList why;
        if (line.size() != kEntryLength)
            why << Text::tr("%1 characters, not 15").arg(line.size());
        if (!ticketOk)
            why << Text::tr("characters 4-5 are not a ticket 01-%1").arg(twoDigits(scope.tickets));
        if (!questionOk)
            why << Text::tr("characters 14-15 are not a question 01-%1")
                       .arg(twoDigits(scope.questions));
        QString message =
            Text::tr("%1 is not a well-formed error entry (%2): the answer "
                     "mode asks ticket %3, question %4")
                .arg(quote(line), why.join(QStringLiteral("; ")), quote(ticket), quote(question));
        if (ticketOk && questionOk) {
            message += Text::tr(", as meant");
        } else if (questions) {
            const bank::QuestionLayout layout =
                bank::locateQuestion(questions->view(), files::toCp1251(ticket),
                                     files::toCp1251(question), questions->search());
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
        findings.push_back(
            Finding{file, static_cast<int>(i) + 1, Severity::Problem, kind, message});
    }
    limit.addNotes(findings, file);
    return findings;
}

} // namespace quz::check
