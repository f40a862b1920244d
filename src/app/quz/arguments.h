#pragma once
// The command line of quz.

#include "app/common/command_line.h"

namespace quz::app {

// Describes quz in commandLine's help and adds its own argument: one optional journal file, loaded
// into the error journal at start (the first positional argument; further
// ones are ignored, as they always were).
void describeQuzArguments(CommandLine &commandLine);

} // namespace quz::app
