// The main block of quz-exam: the command line, the application, the
// learning record, the exam window, the event loop.

#include "app/quz-exam/arguments.h"
#include "core/exam/exam_settings.h"
#include "core/exam/monotonic_clock.h"
#include "core/record/database_file.h"
#include "core/record/recorder.h"
#include "ui/exam/exam_window.h"
#include "ui/platform/program_paths.h"
#include "ui/platform/qt_dialogs.h"
#include "ui/platform/system_clock.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    // The command line is read before QApplication, which needs a display:
    // --help, --version and mistakes are answered without one.
    quz::app::CommandLine commandLine(QStringLiteral("quz-exam"), QStringLiteral(QUZ_VERSION));
    quz::app::describeExamArguments(commandLine);
    commandLine.parse(quz::app::rawArguments(argc, argv));
    const std::optional<quz::exam::ExamOptions> options = quz::app::readExamArguments(commandLine);
    if (!options) {
        const QCoreApplication core(argc, argv); // names the program in the usage line
        return commandLine.answer(stdout, stderr);
    }

    QApplication app(argc, argv);
    quz::platform::QtDialogs dialogs;
    quz::platform::SystemClock clock;
    const quz::exam::SteadyClock countdown;
    QString title = QStringLiteral("QUZ — экзамен");

    quz::Services services = quz::platform::programServices();
    services.commandLineFile.clear();
    services.appTitle = &title;
    services.dialogs = &dialogs;
    services.clock = &clock;

    // The record beside quz.ini, whose [record] switch both programs share.
    // It outlives the window and, when destroyed, writes what is left.
    quz::record::Recorder recorder({quz::record::databasePath(services.programDir),
                                    quz::exam::settingsFilePath(services.programDir),
                                    quz::record::Program::QuzExam});
    quz::examui::ExamWindow window(
        services, countdown, recorder,
        quz::examui::statsModuleMaker(services.dataPath(quz::examui::statsModuleFileName())),
        *options);
    window.show();
    return app.exec();
}
