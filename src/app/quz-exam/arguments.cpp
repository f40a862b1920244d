#include "app/quz-exam/arguments.h"

#include <QFile>

namespace quz::app {

namespace {

// The value of an option as the user typed it, in the locale's encoding.
QString typed(const CommandLine &commandLine, const QString &name)
{
    return QFile::decodeName(commandLine.value(name));
}

// Reads one option that takes a value through its check; false after a
// refusal.
template <class T, class Check>
bool readValue(CommandLine &commandLine, const QString &name, Check check, std::optional<T> &into)
{
    if (!commandLine.parser().isSet(name))
        return true;
    const Outcome<T> value = check(typed(commandLine, name));
    if (!value) {
        commandLine.refuse(value.error());
        return false;
    }
    into = *value;
    return true;
}

} // namespace

void describeExamArguments(CommandLine &commandLine)
{
    commandLine.parser().setApplicationDescription(exam::programDescription());
    for (const exam::OptionText &option : exam::optionTexts())
        commandLine.parser().addOption(
            QCommandLineOption(option.name, option.description, option.valueName));
}

std::optional<exam::ExamOptions> readExamArguments(CommandLine &commandLine)
{
    if (commandLine.outcome() != CommandLine::Outcome::Run)
        return std::nullopt;
    const QByteArray extra = commandLine.positional(0);
    if (!commandLine.parser().positionalArguments().isEmpty()) {
        commandLine.refuse(
            QStringLiteral("unexpected argument '%1'").arg(QFile::decodeName(extra)));
        return std::nullopt;
    }
    exam::ExamOptions options;
    if (!readValue<exam::Rule>(commandLine, QStringLiteral("rule"), exam::ruleValue, options.rule)
        || !readValue<int>(commandLine, QStringLiteral("ticket"), exam::ticketValue, options.ticket)
        || !readValue<quint32>(commandLine, QStringLiteral("seed"), exam::seedValue, options.seed))
        return std::nullopt;
    options.stats = commandLine.parser().isSet(QStringLiteral("stats"));
    return options;
}

} // namespace quz::app
