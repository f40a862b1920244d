#include "check/check_command.h"

#include "check/native_path.h"
#include "check/report_format.h"
#include "check/wording.h"
#include "core/files/native_names.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>

namespace quz::check {

namespace {

void write(FILE *stream, const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fflush(stream);
}

// An argument as the terminal may show it; a very long one cut in the middle,
// so that both its start and its file name stay.
QString shownArgument(const QByteArray &argument)
{
    constexpr qsizetype kHalf = 60;
    const QString name = shownName(files::readablePath(argument));
    return name.size() <= 2 * kHalf ? name : name.left(kHalf) + QChar(0x2026) + name.right(kHalf);
}

// Why a path named on the command line cannot be checked.
QString pathFailure(const QByteArray &path, int error)
{
    if (error == ENOENT)
        return Text::tr("%1: no such file or directory").arg(shownArgument(path));
    if (error == ENAMETOOLONG)
        return Text::tr("%1: the name is too long for the system (%2 bytes; a name may "
                        "have at most %3, a path at most %4)")
            .arg(shownArgument(path))
            .arg(path.size())
            .arg(NAME_MAX)
            .arg(PATH_MAX);
    return QStringLiteral("%1: %2").arg(shownArgument(path),
                                        QString::fromLocal8Bit(std::strerror(error)));
}

std::optional<DataKind> kindNamed(const QString &name)
{
    if (name == QStringLiteral("question"))
        return DataKind::Questions;
    if (name == QStringLiteral("comment"))
        return DataKind::Comments;
    if (name == QStringLiteral("journal"))
        return DataKind::Journal;
    if (name == QStringLiteral("picture"))
        return DataKind::Picture;
    return std::nullopt;
}

} // namespace

CommandTexts commandTexts()
{
    CommandTexts texts;
    texts.description = Text::tr(
        "Checks the program directory DIR (default: the folder of quz-check, which is\n"
        "the folder of quz) for everything the program would misread: the question file\n"
        "vopros.txt, the comment file koment.txt, the pictures in bmp/, emp.bmp, Help.txt\n"
        "and the install notes, and the journal files (*.quz) kept there. FILEs named\n"
        "instead are checked each as what it is: see --kind.\n"
        "\n"
        "Each finding is one line, file:line: what is wrong, what the program shows\n"
        "because of it and what to do, grouped by file, followed by a summary line.\n"
        "\n"
        "Exit status: 0 when nothing is wrong (notes do not count), 1 when something\n"
        "is, 2 on a usage error. A set of fewer tickets or questions than 40 x 20 is\n"
        "a note, not a problem.");
    texts.json = Text::tr("Write the report as a JSON document instead.");
    texts.kind = Text::tr("Check the files named as KIND: question (a question file such as "
                          "vopros.txt), comment (a comment file such as koment.txt), journal or "
                          "picture. Without it, vopros.txt and koment.txt are known by their "
                          "names, a picture by its content, and any other file is a journal.");
    texts.kindValue = QStringLiteral("KIND");
    texts.paths = Text::tr("A program directory, or files.");
    texts.help = Text::tr("Show this help and exit.");
    texts.version = Text::tr("Show the version and exit.");
    texts.tryHelp = Text::tr("Try '%1 --help'.");
    texts.unknownOption = Text::tr("unknown option %1");
    return texts;
}

Outcome<CheckRequest> checkRequest(const std::vector<QByteArray> &paths,
                                   const std::optional<QString> &kind, bool json)
{
    CheckRequest request;
    request.json = json;
    std::optional<DataKind> named;
    if (kind) {
        named = kindNamed(*kind);
        if (!named)
            return Failure{Text::tr("unknown kind %1: use question, comment, journal or picture")
                               .arg(shownName(*kind))};
    }
    for (const QByteArray &path : paths) {
        const PathState state = examine(path);
        if (state.type == EntryType::Missing)
            return Failure{pathFailure(path, state.error)};
        if (state.type == EntryType::Folder)
            request.directories.push_back(path);
        else
            request.files.push_back(DataFile{path, named ? *named : kindOf(path)});
    }
    if (request.directories.size() > 1)
        return Failure{Text::tr("name one program directory at a time")};
    if (request.directories.size() == 1 && !request.files.empty())
        return Failure{Text::tr("name either a program directory or files")};
    if (named && request.files.empty())
        return Failure{Text::tr("--kind is for files named on the command line")};
    return request;
}

QByteArray usageErrorJson(const QString &error)
{
    QJsonObject root;
    root.insert(QStringLiteral("error"), error);
    root.insert(QStringLiteral("checked"), QJsonArray());
    root.insert(QStringLiteral("findings"), QJsonArray());
    root.insert(QStringLiteral("problems"), 0);
    root.insert(QStringLiteral("notes"), 0);
    root.insert(QStringLiteral("summary"), Text::tr("usage error: ") + error);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

int runCheck(const CheckRequest &request)
{
    const QByteArray programDir = QFile::encodeName(QCoreApplication::applicationDirPath());
    std::vector<Finding> findings;
    QStringList checked;
    if (!request.files.empty()) {
        findings = checkFiles(request.files, programDir).findings;
        for (const DataFile &file : request.files)
            checked << files::readablePath(file.path);
    } else {
        const QByteArray dir =
            request.directories.empty() ? programDir : request.directories.front();
        findings = checkProgramDirectory(dir).findings;
        checked << files::readablePath(dir);
    }
    write(stdout, request.json ? formatJson(findings, checked) : formatText(findings));
    const bool problems = std::any_of(findings.begin(), findings.end(), [](const Finding &f) {
        return f.severity == Severity::Problem;
    });
    return problems ? kExitFound : kExitClean;
}

} // namespace quz::check
