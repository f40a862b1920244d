// The statistics page opening over a record of a million answers: the
// program's record opened, the page built, read and painted whole (charts,
// the 800 cells, the weak questions), beside the same page over an empty
// record. The first opening in a new process (fonts, Qt Charts and the
// record all met for the first time, as when quz-exam starts on --stats) and
// the best of five later openings are printed, with the database's size.
//
// Run: QT_QPA_PLATFORM=offscreen <build>/bench/bench_stats [answers [folder]]
// (bench_stats --first <folder> is the child that times one first opening)
// (default 1000000 answers; a folder that already holds a record is used as
// it is, e.g. one that bench_record kept)

#include "bench_timing.h"
#include "record_generator.h"
#include "silent_dialogs.h"

#include "core/record/database_file.h"
#include "core/record/recorder.h"
#include "ui/stats/stats_page.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>

#include <cstdio>

using namespace quz;

namespace {

using quz::bench::SilentDialogs;

// Milliseconds from nothing to the page painted once over `folder`'s record.
double openPage(const QString &folder, int tab)
{
    SilentDialogs dialogs;
    Services services;
    services.programDir = folder;
    services.exePath = folder + QStringLiteral("/quz");
    services.dialogs = &dialogs;
    QElapsedTimer t;
    t.start();
    record::Recorder recorder(
        {record::databasePath(folder), services.settingsPath(), record::Program::QuzExam});
    double ms = 0;
    {
        stats::StatsPage page(services, recorder);
        page.tabs()->setCurrentIndex(tab);
        page.resize(1180, 760);
        page.show();
        (void)page.grab();
        ms = double(t.nsecsElapsed()) / 1e6;
    }
    return ms;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--first") {
        std::printf("%.3f\n", openPage(QString::fromLocal8Bit(argv[2]), 0));
        return 0;
    }
    const qint64 answers = argc > 1 ? QString::fromLocal8Bit(argv[1]).toLongLong() : 1000000;
    QTemporaryDir big, empty;
    const QString folder = argc > 2 ? QString::fromLocal8Bit(argv[2]) : big.path();
    const QString path = record::databasePath(folder);
    if (!QFileInfo::exists(path) && !bench::generateRecord(path, answers))
        return 1;
    bench::generateRecord(record::databasePath(empty.path()), 0, 0);
    std::printf("record: %s, %.1f MB\n", qPrintable(path), double(QFileInfo(path).size()) / 1e6);

    const auto firstOpening = [&](const QString &where) {
        double best = 1e300;
        for (int round = 0; round < 3; ++round) {
            QProcess child;
            child.start(QCoreApplication::applicationFilePath(),
                        {QStringLiteral("--first"), where});
            child.waitForFinished(60000);
            best = std::min(best, child.readAllStandardOutput().trimmed().toDouble());
        }
        return best;
    };
    bench::report("statistics page, first opening in a new process",
                  {firstOpening(folder), firstOpening(empty.path())}, " [floor: an empty record]");
    const char *tabs[] = {"progress charts", "800 questions", "weak questions"};
    for (int tab = 0; tab < 3; ++tab) {
        double best = 1e300, floor = 1e300;
        for (int round = 0; round < 5; ++round) {
            best = std::min(best, openPage(folder, tab));
            floor = std::min(floor, openPage(empty.path(), tab));
        }
        const QByteArray what = QByteArray("statistics page opened on ") + tabs[tab];
        bench::report(what.constData(), {best, floor}, " [floor: an empty record]");
    }
    return 0;
}
