#include "check/check_command.h"
#include "core/files/native_names.h"

#include "check/native_path.h"
#include "check/program_check.h"
#include "check/report_format.h"
#include "check/wording.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <optional>

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

struct Request {
    bool json = false;
    std::vector<QByteArray> directories;
    std::vector<DataFile> files;
    QString error; // a usage error, empty when none
    bool done = false;
};

int usageError(const Request &request)
{
    if (request.json) {
        QJsonObject root;
        root.insert(QStringLiteral("error"), request.error);
        root.insert(QStringLiteral("checked"), QJsonArray());
        root.insert(QStringLiteral("findings"), QJsonArray());
        root.insert(QStringLiteral("problems"), 0);
        root.insert(QStringLiteral("notes"), 0);
        root.insert(QStringLiteral("summary"), Text::tr("usage error: ") + request.error);
        write(stdout, QJsonDocument(root).toJson(QJsonDocument::Indented));
    }
    write(stderr, (QStringLiteral("quz-check: ") + request.error + u'\n').toUtf8());
    write(stderr, Text::tr("Try 'quz-check --help'.").toUtf8() + '\n');
    return kExitUsage;
}

QString description()
{
    return Text::tr(
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
}

// The bytes of the positional arguments: each is the next argument of argv
// whose text is the parser's (the text of a name that is not UTF-8 is the
// same whichever way it is decoded, so the match is exact).
std::vector<QByteArray> positionalBytes(const QStringList &positional, int argc, char *argv[])
{
    std::vector<QByteArray> bytes;
    int next = 1;
    for (const QString &argument : positional) {
        while (next < argc && QString::fromLocal8Bit(argv[next]) != argument)
            ++next;
        bytes.push_back(next < argc ? QByteArray(argv[next++]) : QFile::encodeName(argument));
    }
    return bytes;
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

struct Options {
    QCommandLineOption kind;
    QCommandLineOption help;
    QCommandLineOption version;
};

// The options and arguments quz-check takes, as --help tells them.
Options addOptions(QCommandLineParser &parser)
{
    const QCommandLineOption json(QStringLiteral("json"),
                                  Text::tr("Write the report as a JSON document instead."));
    const QCommandLineOption kind(
        QStringLiteral("kind"),
        Text::tr("Check the files named as KIND: question (a question file such as "
                 "vopros.txt), comment (a comment file such as koment.txt), journal or "
                 "picture. Without it, vopros.txt and koment.txt are known by their "
                 "names, a picture by its content, and any other file is a journal."),
        QStringLiteral("KIND"));
    parser.setApplicationDescription(description());
    parser.addOption(json);
    parser.addOption(kind);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("DIR | FILE..."),
                                 Text::tr("A program directory, or files."));
    return Options{kind, help, version};
}

Request parse(QCommandLineParser &parser, int argc, char *argv[])
{
    Request request;
    const QStringList arguments = QCoreApplication::arguments();
    const Options options = addOptions(parser);
    const qsizetype end = arguments.indexOf(QStringLiteral("--"));
    request.json =
        arguments.mid(0, end < 0 ? arguments.size() : end).contains(QStringLiteral("--json"));
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        request.error =
            unknown.isEmpty()
                ? parser.errorText()
                : Text::tr("unknown option %1")
                      .arg((unknown.front().size() > 1 ? QStringLiteral("--") : QStringLiteral("-"))
                           + unknown.front());
        return request;
    }
    if (parser.isSet(options.help)) {
        // The usage line names the command, not the path it was started by.
        QString text = parser.helpText();
        const qsizetype program = text.indexOf(u' ');
        const qsizetype optionsAt = text.indexOf(QStringLiteral(" ["));
        if (program >= 0 && optionsAt > program)
            text.replace(program + 1, optionsAt - program - 1, QStringLiteral("quz-check"));
        write(stdout, text.toUtf8());
        request.done = true;
        return request;
    }
    if (parser.isSet(options.version)) {
        write(
            stdout,
            QStringLiteral("quz-check %1\n").arg(QCoreApplication::applicationVersion()).toUtf8());
        request.done = true;
        return request;
    }
    std::optional<DataKind> named;
    if (parser.isSet(options.kind)) {
        named = kindNamed(parser.value(options.kind));
        if (!named) {
            request.error = Text::tr("unknown kind %1: use question, comment, journal or "
                                     "picture")
                                .arg(shownName(parser.value(options.kind)));
            return request;
        }
    }
    for (const QByteArray &path : positionalBytes(parser.positionalArguments(), argc, argv)) {
        const PathState state = examine(path);
        if (state.type == EntryType::Missing) {
            request.error = pathFailure(path, state.error);
            return request;
        }
        if (state.type == EntryType::Folder)
            request.directories.push_back(path);
        else
            request.files.push_back(DataFile{path, named ? *named : kindOf(path)});
    }
    if (request.directories.size() > 1)
        request.error = Text::tr("name one program directory at a time");
    else if (request.directories.size() == 1 && !request.files.empty())
        request.error = Text::tr("name either a program directory or files");
    else if (named && request.files.empty())
        request.error = Text::tr("--kind is for files named on the command line");
    return request;
}

} // namespace

int runCheckCommand(int argc, char *argv[])
{
    installTranslation();
    QCommandLineParser parser;
    const Request request = parse(parser, argc, argv);
    if (request.done)
        return kExitClean;
    if (!request.error.isEmpty())
        return usageError(request);

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
