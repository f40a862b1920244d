#include "app/quz-check/arguments.h"

#include <QFile>

namespace quz::app {

CommandLineTexts checkCommandLineTexts()
{
    const check::CommandTexts texts = check::commandTexts();
    CommandLineTexts own;
    own.help = texts.help;
    own.version = texts.version;
    own.tryHelp = texts.tryHelp;
    own.unknownOption = texts.unknownOption;
    return own;
}

void describeCheckArguments(CommandLine &commandLine)
{
    const check::CommandTexts texts = check::commandTexts();
    QCommandLineParser &parser = commandLine.parser();
    parser.setApplicationDescription(texts.description);
    parser.addOption(QCommandLineOption(QStringLiteral("json"), texts.json));
    parser.addOption(QCommandLineOption(QStringLiteral("kind"), texts.kind, texts.kindValue));
    parser.addPositionalArgument(QStringLiteral("DIR | FILE..."), texts.paths);
}

std::optional<check::CheckRequest> readCheckArguments(CommandLine &commandLine)
{
    if (commandLine.outcome() != CommandLine::Outcome::Run)
        return std::nullopt;
    std::vector<QByteArray> paths;
    for (qsizetype i = 0; i < commandLine.parser().positionalArguments().size(); ++i)
        paths.push_back(commandLine.positional(i));
    std::optional<QString> kind;
    if (commandLine.parser().isSet(QStringLiteral("kind")))
        kind = QFile::decodeName(commandLine.value(QStringLiteral("kind")));
    Outcome<check::CheckRequest> request = check::checkRequest(paths, kind, wantsJson(commandLine));
    if (!request) {
        commandLine.refuse(request.error());
        return std::nullopt;
    }
    return std::move(request).value();
}

bool wantsJson(const CommandLine &commandLine)
{
    return commandLine.parser().isSet(QStringLiteral("json"));
}

} // namespace quz::app
