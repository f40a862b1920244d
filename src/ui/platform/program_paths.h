#pragma once
// Where the running program lives, for the services object of main().

#include "ui/platform/services.h"

namespace quz::platform {

// Services with the program directory (the executable's directory), the
// executable's full path and the first command-line argument (empty when
// there is none) filled in; the title and the platform objects are left for
// the caller. Needs a QCoreApplication (or QApplication) to exist.
Services programServices();

} // namespace quz::platform
