#pragma once
// The quz-check command: its arguments, the check they ask for, the report
// on standard output and the exit status. The executable's main block only
// creates the application and calls runCheckCommand().

namespace quz::check {

// Exit statuses of the command.
inline constexpr int kExitClean = 0; // nothing wrong (notes allowed)
inline constexpr int kExitFound = 1; // something is
inline constexpr int kExitUsage = 2; // the arguments make no sense

// Runs the command over `argv` (the bytes the system passed, so that file
// names that are not UTF-8 arrive as they are); needs a QCoreApplication.
int runCheckCommand(int argc, char *argv[]);

} // namespace quz::check
