#pragma once
// Opening links with the desktop's handler.

#include "ui/platform/services.h"

#include <QUrl>

namespace quz::platform {

// The URL that a shell target stands for. A target with a scheme ("mailto:",
// "http:", "https:", "file:" ...) is taken as it stands, characters such as
// blanks encoded; a bare host name, with or without a path after it
// ("quz.example.org", "www.example.org/book"), is a web address. An empty or
// unusable target gives an invalid URL.
QUrl shellUrl(const QString &target);

// QDesktopServices behind the shell interface. Whether a handler exists or
// succeeds is not reported.
class QtShell : public Shell {
public:
    void open(const QString &target) override;
};

} // namespace quz::platform
