#pragma once
// A program's command line, read before the application object exists: help,
// version and mistakes are answered without a display, and file arguments
// reach the program as the bytes the user gave.

#include <QByteArray>
#include <QCommandLineParser>
#include <QList>
#include <QString>

#include <cstdio>

namespace quz::app {

// What the reader says in its own words: the help's lines for -h and -v, the
// pointer to --help after a mistake ("%1" the program) and, when not empty,
// the text for an unknown option ("%1" the option as typed; Qt's own text
// when empty). English unless the program gives its own language.
struct CommandLineTexts {
    QString help = QStringLiteral("Show this help and exit.");
    QString version = QStringLiteral("Show the version and exit.");
    QString tryHelp = QStringLiteral("Try '%1 --help' for more information.");
    QString unknownOption;
};

// Reads the arguments of one program. The caller describes the program (its
// description, own options and positional arguments) through parser() before
// parse(); -h/--help,
// -v/--version and Qt's common options (-platform, -style, -reverse, ... in
// their one- and two-dash forms, which QApplication takes out of argv itself)
// are known from the start. Options are long names behind one or two dashes;
// "--" ends the options, so a file named like an option can follow it.
//
// Arguments are read as Latin-1, one character per byte, so positional() gives
// back exactly the bytes of argv whatever the locale's encoding.
class CommandLine {
public:
    enum class Outcome { Run, Help, Version, Error };

    // program: the name in the usage, version and error lines; version: the
    // version printed by --version.
    CommandLine(const QString &program, const QString &version,
                const CommandLineTexts &texts = CommandLineTexts());

    QCommandLineParser &parser() { return m_parser; }
    const QCommandLineParser &parser() const { return m_parser; }

    // Parses arguments (the program's own path first, as argv). Help and
    // version win over a mistake elsewhere on the line; an unknown option, a
    // missing value or a value given to a switch is an Error.
    Outcome parse(const QList<QByteArray> &arguments);

    Outcome outcome() const { return m_outcome; }

    // Turns a parse whose outcome is Run into an Error with `message`, for a
    // line the parser took but the program's own checks refuse (a bad value,
    // an argument the program takes none of). answer() then reports it as it
    // reports the parser's mistakes.
    void refuse(const QString &message);

    // The index-th positional argument as given on the command line, empty
    // when there are fewer. Needs a parse() whose outcome is not Error.
    QByteArray positional(qsizetype index) const;

    // The value of the program's own option `name` as given, empty when the
    // option is absent.
    QByteArray value(const QString &name) const;

    // What a person reads for each outcome. The usage line of the help names
    // the program by its name, not by the path it was started by; Qt's help
    // text needs an application object (which needs no display) by then.
    QString helpText() const;
    QString versionText() const;
    QString errorText() const;

    // Writes the help or version text to out, or the error with a pointer to
    // --help to err, and returns the exit status: 0 for help and version, 2
    // for an error. Writes nothing for Run and returns 0.
    int answer(std::FILE *out, std::FILE *err) const;

private:
    // The unknown option `name` as it was typed: behind one dash or two.
    QByteArray typedOption(const QString &name) const;

    QString m_program;
    QString m_version;
    CommandLineTexts m_texts;
    QList<QByteArray> m_arguments;
    QCommandLineParser m_parser;
    QCommandLineOption m_help;
    QCommandLineOption m_versionOption;
    Outcome m_outcome = Outcome::Error;
    QString m_refusal;
};

// argv as byte strings, argv[0] included.
QList<QByteArray> rawArguments(int argc, const char *const *argv);

} // namespace quz::app
