#include "platform/qt_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace quz::platform {

QStringList qtNameFilters(const QString &filter)
{
    QStringList result;
    const QStringList parts = filter.split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts.at(i + 1).split(u';', Qt::SkipEmptyParts);
        for (QString &pattern : patterns)
            pattern = pattern.trimmed();
        patterns.removeAll(QString());
        if (patterns.isEmpty())
            continue;
        result << parts.at(i) + QStringLiteral(" (") + patterns.join(u' ') + u')';
    }
    return result;
}

QString withDefaultSuffix(const QString &path, const QString &suffix)
{
    QString dotless = suffix;
    if (dotless.startsWith(u'.'))
        dotless.remove(0, 1);
    if (dotless.isEmpty() || path.isEmpty() || path.endsWith(u'/'))
        return path;
    const QString name = path.mid(path.lastIndexOf(u'/') + 1);
    if (name.contains(u'.'))
        return path;
    return path + u'.' + dotless;
}

namespace {

void showBox(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.setWindowModality(Qt::ApplicationModal);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace

void QtDialogs::messageBox(QWidget *parent, const QString &title, const QString &text)
{
    showBox(parent, QMessageBox::NoIcon, title, text);
}

void QtDialogs::errorBox(QWidget *parent, const QString &title, const QString &text)
{
    showBox(parent, QMessageBox::Critical, title, text);
}

std::optional<QString> QtDialogs::openFile(QWidget *parent, const OpenFileRequest &request)
{
    QFileDialog dialog(parent, request.title);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    // The filter entries show their labels only, as the program names them.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setWindowModality(Qt::ApplicationModal);
    const QStringList filters = qtNameFilters(request.filter);
    if (!filters.isEmpty())
        dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(request.defaultSuffix);

    if (!request.initialFile.isEmpty()) {
        const QFileInfo initial(request.initialFile);
        if (request.initialFile.contains(u'/'))
            dialog.setDirectory(initial.absolutePath());
        dialog.selectFile(initial.fileName());
    }

    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty())
        return std::nullopt;
    return withDefaultSuffix(QFileInfo(chosen.first()).absoluteFilePath(), request.defaultSuffix);
}

} // namespace quz::platform
