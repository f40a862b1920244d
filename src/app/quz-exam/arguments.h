#pragma once
// The command line of quz-exam, read with the programs' shared reader; the
// exam's options and the checks of their values come from core/exam.

#include "app/common/command_line.h"
#include "core/exam/command_line.h"

#include <optional>

namespace quz::app {

// Describes quz-exam in commandLine's help and adds its options.
void describeExamArguments(CommandLine &commandLine);

// After a parse whose outcome is Run: the options, checked. A bad value or
// an argument that is no option turns the outcome into an Error (refuse())
// and gives nothing.
std::optional<exam::ExamOptions> readExamArguments(CommandLine &commandLine);

} // namespace quz::app
