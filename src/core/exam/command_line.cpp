#include "core/exam/command_line.h"

#include "core/exam/exam_session.h"

#include <QCommandLineParser>

#include <array>

namespace quz::exam {

namespace {

const QString kProgram = QStringLiteral("quz-exam");

struct OptionSpec {
    QStringList names;
    QString valueName; // empty for a switch
    QString description;
};

const std::array<OptionSpec, 6> &optionSpecs()
{
    static const std::array<OptionSpec, 6> specs{{
        {{QStringLiteral("rule")},
         QStringLiteral("2004|2016"),
         QStringLiteral("правила экзамена; экзамен начинается сразу, без страницы выбора")},
        {{QStringLiteral("ticket")},
         QStringLiteral("N"),
         QStringLiteral("билет от 1 до 40 (без него билет случайный)")},
        {{QStringLiteral("seed")},
         QStringLiteral("N"),
         QStringLiteral("число от 0 до 4294967295, повторяющее случайный выбор билета и "
                        "дополнительных блоков")},
        {{QStringLiteral("stats")}, {}, QStringLiteral("открыть страницу статистики")},
        {{QStringLiteral("h"), QStringLiteral("help")}, {}, QStringLiteral("показать эту справку")},
        {{QStringLiteral("version")}, {}, QStringLiteral("показать версию программы")},
    }};
    return specs;
}

QString dashed(const QString &name)
{
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

QString helpText()
{
    QString text = QStringLiteral("Использование: %1 [параметры]\n"
                                  "Экзамен по билетам с настоящими правилами, отсчётом "
                                  "времени и итогом.\n\nПараметры:\n")
                       .arg(kProgram);
    for (const OptionSpec &spec : optionSpecs()) {
        QStringList names;
        for (const QString &name : spec.names)
            names << dashed(name);
        QString left = names.join(QStringLiteral(", "));
        if (!spec.valueName.isEmpty())
            left += u' ' + spec.valueName;
        text += QStringLiteral("  %1  %2\n").arg(left, -18).arg(spec.description);
    }
    return text;
}

ParsedCommandLine failure(const QString &message)
{
    ParsedCommandLine parsed;
    parsed.action = ParsedCommandLine::Action::Error;
    parsed.exitStatus = kUsageError;
    parsed.text = QStringLiteral("%1: %2\nПодробнее: %1 --help\n").arg(kProgram, message);
    return parsed;
}

// A decimal number of plain digits no larger than `maximum`.
std::optional<quint64> plainNumber(const QString &text, quint64 maximum)
{
    if (text.isEmpty() || text.size() > 20)
        return std::nullopt;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    bool ok = false;
    const quint64 value = text.toULongLong(&ok);
    if (!ok || value > maximum)
        return std::nullopt;
    return value;
}

// The message for a line the parser refused: an unknown option, or an option
// at the end that wants a value.
QString refusal(const QCommandLineParser &parser, const QStringList &arguments)
{
    if (!parser.unknownOptionNames().isEmpty())
        return QStringLiteral("неизвестный параметр %1")
            .arg(dashed(parser.unknownOptionNames().constFirst()));
    const QString last = arguments.size() > 1 ? arguments.constLast() : QString();
    for (const OptionSpec &spec : optionSpecs()) {
        if (!spec.valueName.isEmpty() && last == dashed(spec.names.constFirst()))
            return QStringLiteral("у параметра %1 нет значения").arg(last);
    }
    return parser.errorText();
}

// The values of the options that take one, checked.
std::optional<QString> readValues(const QCommandLineParser &parser, CommandLine &options)
{
    if (parser.isSet(QStringLiteral("rule"))) {
        const QString value = parser.value(QStringLiteral("rule"));
        Rule rule{};
        const std::optional<quint64> year = plainNumber(value, 9999);
        if (!year || !ruleOfYear(static_cast<int>(*year), &rule))
            return QStringLiteral("неверное значение --rule «%1»: допустимо 2004 или 2016")
                .arg(value);
        options.rule = rule;
    }
    if (parser.isSet(QStringLiteral("ticket"))) {
        const QString value = parser.value(QStringLiteral("ticket"));
        const std::optional<quint64> ticket = plainNumber(value, kTicketCount);
        if (!ticket || *ticket < 1)
            return QStringLiteral("неверный номер билета «%1»: допустимо от 1 до %2")
                .arg(value)
                .arg(kTicketCount);
        options.ticket = static_cast<int>(*ticket);
    }
    if (parser.isSet(QStringLiteral("seed"))) {
        const QString value = parser.value(QStringLiteral("seed"));
        const std::optional<quint64> seed = plainNumber(value, 0xFFFFFFFFu);
        if (!seed)
            return QStringLiteral("неверное значение --seed «%1»: допустимо целое число от 0 "
                                  "до 4294967295")
                .arg(value);
        options.seed = static_cast<quint32>(*seed);
    }
    return std::nullopt;
}

} // namespace

ParsedCommandLine parseCommandLine(const QStringList &arguments, const QString &version)
{
    QCommandLineParser parser;
    for (const OptionSpec &spec : optionSpecs())
        parser.addOption(QCommandLineOption(spec.names, spec.description, spec.valueName));
    // Without the program's name in front the parser would take the first
    // argument for it.
    const QStringList line = arguments.isEmpty() ? QStringList{kProgram} : arguments;
    if (!parser.parse(line))
        return failure(refusal(parser, line));

    ParsedCommandLine parsed;
    if (parser.isSet(QStringLiteral("help"))) {
        parsed.action = ParsedCommandLine::Action::Help;
        parsed.text = helpText();
        return parsed;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        parsed.action = ParsedCommandLine::Action::Version;
        parsed.text = QStringLiteral("%1 %2\n").arg(kProgram, version);
        return parsed;
    }
    if (!parser.positionalArguments().isEmpty())
        return failure(
            QStringLiteral("лишний аргумент «%1»").arg(parser.positionalArguments().constFirst()));
    if (const std::optional<QString> bad = readValues(parser, parsed.options))
        return failure(*bad);
    parsed.options.stats = parser.isSet(QStringLiteral("stats"));
    return parsed;
}

} // namespace quz::exam
