// Shows the statistics page in a window of its own over a program folder
// with a generated learning record, as quz-exam will show it: for looking at
// the page, screenshots and driving it over the accessibility interface.
//
// Run: stats_preview [answers [program-folder]]
// Without a folder, the demonstration data is copied into a temporary one
// and a record of `answers` answers (default 20000) is generated there; a
// folder that already holds a record is shown as it is.

#include "record_generator.h"

#include "core/record/database_file.h"
#include "core/record/recorder.h"
#include "ui/platform/qt_dialogs.h"
#include "ui/platform/system_clock.h"
#include "ui/stats/stats_page.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

using namespace quz;

namespace {

void copyFolder(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    const QDir source(from);
    for (const QFileInfo &entry : source.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
        const QString target = QDir(to).filePath(entry.fileName());
        if (entry.isDir())
            copyFolder(entry.filePath(), target);
        else
            QFile::copy(entry.filePath(), target);
    }
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const qint64 answers = argc > 1 ? QString::fromLocal8Bit(argv[1]).toLongLong() : 20000;
    QTemporaryDir temporary;
    QString folder = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    if (folder.isEmpty()) {
        folder = temporary.path();
        copyFolder(QStringLiteral(QUZ_DEMO_DATA_DIR), folder);
    }
    const QString database = record::databasePath(folder);
    if (!QFileInfo::exists(database) && !bench::generateRecord(database, answers))
        return 1;

    QString title = QStringLiteral("QUZ — статистика");
    platform::QtDialogs dialogs;
    platform::SystemClock clock;
    Services services;
    services.programDir = folder;
    services.exePath = QDir(folder).filePath(QStringLiteral("quz"));
    services.appTitle = &title;
    services.dialogs = &dialogs;
    services.clock = &clock;

    record::Recorder recorder({database, services.settingsPath(), record::Program::QuzExam});
    stats::StatsPage page(services, recorder);
    page.setWindowTitle(title);
    page.resize(1180, 760);
    page.show();
    std::printf("program folder: %s\n", qPrintable(folder));
    std::fflush(stdout);
    return app.exec();
}
