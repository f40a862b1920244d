#pragma once
// The desktop's message boxes and file-open chooser, on Qt Widgets.

#include "ui/platform/services.h"

#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <memory>

class QDialog;

namespace quz::platform {

// Converts a chooser filter of "label|pattern" pairs joined by '|' (patterns
// of one entry separated by ';') into Qt's name filters "label (pattern ...)".
// A pair with an empty pattern and a trailing label without pattern are left
// out; an empty filter gives an empty list.
QStringList qtNameFilters(const QString &filter);

// Adds "." + suffix to a path whose file name has no dot, as the chooser does
// for a name typed without extension. A leading dot of `suffix` is ignored;
// an empty suffix, a path ending in a separator and a name with a dot are
// returned unchanged.
QString withDefaultSuffix(const QString &path, const QString &suffix);

// Whether `text` is shown in the scrolling text box instead of a plain
// message box: a text of more than 25 lines or 3000 characters, which a
// message box would make taller than a screen or slow to lay out.
bool needsScrollingBox(const QString &text);

// The modal box that shows `text` exactly, with `title`, `icon` and one OK
// button: a QMessageBox for a short text; for a long one (needsScrollingBox,
// or a message box larger than the screen) a dialog with a read-only,
// scrolling text view, sized to fit the available area of the screen it
// opens on. Not shown yet.
std::unique_ptr<QDialog> makeTextBox(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                                     const QString &text);

// QMessageBox and QFileDialog behind the dialogs interface. Every box is
// application-modal and returns when the user has closed it. Not responsible
// for the texts: they are shown exactly as given.
class QtDialogs : public Dialogs {
public:
    void messageBox(QWidget *parent, const QString &title, const QString &text) override;
    void errorBox(QWidget *parent, const QString &title, const QString &text) override;
    // Opens Qt's own chooser (never the native one) in open mode; it accepts a
    // typed name of a file that does not exist yet and asks nothing about
    // overwriting. The initial file's folder, when it names one, is the
    // chooser's start folder.
    std::optional<QString> openFile(QWidget *parent, const OpenFileRequest &request) override;
    // Qt's own chooser in open mode for existing files, several at once.
    QStringList openFiles(QWidget *parent, const OpenFileRequest &request) override;
    bool confirm(QWidget *parent, const QString &title, const ConfirmRequest &request) override;
};

} // namespace quz::platform
