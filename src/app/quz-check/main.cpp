// quz-check: tells a user what the program would misread in a program
// directory (question file, comment file, pictures, placeholder, notes) or
// in journal files.
//
//   quz-check [--json] [DIR]          a program directory (default: this program's folder)
//   quz-check [--json] FILE.quz ...   journal files
//
// Exit status: 0 nothing wrong (notes allowed), 1 something is, 2 usage error.

#include "check/program_check.h"
#include "check/report_format.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace {

constexpr int kClean = 0;
constexpr int kFound = 1;
constexpr int kUsage = 2;

const char kUsageText[] =
    "Usage: quz-check [--json] [DIR]\n"
    "       quz-check [--json] FILE.quz ...\n"
    "\n"
    "Checks the program directory DIR (default: the folder of quz-check, which is\n"
    "the folder of quz) for everything the program would misread: the question file\n"
    "vopros.txt, the comment file koment.txt, the pictures in bmp/, emp.bmp, Help.txt\n"
    "and the install notes, and the journal files (*.quz) kept there. Journal\n"
    "files named instead are checked for error entries the answer mode would\n"
    "misread.\n"
    "\n"
    "Each finding is one line, file:line: what is wrong and what the program shows\n"
    "because of it, grouped by file, followed by a summary line.\n"
    "\n"
    "Options:\n"
    "  --json     write the report as a JSON document instead\n"
    "  -h, --help show this help\n"
    "\n"
    "Exit status: 0 when nothing is wrong (notes do not count), 1 when something\n"
    "is, 2 on a usage error.\n";

void write(FILE *stream, const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fflush(stream);
}

int usageError(const QString &message)
{
    write(stderr, (QStringLiteral("quz-check: ") + message + u'\n').toUtf8());
    write(stderr, QByteArrayLiteral("Try 'quz-check --help'.\n"));
    return kUsage;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    bool json = false;
    QStringList directories;
    QStringList journals;
    bool optionsEnd = false;
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    for (const QString &argument : arguments) {
        if (!optionsEnd && argument == QStringLiteral("--")) {
            optionsEnd = true;
        } else if (!optionsEnd
                   && (argument == QStringLiteral("--help") || argument == QStringLiteral("-h"))) {
            write(stdout, QByteArray(kUsageText));
            return kClean;
        } else if (!optionsEnd && argument == QStringLiteral("--json")) {
            json = true;
        } else if (!optionsEnd && argument.startsWith(u'-') && argument.size() > 1) {
            return usageError(QStringLiteral("unknown option %1").arg(argument));
        } else {
            const QFileInfo info(argument);
            if (!info.exists())
                return usageError(QStringLiteral("%1: no such file or directory").arg(argument));
            (info.isDir() ? directories : journals) << argument;
        }
    }
    if (directories.size() > 1)
        return usageError(QStringLiteral("name one program directory at a time"));
    if (directories.size() == 1 && !journals.isEmpty())
        return usageError(QStringLiteral("name either a program directory or journal files"));

    std::vector<quz::check::Finding> findings;
    QStringList checked;
    if (!journals.isEmpty()) {
        // The question file of the program's own folder tells what the answer
        // mode shows for an entry that names no question.
        const quz::check::Report report =
            quz::check::checkJournalFiles(journals, QCoreApplication::applicationDirPath());
        findings = report.findings;
        checked = journals;
    } else {
        const QString dir =
            directories.isEmpty() ? QCoreApplication::applicationDirPath() : directories.front();
        quz::check::Report report = quz::check::checkProgramDirectory(dir);
        for (quz::check::Finding &finding : report.findings)
            finding.path = QDir::cleanPath(QDir(dir).filePath(finding.file));
        findings = std::move(report.findings);
        checked << dir;
    }

    write(stdout,
          json ? quz::check::formatJson(findings, checked) : quz::check::formatText(findings));
    const bool problems =
        std::any_of(findings.begin(), findings.end(), [](const quz::check::Finding &f) {
            return f.severity == quz::check::Severity::Problem;
        });
    return problems ? kFound : kClean;
}
