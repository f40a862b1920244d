// The program's main block: the command line, the application, the three
// windows in their order, the command-line journal file, the event loop.

#include "app/quz/answer_recorder.h"
#include "app/quz/arguments.h"
#include "core/files/native_names.h"
#include "ui/comment/Unit2.h"
#include "ui/journal/Unit3.h"
#include "ui/platform/program_paths.h"
#include "ui/platform/qt_dialogs.h"
#include "ui/platform/qt_shell.h"
#include "ui/platform/qt_sound.h"
#include "ui/platform/system_clock.h"
#include "ui/practice/Unit1.h"

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char *argv[])
{
    // The command line is read before QApplication, which needs a display:
    // --help, --version and mistakes are answered without one.
    quz::app::CommandLine commandLine(QStringLiteral("quz"), QStringLiteral(QUZ_VERSION));
    quz::app::describeQuzArguments(commandLine);
    if (commandLine.parse(quz::app::rawArguments(argc, argv))
        != quz::app::CommandLine::Outcome::Run) {
        const QCoreApplication core(argc, argv); // names the program in the usage line
        return commandLine.answer(stdout, stderr);
    }

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
    // The journal file as the user named it, in its readable form: a name
    // that is not UTF-8 still finds its file (native_names.h).
    services.commandLineFile = quz::files::readablePath(commandLine.positional(0));
    services.appTitle = &title;
    services.dialogs = &dialogs;
    services.sound = &sound;
    services.shell = &shell;
    services.clock = &clock;

    // The windows in their order; each then learns the others through the
    // small interface it needs of them.
    quz::practice::TForm1 form1(services);
    quz::comment::TForm2 form2(services);
    quz::journal::TForm3 form3(services);
    form1.setJournalWindow(&form3);
    form1.setCommentWindow(&form2);
    form2.setMainWindow(&form1);
    form3.setPracticeWindow(&form1);
    form3.setMainWindow(&form1);
    // Every answer goes into the learning record; its writer starts with the
    // first answer.
    quz::app::AnswerRecorder answers(services.programDir, services.settingsPath(),
                                     [] { return QDateTime::currentMSecsSinceEpoch(); });
    form1.setAnswerLog(&answers);

    form1.show();
    return app.exec();
}
