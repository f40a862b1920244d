#include "check/program_check.h"

#include "check/bank_index.h"
#include "check/comment_check.h"
#include "check/journal_check.h"
#include "check/native_path.h"
#include "check/picture_check.h"
#include "check/question_check.h"
#include "check/text_check.h"
#include "check/wording.h"
#include "core/bank/comment_bank.h"
#include "core/bank/data_files.h"
#include "core/bank/picture_store.h"
#include "core/bank/question_bank.h"
#include "core/files/file_io.h"

#include <QDir>

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
// bank stays empty when the file cannot be read or its content is misread as
// a whole.
BankFile readBank(const QByteArray &dir, const QString &name, TextRole role, const QString &failed,
                  std::vector<Finding> &findings)
{
    BankFile file;
    Outcome<QByteArray> bytes =
        files::readNativeFileBytes(joinNative(dir, name.toUtf8()), files::FileKind::Bank);
    if (!bytes) {
        findings.push_back(
            Finding{name, 0, Severity::Problem, QStringLiteral("file.unreadable"),
                    QStringLiteral("%1: %2").arg(failureReason(bytes.error()), failed)});
        return file;
    }
    file.bytes = std::move(bytes).value();
    const std::string_view raw(file.bytes.constData(), static_cast<size_t>(file.bytes.size()));
    const TextFacts facts = checkText(name, raw, role);
    findings.insert(findings.end(), facts.findings.begin(), facts.findings.end());
    if (facts.unreadable)
        return file;
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
            finding.path = readableName(finding.native);
        }
        if (finding.conversion != Encoding::None)
            finding.message += conversionCommand(finding.nativePath(), finding.conversion);
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
        const qsizetype pictures = fileOrder.indexOf(QStringLiteral("bmp"));
        if (pictures >= 0 && file.startsWith(QStringLiteral("bmp/")))
            return std::make_pair(static_cast<int>(pictures), file);
        return std::make_pair(static_cast<int>(fileOrder.size()), file);
    };
    std::stable_sort(findings.begin(), findings.end(), [&](const Finding &a, const Finding &b) {
        const auto ra = rank(a.file);
        const auto rb = rank(b.file);
        if (ra != rb)
            return ra < rb;
        return a.line < b.line;
    });
}

void KindLimit::addNotes(std::vector<Finding> &findings, const QString &file) const
{
    for (const auto &[kind, n] : m_counts)
        if (n > kFindingsPerKind)
            findings.push_back(Finding{file, 0, Severity::Note, kind,
                                       QStringLiteral("%1 more findings of the kind %2 are not "
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
    const QString kQuestions = bank::questionFileName();
    const QString kComments = bank::commentFileName();

    const BankFile questions =
        readBank(dir, kQuestions, TextRole::Questions,
                 QStringLiteral("at start the program shows an error box and loads no questions "
                                "and no comments"),
                 findings);
    if (questions.bank) {
        QuestionCheck check =
            checkQuestions(kQuestions, *questions.bank, scope, questions.behindNul);
        findings.insert(findings.end(), check.findings.begin(), check.findings.end());
        report.questions = std::move(check.questions);
        appendToNulFinding(findings, kQuestions, check.lostBehindNul);
    }

    const BankFile comments =
        readBank(dir, kComments, TextRole::Comments,
                 QStringLiteral("at start the program shows an error box, and every comment is "
                                "empty"),
                 findings);
    if (comments.bank) {
        const CommentCheck check =
            checkComments(kComments, *comments.bank, scope, comments.behindNul);
        findings.insert(findings.end(), check.findings.begin(), check.findings.end());
        appendToNulFinding(findings, kComments, check.lostBehindNul);
    }

    // Journal files kept in the program directory are checked as well, and
    // so is anything else named like one (a folder, a pipe).
    for (const QByteArray &journal : folderEntries(dir)) {
        if (!journal.endsWith(".quz"))
            continue;
        std::vector<Finding> found =
            checkJournal(readableName(journal), joinNative(dir, journal),
                         questions.bank ? &*questions.bank : nullptr, scope);
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

Report checkJournalFiles(const std::vector<QByteArray> &paths, const QByteArray &programDir,
                         const Scope &scope)
{
    Report report;
    std::optional<BankText> questions;
    const Outcome<QByteArray> bytes = files::readNativeFileBytes(
        joinNative(programDir, bank::questionFileName().toUtf8()), files::FileKind::Bank);
    if (bytes) {
        bank::QuestionBank bank;
        bank.setText(std::string_view(bytes->constData(), static_cast<size_t>(bytes->size())));
        questions.emplace(std::string(bank.text()));
    }
    for (const QByteArray &path : paths) {
        std::vector<Finding> found =
            checkJournal(readableName(path), path, questions ? &*questions : nullptr, scope);
        for (Finding &finding : found)
            finding.native = path;
        report.findings.insert(report.findings.end(), found.begin(), found.end());
    }
    finish(report.findings, nullptr);
    return report;
}

} // namespace quz::check
