#pragma once
// The command line of quz-check, read with the programs' shared reader; the
// texts it shows, the checks of the paths and what is done with them come
// from src/check.

#include "app/common/command_line.h"
#include "check/check_command.h"

#include <optional>

namespace quz::app {

// The shared reader's own words (help, version, mistakes) in quz-check's
// language; the translation is to be installed first.
CommandLineTexts checkCommandLineTexts();

// Describes quz-check in commandLine's help and adds its options.
void describeCheckArguments(CommandLine &commandLine);

// After a parse whose outcome is Run: what to check. A path that cannot be
// examined or arguments that do not go together turn the outcome into an
// Error (refuse()) and give nothing.
std::optional<check::CheckRequest> readCheckArguments(CommandLine &commandLine);

// Whether the report, and so a usage error, is to be a JSON document: --json
// was given before any "--", whatever else the line holds.
bool wantsJson(const CommandLine &commandLine);

} // namespace quz::app
