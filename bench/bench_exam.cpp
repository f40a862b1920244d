// The exam rehearsal's core on the demonstration bank: starting an exam with
// a random ticket (the bank indexed once, the ticket's 20 questions looked
// up), answering a whole exam, and starting on a damaged 64 MiB bank in
// which no ticket is usable, each printed beside its floor.
//
// Run: <build>/bench/bench_exam
#include "bench_timing.h"

#include "core/exam/exam_session.h"

#include <QFile>
#include <QString>

#include <cstring>

using namespace quz;

namespace {

volatile size_t g_sink = 0;

// A clock that stands still: the countdown plays no part here.
class StillClock : public exam::MonotonicClock {
public:
    qint64 nowMs() const override { return 0; }
};

QString twoDigits(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

} // namespace

int main()
{
    QFile file(QStringLiteral(QUZ_DEMO_DATA_DIR "/vopros.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    const QByteArray bytes = file.readAll();
    bank::QuestionBank demo;
    demo.setText(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
    const StillClock clock;
    quint32 seed = 0;

    // Floor: the 20 lookups of one ticket straight from the bank.
    bench::report(
        "exam start, random ticket",
        bench::compare(
            [&] {
                auto s = exam::ExamSession::start(demo, {exam::Rule::Rules2016, {}, ++seed}, clock);
                g_sink = g_sink + static_cast<size_t>(s->total());
            },
            [&] {
                for (int q = 1; q <= 20; ++q)
                    g_sink =
                        g_sink + static_cast<size_t>(demo.lookup(twoDigits(7), twoDigits(q)).found);
            }),
        " (floor: the ticket's 20 lookups without an index)");

    // Floor: the start alone; the difference is 20 answers, each with the
    // rules' decision and the move to the next question.
    const auto start = [&] {
        return exam::ExamSession::start(demo, {exam::Rule::Rules2004, 7, 0}, clock);
    };
    const bench::Timing whole = bench::compare(
        [&] {
            auto s = start();
            while (const exam::ExamQuestion *q = s->current())
                s->answer(q->rightAnswer());
            g_sink = g_sink + static_cast<size_t>(s->rightCount());
        },
        [&] { g_sink = g_sink + static_cast<size_t>(start()->total()); });
    char note[96];
    std::snprintf(note, sizeof note, " (floor: the start alone; %.4f ms an answer)",
                  (whole.ms - whole.floorMs) / 20);
    bench::report("exam start and 20 answers", whole, note);

    // A bank of 64 MiB short lines without a single record. Floor: one pass
    // over its bytes.
    QByteArray junk(64 * 1024 * 1024, 'a');
    for (qsizetype i = 99; i < junk.size(); i += 100)
        junk[i] = '\n';
    bank::QuestionBank damaged;
    damaged.setText(std::string_view(junk.constData(), static_cast<size_t>(junk.size())));
    bench::report(
        "exam start on a 64 MiB bank without records",
        bench::compare(
            [&] {
                g_sink =
                    g_sink + static_cast<size_t>(exam::ExamSession::start(damaged, {}, clock).ok());
            },
            [&] {
                const std::string_view text = damaged.text();
                g_sink =
                    g_sink + reinterpret_cast<size_t>(std::memchr(text.data(), 0, text.size()));
            },
            5),
        " (floor: one memchr pass over the bank)");
    return 0;
}
