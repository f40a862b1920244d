#include "app/common/command_line.h"

#include <QFile>
#include <QStringList>

namespace quz::app {

namespace {

// Qt's common options, which QApplication takes out of argv on its own: the
// ones that take a value, then the switches.
const char *const kQtValueOptions[] = {
    "platform",    "platformpluginpath", "platformtheme", "plugin",  "qwindowgeometry",
    "qwindowicon", "qwindowtitle",       "session",       "display", "name",
    "visual",      "geometry",           "icon",          "title",   "style",
    "stylesheet",  "qmljsdebugger"};
const char *const kQtSwitches[] = {"reverse", "nograb", "dograb", "widgetcount", "testability"};

QCommandLineOption hidden(QCommandLineOption option)
{
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    return option;
}

} // namespace

CommandLine::CommandLine(const QString &program, const QString &version,
                         const CommandLineTexts &texts)
    : m_program(program)
    , m_version(version)
    , m_texts(texts)
    , m_help({QStringLiteral("h"), QStringLiteral("help")}, texts.help)
    , m_versionOption({QStringLiteral("v"), QStringLiteral("version")}, texts.version)
{
    // Qt's own options are words behind one dash (-platform, -style).
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    m_parser.addOption(m_help);
    m_parser.addOption(m_versionOption);
    for (const char *name : kQtValueOptions)
        m_parser.addOption(hidden(
            QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("value"))));
    for (const char *name : kQtSwitches)
        m_parser.addOption(hidden(QCommandLineOption(QString::fromLatin1(name))));
}

CommandLine::Outcome CommandLine::parse(const QList<QByteArray> &arguments)
{
    m_refusal.clear();
    m_arguments = arguments;
    QStringList bytewise;
    bytewise.reserve(arguments.size());
    for (const QByteArray &argument : arguments)
        bytewise.append(QString::fromLatin1(argument));
    const bool parsed = m_parser.parse(bytewise);
    if (m_parser.isSet(m_help))
        m_outcome = Outcome::Help;
    else if (m_parser.isSet(m_versionOption))
        m_outcome = Outcome::Version;
    else
        m_outcome = parsed ? Outcome::Run : Outcome::Error;
    return m_outcome;
}

void CommandLine::refuse(const QString &message)
{
    if (m_outcome != Outcome::Run)
        return;
    m_outcome = Outcome::Error;
    m_refusal = message;
}

QByteArray CommandLine::positional(qsizetype index) const
{
    return m_parser.positionalArguments().value(index).toLatin1();
}

QByteArray CommandLine::value(const QString &name) const { return m_parser.value(name).toLatin1(); }

QString CommandLine::helpText() const
{
    // Qt's usage line begins with the path the program was started by.
    QString text = m_parser.helpText();
    const qsizetype program = text.indexOf(u' ');
    const qsizetype options = text.indexOf(QStringLiteral(" ["));
    if (program >= 0 && options > program)
        text.replace(program + 1, options - program - 1, m_program);
    return text;
}

QString CommandLine::versionText() const { return m_program + QLatin1Char(' ') + m_version; }

QString CommandLine::errorText() const
{
    if (!m_refusal.isEmpty())
        return m_refusal;
    const QStringList unknown = m_parser.unknownOptionNames();
    if (!m_texts.unknownOption.isEmpty() && !unknown.isEmpty())
        return m_texts.unknownOption.arg(QFile::decodeName(typedOption(unknown.front())));
    // Qt's message quotes the argument as parsed: one character per byte.
    return QFile::decodeName(m_parser.errorText().toLatin1());
}

int CommandLine::answer(std::FILE *out, std::FILE *err) const
{
    switch (m_outcome) {
    case Outcome::Run: return 0;
    case Outcome::Help: std::fputs(helpText().toLocal8Bit().constData(), out); return 0;
    case Outcome::Version:
        std::fputs((versionText() + QLatin1Char('\n')).toLocal8Bit().constData(), out);
        return 0;
    case Outcome::Error: break;
    }
    const QString text = QStringLiteral("%1: %2\n").arg(m_program, errorText())
                         + m_texts.tryHelp.arg(m_program) + QLatin1Char('\n');
    std::fputs(text.toLocal8Bit().constData(), err);
    return 2;
}

QByteArray CommandLine::typedOption(const QString &name) const
{
    const QByteArray bytes = name.toLatin1();
    for (const QByteArray &argument : m_arguments.mid(1)) {
        if (argument == "--")
            break;
        if (argument == "--" + bytes || argument.startsWith("--" + bytes + '='))
            return "--" + bytes;
    }
    return '-' + bytes;
}

QList<QByteArray> rawArguments(int argc, const char *const *argv)
{
    QList<QByteArray> arguments;
    arguments.reserve(argc);
    for (int i = 0; i < argc; ++i)
        arguments.append(QByteArray(argv[i]));
    return arguments;
}

} // namespace quz::app
