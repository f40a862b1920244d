#pragma once
// A generated learning record for the benchmarks and the preview program: a
// learner who answers `answers` questions over the last year (most of them
// right, some questions much harder than others, a few imported errors) and
// takes an exam now and then.

#include "core/record/record_store.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>

namespace quz::bench {

// Writes the record at `path`; false (with a message on stderr) on failure.
inline bool generateRecord(const QString &path, qint64 answers, int exams = 300,
                           quint32 seed = 20260310)
{
    record::Store store({path, record::Program::Quz, 5000, 0});
    const record::RecordState state = store.open(QDateTime::currentDateTime());
    if (!state.writes()) {
        std::fprintf(stderr, "cannot open %s: %s\n", qPrintable(path), qPrintable(state.text));
        return false;
    }
    QRandomGenerator random(seed);
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    const qint64 year = 365LL * 24 * 3600 * 1000;
    // Every question has a difficulty: the chance of a wrong answer, 2..60 %.
    std::vector<int> difficulty(record::kQuestions);
    for (int &d : difficulty)
        d = 2 + int(random.bounded(59));
    constexpr qint64 kBatch = 50000;
    std::vector<record::Answer> batch;
    for (qint64 written = 0; written < answers;) {
        batch.clear();
        const qint64 count = std::min(kBatch, answers - written);
        for (qint64 i = 0; i < count; ++i, ++written) {
            const int index = int(random.bounded(record::kQuestions));
            const bool imported = random.bounded(200) == 0;
            const bool correct = !imported && int(random.bounded(100)) >= difficulty[size_t(index)];
            // Answers spread over the year, oldest first.
            const qint64 at =
                imported ? 0 : now - year + year * written / std::max<qint64>(1, answers);
            batch.push_back({at, record::Program::Quz,
                             imported ? record::Mode::Imported : record::Mode::Practice,
                             index / record::kQuestionsPerTicket + 1,
                             index % record::kQuestionsPerTicket + 1, correct ? 2 : 3, 2, correct});
        }
        if (!store.writeAnswers(batch)) {
            std::fprintf(stderr, "cannot write the generated answers\n");
            return false;
        }
    }
    for (int e = 0; e < exams; ++e) {
        record::Exam exam;
        exam.startedMs = now - year + year * e / std::max(1, exams);
        exam.rule = e % 2 ? QStringLiteral("2016") : QStringLiteral("2004");
        exam.ticket = 1 + int(random.bounded(record::kTickets));
        exam.timeUsedMs = 300000 + random.bounded(900000);
        int errors = 0;
        for (int q = 1; q <= 20; ++q) {
            // The learner gets better over the year.
            const bool correct = int(random.bounded(100)) >= 25 - 20 * e / std::max(1, exams);
            errors += correct ? 0 : 1;
            exam.answers.push_back({exam.startedMs + q * 30000, record::Program::QuzExam,
                                    record::Mode::Exam, exam.ticket, q, correct ? 1 : 2, 1,
                                    correct});
        }
        exam.passed = errors <= 2;
        exam.reason = exam.passed
                          ? QStringLiteral("Ошибок: %1").arg(errors)
                          : QStringLiteral("Ошибок: %1, допускается не более 2").arg(errors);
        if (!store.writeExam(exam))
            return false;
    }
    return true;
}

} // namespace quz::bench
