// The program's main block: the application, the three windows in their
// order, the command-line journal file, the event loop.

#include "core/files/native_names.h"
#include "ui/comment/Unit2.h"
#include "ui/journal/Unit3.h"
#include "ui/platform/control_state.h"
#include "ui/platform/program_paths.h"
#include "ui/platform/qt_dialogs.h"
#include "ui/platform/qt_shell.h"
#include "ui/platform/qt_sound.h"
#include "ui/platform/system_clock.h"
#include "ui/practice/Unit1.h"

#include <QApplication>
#include <QFileInfo>
#include <QToolButton>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);

    quz::platform::QtDialogs dialogs;
    quz::platform::QtSound sound;
    quz::platform::QtShell shell;
    quz::platform::SystemClock clock;
    // Until the main window's creation ends, the application's title is the
    // one derived from the executable's file name.
    QString title = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();

    quz::Services services = quz::platform::programServices();
    // The journal file as the system named it, in its readable form: a name
    // that is not UTF-8 still finds its file (native_names.h).
    if (argc > 1)
        services.commandLineFile = quz::files::readablePath(argv[1]);
    services.appTitle = &title;
    services.dialogs = &dialogs;
    services.sound = &sound;
    services.shell = &shell;
    services.clock = &clock;

    quz::WindowSet windows;
    TForm1 form1(services, windows);
    TForm2 form2(services, windows);
    TForm3 form3(services, windows);
    if (!services.commandLineFile.isEmpty())
        quz::platform::setTag(form3.sbAnsver, 1);

    form1.show();
    return app.exec();
}
