// The learning record: what recording costs the answer path (the hand-over
// to the writer thread, beside not recording at all), how fast the writer
// commits answers one transaction each (beside many in one transaction), and,
// on a generated record of a million answers, opening it for writing and
// reading everything the statistics page shows (beside an empty record).
//
// Run: <build>/bench/bench_record [answers [folder]]
// (default 1000000 answers; the generated record is kept in `folder` when
// one is given, e.g. for bench_stats and the preview program; a folder that
// already holds a record is measured as it is)

#include "bench_timing.h"
#include "record_generator.h"

#include "core/record/database_file.h"
#include "core/record/history.h"
#include "core/record/recorder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace quz;

namespace {

record::Answer someAnswer(int i)
{
    return {QDateTime::currentMSecsSinceEpoch(),
            record::Program::Quz,
            record::Mode::Practice,
            1 + i % 40,
            1 + i % 20,
            2,
            2,
            true};
}

double medianOf(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The caller's side of one answer, timed alone: the writer is idle when each
// answer is handed over, as it is when a person answers.
void handOver(const QString &dir)
{
    record::Recorder recorder({record::databasePath(dir), {}, record::Program::Quz, 2000, 0});
    recorder.waitForWrites(10000);
    std::vector<double> recording, notRecording;
    volatile int sink = 0;
    for (int i = 0; i < 2000; ++i) {
        QElapsedTimer t;
        t.start();
        recorder.recordAnswer(someAnswer(i));
        recording.push_back(double(t.nsecsElapsed()) / 1e6);
        recorder.waitForWrites(10000);

        t.start();
        const record::Answer skipped = someAnswer(i);
        sink = sink + skipped.ticket;
        notRecording.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(recording.begin(), recording.end());
    std::printf("answer handed to the record: median %.2f us, 99th percentile %.2f us, worst "
                "%.2f us (floor %.2f us: the same answer built, not recorded)\n",
                medianOf(recording) * 1000, recording[recording.size() * 99 / 100] * 1000,
                recording.back() * 1000, medianOf(notRecording) * 1000);
}

// The writer's side: answers one transaction each, beside one transaction
// for all of them.
void writerThroughput(const QString &dir)
{
    constexpr int kAnswers = 5000;
    QElapsedTimer t;
    {
        record::Recorder recorder({record::databasePath(dir), {}, record::Program::Quz, 2000, 0});
        recorder.waitForWrites(10000);
        t.start();
        for (int i = 0; i < kAnswers; ++i)
            recorder.recordAnswer(someAnswer(i));
        recorder.waitForWrites(600000);
    }
    const double single = double(t.nsecsElapsed()) / 1e6 / kAnswers;
    record::Store store({record::databasePath(dir), record::Program::Quz, 2000, 0});
    store.open(QDateTime::currentDateTime());
    std::vector<record::Answer> all;
    for (int i = 0; i < kAnswers; ++i)
        all.push_back(someAnswer(i));
    t.start();
    (void)store.writeAnswers(all);
    const double batched = double(t.nsecsElapsed()) / 1e6 / kAnswers;
    bench::report("answer written by the writer thread (own transaction)", {single, batched},
                  " [floor: many answers in one transaction]");
}

double bestOf(int rounds, const std::function<void()> &work)
{
    double best = 1e300;
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer t;
        t.start();
        work();
        best = std::min(best, double(t.nsecsElapsed()) / 1e6);
    }
    return best;
}

void bigRecord(const QString &dir, qint64 answers)
{
    const QString path = record::databasePath(dir);
    QElapsedTimer t;
    t.start();
    if (QFileInfo::exists(path)) {
        std::printf("the record already in %s: %.1f MB\n", qPrintable(dir),
                    double(QFileInfo(path).size()) / 1e6);
    } else {
        if (!bench::generateRecord(path, answers))
            return;
        std::printf("generated %lld answers in %.1f s: %.1f MB (%.1f bytes per answer)\n",
                    static_cast<long long>(answers), double(t.elapsed()) / 1000,
                    double(QFileInfo(path).size()) / 1e6,
                    double(QFileInfo(path).size()) / double(std::max<qint64>(1, answers)));
    }
    QTemporaryDir empty;
    const QString emptyPath = record::databasePath(empty.path());
    bench::generateRecord(emptyPath, 0, 0);

    // As the recorder opens it: the schema, WAL, the summaries' count; every
    // page is read later, when the writer is idle.
    const auto openStore = [](const QString &p) {
        record::Store store({p, record::Program::Quz, 2000, 0, false});
        (void)store.open(QDateTime::currentDateTime());
    };
    bench::report("open for writing (schema, summaries counted)",
                  {bestOf(3, [&] { openStore(path); }), bestOf(3, [&] { openStore(emptyPath); })},
                  " [floor: an empty record]");
    const auto checkStore = [](const QString &p) {
        record::Store store({p, record::Program::Quz, 2000, 0, false});
        (void)store.open(QDateTime::currentDateTime());
        (void)store.checkIntegrity(QDateTime::currentDateTime());
    };
    bench::report("open and read every page for damage (writer thread, once idle)",
                  {bestOf(3, [&] { checkStore(path); }), bestOf(3, [&] { openStore(path); })},
                  " [floor: the open alone]");
    const QDate today = QDate::currentDate();
    bench::report("read everything the page shows",
                  {bestOf(5, [&] { (void)record::readHistory(path, today); }),
                   bestOf(5, [&] { (void)record::readHistory(emptyPath, today); })},
                  " [floor: an empty record]");
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const qint64 answers = argc > 1 ? QString::fromLocal8Bit(argv[1]).toLongLong() : 1000000;
    QTemporaryDir a, b, c;
    handOver(a.path());
    writerThroughput(b.path());
    bigRecord(argc > 2 ? QString::fromLocal8Bit(argv[2]) : c.path(), answers);
    return 0;
}
