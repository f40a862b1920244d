#pragma once
// The quz-check command apart from the reading of its command line (the
// executable's, src/app/quz-check): the texts its help shows, what the
// paths it is given ask it to check, the report on standard output and the
// exit status.

#include "check/program_check.h"
#include "core/files/outcome.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace quz::check {

// Exit statuses of the command.
inline constexpr int kExitClean = 0; // nothing wrong (notes allowed)
inline constexpr int kExitFound = 1; // something is
inline constexpr int kExitUsage = 2; // the arguments make no sense

// The texts of quz-check's command line, in the user's language
// (installTranslation() first).
struct CommandTexts {
    QString description;
    QString json;          // the line of --json
    QString kind;          // the line of --kind
    QString kindValue;     // the name of --kind's value
    QString paths;         // the line of the directory or files
    QString help;          // the line of -h, --help
    QString version;       // the line of -v, --version
    QString tryHelp;       // after a usage error; "%1" the program
    QString unknownOption; // "%1" the option as typed
};
CommandTexts commandTexts();

// What the command line asks to check: one program directory, or files, or
// (neither given) the program's own folder.
struct CheckRequest {
    bool json = false;
    std::vector<QByteArray> directories;
    std::vector<DataFile> files;
};

// The request for `paths` (the bytes the user gave), the files among them
// checked as `kind` (--kind's value as typed; each as what it is when
// absent). Fails with the usage error to show when a path cannot be
// examined or the arguments do not go together.
Outcome<CheckRequest> checkRequest(const std::vector<QByteArray> &paths,
                                   const std::optional<QString> &kind, bool json);

// Checks what `request` asks for, writes the report to standard output and
// returns the exit status; needs a QCoreApplication.
int runCheck(const CheckRequest &request);

// The JSON document that --json prints for a usage error.
QByteArray usageErrorJson(const QString &error);

} // namespace quz::check
