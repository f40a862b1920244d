// quz-check: tells a user what the program would misread in a program
// directory (question file, comment file, pictures, placeholder, notes) or
// in journal files. `quz-check --help` tells how to use it.

#include "check/check_command.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    // No plugins: the checker reads pictures through libjpeg and the
    // placeholder through Qt's own bitmap reader, and loading the image
    // format plugins would cost more than the whole check.
    QCoreApplication::setLibraryPaths({});
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(QUZ_VERSION));
    return quz::check::runCheckCommand(argc, argv);
}
