#include "check/program_check.h"

#include "check/bank_index.h"
#include "check/comment_check.h"
#include "check/journal_check.h"
#include "check/native_path.h"
#include "check/picture_check.h"
#include "check/question_check.h"
#include "check/remedy.h"
#include "check/text_check.h"
#include "check/wording.h"
#include "core/bank/comment_bank.h"
#include "core/bank/data_files.h"
#include "core/bank/question_bank.h"
#include "core/files/file_io.h"
#include "core/files/native_names.h"

#include <QFile>

#include <algorithm>
#include <map>
#include <optional>

namespace quz::check {

namespace {

struct BankFile {
    std::optional<BankText> bank;
    std::string_view behindNul;
    QByteArray bytes;
};

// Reads a bank file as the program does and runs the text checks on it; the
// bank stays empty when the file cannot be read. A file in UTF-8 or UTF-16
// is read as what it is, so that its content is checked all the same.
BankFile readBank(const QByteArray &path, const QString &name, TextRole role, const QString &failed,
                  std::vector<Finding> &findings)
{
    BankFile file;
    Outcome<QByteArray> bytes = readNative(path, files::FileKind::Bank);
    if (!bytes) {
        findings.push_back(
            Finding{name, 0, Severity::Problem, QStringLiteral("file.unreadable"),
                    QStringLiteral("%1: %2").arg(failureReason(bytes.error()), failed)});
        return file;
    }
    file.bytes = std::move(bytes).value();
    TextFacts facts = checkText(
        name, std::string_view(file.bytes.constData(), static_cast<size_t>(file.bytes.size())),
        role);
    findings.insert(findings.end(), facts.findings.begin(), facts.findings.end());
    if (!facts.converted.isNull())
        file.bytes = std::move(facts.converted);
    const std::string_view raw(file.bytes.constData(), static_cast<size_t>(file.bytes.size()));
    if (facts.nulAt != std::string_view::npos)
        file.behindNul = raw.substr(facts.nulAt);
    // The bank text exactly as the program holds it.
    if (role == TextRole::Questions) {
        bank::QuestionBank bank;
        bank.setText(raw);
        file.bank.emplace(std::string(bank.text()));
    } else {
        bank::CommentBank bank;
        bank.setText(raw);
        file.bank.emplace(std::string(bank.text()));
    }
    return file;
}

// Names each finding's file by the path the user reaches it by (`dir` joined
// with the name the finding gives) and completes the advice to convert a
// file with the command for that path.
void finish(std::vector<Finding> &findings, const QByteArray *dir)
{
    for (Finding &finding : findings) {
        if (dir) {
            finding.native =
                joinNative(*dir, finding.native.isEmpty() ? finding.file.toUtf8() : finding.native);
            finding.path = files::readablePath(finding.native);
        }
        if (finding.conversion != Encoding::None)
            finding.message += conversionCommand(finding.nativePath(), finding.conversion);
        else if (const QString action = remedy(finding.kind); !action.isEmpty())
            finding.message += QStringLiteral("; ") + action;
    }
}

void appendToNulFinding(std::vector<Finding> &findings, const QString &file, const QString &text)
{
    if (text.isEmpty())
        return;
    for (Finding &finding : findings)
        if (finding.file == file && finding.kind == QStringLiteral("file.nul"))
            finding.message += QStringLiteral("; ") + text;
}

// The note on a question file that holds fewer tickets or questions than the
// program asks: what the program does beyond them and how to stay within.
Finding partialSetNote(const QString &file, const Scope &present, const Scope &asked)
{
    QString message = Text::tr("your set has tickets 01-%1 with questions 01-%2 (%3 of the %4 "
                               "questions the program knows)")
                          .arg(twoDigits(present.tickets), twoDigits(present.questions))
                          .arg(present.tickets * present.questions)
                          .arg(asked.tickets * asked.questions);
    if (present.tickets < asked.tickets)
        message += Text::tr(". After the last question of ticket %1 a run goes on to ticket "
                            "%2, which the program shows empty, without answer buttons; to "
                            "stay within your tickets, leave «Случайно» unticked and, when "
                            "ticket %1 is done, click the ticket number and set it back to "
                            "01")
                       .arg(twoDigits(present.tickets), twoDigits(present.tickets + 1));
    if (present.questions < asked.questions)
        message += Text::tr(". Questions %1-%2 of each ticket are shown empty; to stay "
                            "within your questions, set «Вопросы» to «с 01 по %3»")
                       .arg(twoDigits(present.questions + 1), twoDigits(asked.questions),
                            twoDigits(present.questions));
    return Finding{file, 0, Severity::Note, QStringLiteral("question.partial-set"), message + u'.'};
}

// Checks the question file at `path`; `bank` gets its text as the program
// reads it. The scope the other checks then use: the tickets and questions
// of a partial set, `scope` for any other.
Scope checkQuestionFile(const QByteArray &path, const QString &name, const Scope &scope,
                        Report &report, std::optional<BankText> &bank)
{
    auto &findings = report.findings;
    BankFile questions = readBank(path, name, TextRole::Questions,
                                  Text::tr("at start the program shows an error box and "
                                           "loads no questions and no comments"),
                                  findings);
    if (!questions.bank)
        return scope;
    Scope asked = scope;
    if (const std::optional<Scope> present = partialSet(*questions.bank, scope)) {
        findings.push_back(partialSetNote(name, *present, scope));
        asked = *present;
    }
    QuestionCheck check = checkQuestions(name, *questions.bank, asked, questions.behindNul);
    findings.insert(findings.end(), check.findings.begin(), check.findings.end());
    report.questions = std::move(check.questions);
    appendToNulFinding(findings, name, check.lostBehindNul);
    bank = std::move(questions.bank);
    return asked;
}

// `scope` the tickets and questions that must have comments, `asked` the
// tickets the program asks.
void checkCommentFile(const QByteArray &path, const QString &name, const Scope &scope, int asked,
                      Report &report)
{
    auto &findings = report.findings;
    const BankFile comments = readBank(path, name, TextRole::Comments,
                                       Text::tr("at start the program shows an error box, "
                                                "and every comment is empty"),
                                       findings);
    if (!comments.bank)
        return;
    const CommentCheck check =
        checkComments(name, *comments.bank, scope, comments.behindNul, asked);
    findings.insert(findings.end(), check.findings.begin(), check.findings.end());
    appendToNulFinding(findings, name, check.lostBehindNul);
}

// The question bank of the program directory `dir` and the tickets and
// questions it holds, as the program reads them (nothing when it cannot).
std::optional<BankText> questionBankOf(const QByteArray &dir, Scope &scope)
{
    const Outcome<QByteArray> bytes =
        readNative(joinNative(dir, bank::questionFileName().toUtf8()), files::FileKind::Bank);
    if (!bytes)
        return std::nullopt;
    bank::QuestionBank bank;
    bank.setText(std::string_view(bytes->constData(), static_cast<size_t>(bytes->size())));
    BankText text{std::string(bank.text())};
    if (const std::optional<Scope> present = partialSet(text, scope))
        scope = *present;
    return text;
}

QByteArray folderOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
}

} // namespace

int Report::problems() const
{
    return static_cast<int>(std::count_if(findings.begin(), findings.end(), [](const Finding &f) {
        return f.severity == Severity::Problem;
    }));
}

int Report::notes() const { return static_cast<int>(findings.size()) - problems(); }

void sortFindings(std::vector<Finding> &findings, const QStringList &fileOrder)
{
    const auto rank = [&](const QString &file) {
        const qsizetype at = fileOrder.indexOf(file);
        if (at >= 0)
            return std::make_pair(static_cast<int>(at), QString());
        // The pictures come after the banks, the other named files after them.
        const qsizetype pictures = fileOrder.indexOf(bank::pictureFolder());
        if (pictures >= 0 && file.startsWith(bank::pictureFolder() + u'/'))
            return std::make_pair(static_cast<int>(pictures), file);
        return std::make_pair(static_cast<int>(fileOrder.size()), file);
    };
    // The encoding of a file comes first: every finding after it is about
    // the file as it reads once converted.
    const auto line = [](const Finding &f) {
        return f.kind == QStringLiteral("file.utf8") || f.kind == QStringLiteral("file.utf16")
                   ? -1
                   : f.line;
    };
    std::stable_sort(findings.begin(), findings.end(), [&](const Finding &a, const Finding &b) {
        const auto ra = rank(a.file);
        const auto rb = rank(b.file);
        if (ra != rb)
            return ra < rb;
        return line(a) < line(b);
    });
}

void KindLimit::addNotes(std::vector<Finding> &findings, const QString &file) const
{
    for (const auto &[kind, n] : m_counts)
        if (n > kFindingsPerKind)
            findings.push_back(Finding{file, 0, Severity::Note, kind,
                                       Text::tr("%1 more findings of the kind %2 are not "
                                                "listed")
                                           .arg(n - kFindingsPerKind)
                                           .arg(kind)});
}

QStringList programFileOrder()
{
    return {bank::questionFileName(),    bank::commentFileName(), bank::pictureFolder(),
            bank::placeholderFileName(), bank::helpFileName(),    bank::installNotesFileName()};
}

Report checkProgramDirectory(const QString &dir, const Scope &scope)
{
    return checkProgramDirectory(QFile::encodeName(dir), scope);
}

Report checkProgramDirectory(const QByteArray &dir, const Scope &scope)
{
    Report report;
    auto &findings = report.findings;
    const QString questionFile = bank::questionFileName();
    const QString commentFile = bank::commentFileName();
    std::optional<BankText> questions;
    const Scope asked = checkQuestionFile(joinNative(dir, questionFile.toUtf8()), questionFile,
                                          scope, report, questions);
    checkCommentFile(joinNative(dir, commentFile.toUtf8()), commentFile, asked, scope.tickets,
                     report);

    // Journal files kept in the program directory are checked as well, and
    // so is anything else named like one (a folder, a pipe).
    for (const QByteArray &journal : folderEntries(dir)) {
        if (!journal.endsWith(".quz"))
            continue;
        std::vector<Finding> found =
            checkJournal(files::readablePath(journal), joinNative(dir, journal),
                         questions ? &*questions : nullptr, scope);
        for (Finding &finding : found)
            finding.native = journal;
        findings.insert(findings.end(), found.begin(), found.end());
    }

    const std::vector<Finding> pictures = checkPictures(dir, scope);
    findings.insert(findings.end(), pictures.begin(), pictures.end());
    const std::vector<Finding> support = checkSupportFiles(dir);
    findings.insert(findings.end(), support.begin(), support.end());

    sortFindings(findings, programFileOrder());
    finish(findings, &dir);
    return report;
}

DataKind kindOf(const QByteArray &path)
{
    const QByteArray name = path.mid(path.lastIndexOf('/') + 1);
    if (name == bank::questionFileName().toUtf8())
        return DataKind::Questions;
    if (name == bank::commentFileName().toUtf8())
        return DataKind::Comments;
    const Outcome<QByteArray> bytes = readNative(path, files::FileKind::Picture);
    if (bytes && bytes->startsWith("\xff\xd8\xff"))
        return DataKind::Picture;
    return DataKind::Journal;
}

Report checkFiles(const std::vector<DataFile> &files, const QByteArray &programDir,
                  const Scope &scope)
{
    Report report;
    Scope programScope = scope;
    // The question file of the program's own folder tells what the answer
    // mode shows for an entry that names no question.
    const std::optional<BankText> programQuestions = questionBankOf(programDir, programScope);
    QStringList order;
    for (const auto &[path, kind] : files) {
        const QString name = files::readablePath(path);
        order << name;
        const auto first = static_cast<qsizetype>(report.findings.size());
        std::optional<BankText> questions;
        Scope commentScope = scope;
        switch (kind) {
        case DataKind::Questions: checkQuestionFile(path, name, scope, report, questions); break;
        case DataKind::Comments:
            // The comments go with the question file beside them.
            questionBankOf(folderOf(path), commentScope);
            checkCommentFile(path, name, commentScope, scope.tickets, report);
            break;
        case DataKind::Journal: {
            const std::vector<Finding> found =
                checkJournal(name, path, programQuestions ? &*programQuestions : nullptr, scope);
            report.findings.insert(report.findings.end(), found.begin(), found.end());
            break;
        }
        case DataKind::Picture: {
            const std::vector<Finding> found = checkPictureNamed(name, path);
            report.findings.insert(report.findings.end(), found.begin(), found.end());
            break;
        }
        }
        for (auto it = report.findings.begin() + first; it != report.findings.end(); ++it)
            it->native = path;
    }
    sortFindings(report.findings, order);
    finish(report.findings, nullptr);
    return report;
}

} // namespace quz::check
