#include "check/program_check.h"

#include "check/bank_index.h"
#include "check/comment_check.h"
#include "check/journal_check.h"
#include "check/picture_check.h"
#include "check/question_check.h"
#include "check/text_check.h"
#include "check/wording.h"
#include "core/bank/comment_bank.h"
#include "core/bank/picture_store.h"
#include "core/bank/question_bank.h"
#include "core/files/file_io.h"

#include <QDir>

#include <algorithm>
#include <map>
#include <optional>

namespace quz::check {

namespace {

const QString kQuestions = QStringLiteral("vopros.txt");
const QString kComments = QStringLiteral("koment.txt");

struct BankFile {
    std::optional<BankText> bank;
    std::string_view behindNul;
    QByteArray bytes;
};

// Reads a bank file as the program does and runs the text checks on it; the
// bank stays empty when the file cannot be read or its content is misread as
// a whole.
BankFile readBank(const QString &dir, const QString &name, TextRole role, const QString &failed,
                  std::vector<Finding> &findings)
{
    BankFile file;
    Outcome<QByteArray> bytes =
        files::readFileBytes(QDir(dir).filePath(name), files::FileKind::Bank);
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
    return {kQuestions,
            kComments,
            QStringLiteral("bmp"),
            bank::placeholderFileName(),
            QStringLiteral("Help.txt"),
            QStringLiteral("Установка!!!.txt")};
}

Report checkProgramDirectory(const QString &dir, const Scope &scope)
{
    Report report;
    auto &findings = report.findings;

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

    // Journal files kept in the program directory are checked as well.
    const QStringList journals =
        QDir(dir).entryList({QStringLiteral("*.quz")}, QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString &journal : journals) {
        const std::vector<Finding> found =
            checkJournal(journal, QDir(dir).filePath(journal),
                         questions.bank ? &*questions.bank : nullptr, scope);
        findings.insert(findings.end(), found.begin(), found.end());
    }

    const std::vector<Finding> pictures = checkPictures(dir, scope);
    findings.insert(findings.end(), pictures.begin(), pictures.end());
    const std::vector<Finding> support = checkSupportFiles(dir);
    findings.insert(findings.end(), support.begin(), support.end());

    sortFindings(findings, programFileOrder());
    return report;
}

Report checkJournalFiles(const QStringList &paths, const QString &programDir, const Scope &scope)
{
    Report report;
    std::optional<BankText> questions;
    const Outcome<QByteArray> bytes =
        files::readFileBytes(QDir(programDir).filePath(kQuestions), files::FileKind::Bank);
    if (bytes) {
        bank::QuestionBank bank;
        bank.setText(std::string_view(bytes->constData(), static_cast<size_t>(bytes->size())));
        questions.emplace(std::string(bank.text()));
    }
    for (const QString &path : paths) {
        const std::vector<Finding> found =
            checkJournal(path, path, questions ? &*questions : nullptr, scope);
        report.findings.insert(report.findings.end(), found.begin(), found.end());
    }
    return report;
}

} // namespace quz::check
