#include "ui/platform/program_paths.h"

#include <QCoreApplication>
#include <QStringList>

namespace quz::platform {

Services programServices()
{
    Services services;
    services.programDir = QCoreApplication::applicationDirPath();
    services.exePath = QCoreApplication::applicationFilePath();
    services.commandLineFile = QCoreApplication::arguments().value(1);
    return services;
}

} // namespace quz::platform
