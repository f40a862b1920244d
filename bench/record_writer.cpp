// A program that writes answers and exams through the record's API without
// end, for the kill run (tools/record_kill_run.py): it hands over one item
// every few milliseconds (far faster than a person answers) and prints
// "handed <n>" after each hand-over, so that the run knows what was handed
// over when it kills the program.
//
// Every item carries its number in its time: answer n is answered at
// <base> + n ms; exam n (every 10th item) starts at <base> + n ms and has 20
// answers at the same time.
//
// Run: record_writer <folder> <base> quz|quz-exam [seed]

#include "core/record/database_file.h"
#include "core/record/recorder.h"

#include <QCoreApplication>
#include <QRandomGenerator>

#include <chrono>
#include <cstdio>
#include <thread>

using namespace quz::record;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: record_writer <folder> <base> quz|quz-exam [seed]\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const qint64 base = QString::fromLocal8Bit(argv[2]).toLongLong();
    const Program program =
        QString::fromLocal8Bit(argv[3]) == u"quz-exam" ? Program::QuzExam : Program::Quz;
    QRandomGenerator random(argc > 4 ? QString::fromLocal8Bit(argv[4]).toUInt() : 1);

    Recorder recorder({databasePath(folder), {}, program, 2000, 0});
    for (qint64 n = 1;; ++n) {
        const qint64 at = base + n;
        const int ticket = 1 + int(n % 40);
        if (n % 10 == 0) {
            Exam exam{at,          QStringLiteral("2004"),      ticket, 1000,
                      n % 20 == 0, QStringLiteral("Ошибок: 1"), {}};
            for (int q = 1; q <= 20; ++q)
                exam.answers.push_back({at, program, Mode::Exam, ticket, q, 1, 1, q != 3});
            recorder.recordExam(exam);
        } else {
            const int question = 1 + int(n % 20);
            const Mode mode = program == Program::QuzExam ? Mode::Exam : Mode::Practice;
            recorder.recordAnswer({at, program, mode, ticket, question, 1, 1, n % 3 != 0});
        }
        std::printf("handed %lld\n", static_cast<long long>(n));
        std::fflush(stdout);
        std::this_thread::sleep_for(std::chrono::milliseconds(2 + random.bounded(18)));
    }
}
