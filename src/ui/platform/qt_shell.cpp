#include "ui/platform/qt_shell.h"

#include <QDesktopServices>
#include <QRegularExpression>

namespace quz::platform {

QUrl shellUrl(const QString &target)
{
    const QString text = target.trimmed();
    if (text.isEmpty())
        return {};
    // "scheme:" at the start, as URLs spell it; a host name has no colon
    // before its first dot or slash unless a port follows it ("host:8080").
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:(?!\\d)"));
    if (scheme.match(text).hasMatch()) {
        const QUrl url(text, QUrl::TolerantMode);
        return url.isValid() ? url : QUrl();
    }
    const QUrl web(QStringLiteral("http://") + text, QUrl::TolerantMode);
    return web.isValid() && !web.host().isEmpty() ? web : QUrl();
}

void QtShell::open(const QString &target)
{
    if (const QUrl url = shellUrl(target); url.isValid())
        QDesktopServices::openUrl(url);
}

} // namespace quz::platform
