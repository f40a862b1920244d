// The main block of quz-exam: the command line, the application, the exam
// window, the event loop.

#include "app/quz-exam/arguments.h"
#include "core/exam/monotonic_clock.h"
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

    quz::examui::ExamWindow window(services, countdown, *options);
    window.show();
    return app.exec();
}
