// quz-check: tells a user what the program would misread in a program
// directory (question file, comment file, pictures, placeholder, notes) or
// in journal files. `quz-check --help` tells how to use it.

#include "app/quz-check/arguments.h"
#include "check/wording.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    // No plugins: the checker decodes pictures through libjpeg and walks the
    // placeholder's headers itself (check/bitmap_check.h); it loads no image
    // format plugin and not Qt GUI either.
    QCoreApplication::setLibraryPaths({});
    // Needs no display: the help, the version and mistakes are answered
    // wherever the check runs, in the user's language.
    QCoreApplication app(argc, argv);
    quz::check::installTranslation();

    quz::app::CommandLine commandLine(QStringLiteral("quz-check"), QStringLiteral(QUZ_VERSION),
                                      quz::app::checkCommandLineTexts());
    quz::app::describeCheckArguments(commandLine);
    commandLine.parse(quz::app::rawArguments(argc, argv));
    const std::optional<quz::check::CheckRequest> request =
        quz::app::readCheckArguments(commandLine);
    if (!request) {
        if (commandLine.outcome() == quz::app::CommandLine::Outcome::Error
            && quz::app::wantsJson(commandLine)) {
            const QByteArray json = quz::check::usageErrorJson(commandLine.errorText());
            std::fwrite(json.constData(), 1, static_cast<size_t>(json.size()), stdout);
            std::fflush(stdout);
        }
        return commandLine.answer(stdout, stderr);
    }
    return quz::check::runCheck(*request);
}
