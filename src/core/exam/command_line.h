#pragma once
// The command line of quz-exam, parsed into a value before any window exists
// (QtCore only; no application object is needed), so that --help and
// --version work without a display:
//
//   quz-exam [--rule 2004|2016] [--ticket N] [--seed N] [--stats] [--help] [--version]
//
// Not responsible for printing or exiting: main() writes `text` to standard
// output (help, version) or standard error (errors) and leaves with
// `exitStatus` unless the action is Run.

#include "core/exam/exam_rules.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace quz::exam {

inline constexpr int kUsageError = 2;

struct CommandLine {
    std::optional<Rule> rule;    // --rule: the exam starts at once, no start page
    std::optional<int> ticket;   // --ticket: 1..40
    std::optional<quint32> seed; // --seed: every random choice reproducible
    bool stats = false;          // --stats: the statistics page
};

struct ParsedCommandLine {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    CommandLine options; // for Run
    // For Help and Version the text to print; for Error the message, which
    // names the bad argument and points to --help. Ends with a line break.
    QString text;
    int exitStatus = 0; // kUsageError for Error, otherwise 0
};

// `arguments` as the program got them, the program's own name first.
ParsedCommandLine parseCommandLine(const QStringList &arguments, const QString &version);

} // namespace quz::exam
