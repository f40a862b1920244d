#pragma once
// Opening links with the desktop's handler.

#include "platform/services.h"

namespace quz::platform {

// QDesktopServices behind the shell interface. A target without a scheme is
// read as the user would type it into a browser ("www.example.org" becomes a
// web address, an existing path a file URL). Whether a handler exists or
// succeeds is not reported.
class QtShell : public Shell {
public:
    void open(const QString &target) override;
};

} // namespace quz::platform
