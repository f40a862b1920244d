#include "platform/qt_shell.h"

#include <QDesktopServices>
#include <QUrl>

namespace quz::platform {

void QtShell::open(const QString &target)
{
    const QUrl url = QUrl::fromUserInput(target);
    if (url.isValid())
        QDesktopServices::openUrl(url);
}

} // namespace quz::platform
