#include "ui/platform/services.h"

#include <QDir>
#include <QFileInfo>

namespace quz {

QString Dialogs::failureText(const QString &failure)
{
    // The full stop is left out when the text already ends in one or in a
    // character of a lower code ('!', ')', a blank ...).
    if (failure.isEmpty() || failure.back().unicode() <= u'.')
        return failure;
    return failure + u'.';
}

void Dialogs::showFailure(QWidget *parent, const QString &title, const QString &failure)
{
    errorBox(parent, title, failureText(failure));
}

QStringList Dialogs::openFiles(QWidget *parent, const OpenFileRequest &request)
{
    const std::optional<QString> one = openFile(parent, request);
    return one ? QStringList{*one} : QStringList();
}

QString Services::settingsPath() const
{
    const QFileInfo exe(exePath);
    const QString suffix = exe.suffix();
    QString base = exePath;
    if (!suffix.isEmpty())
        base.chop(suffix.size() + 1);
    return base + QStringLiteral(".ini");
}

QString Services::dataPath(const QString &fileName) const
{
    return QDir(programDir).filePath(fileName);
}

} // namespace quz
