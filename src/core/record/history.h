#pragma once
// The learning record read back for the statistics page: the summary, the
// exams over time, the answers per day, the state of each of the 800
// questions and the weak questions. Everything is read from the summaries
// that triggers keep (question_stats, day_stats) and from the exams, so that
// reading costs the same for a thousand answers as for a million. Reading
// never changes the file (a read-only connection). Not responsible for
// writing (recorder.h) or for showing anything.

#include "core/files/outcome.h"
#include "core/record/journal_exchange.h"
#include "core/record/record_types.h"

#include <QDate>
#include <QString>

#include <optional>
#include <vector>

namespace quz::record {

struct Summary {
    qint64 answers = 0; // every answer recorded, imported ones included
    qint64 right = 0;
    qint64 weekAnswers = 0; // answers of the last 7 days (today and the 6 before)
    qint64 weekRight = 0;
    int questionsRight = 0; // questions answered right at least once, of 800
    int exams = 0;
    int examsPassed = 0;
};

struct ExamResult {
    qint64 startedMs = 0;
    QString rule;
    int ticket = 0;
    qint64 timeUsedMs = 0;
    bool passed = false;
    QString reason;
    int asked = 0;
    int errors = 0;
};

struct DayCount {
    QDate day;
    qint64 answers = 0;
    qint64 right = 0;
};

// How the 800-cell view colours a question.
enum class CellState { NeverAsked, LastRight, LastWrong };

struct QuestionStat {
    QuestionRef ref;
    qint64 asked = 0;
    qint64 wrong = 0;
    std::optional<qint64> lastMs; // the newest timed answer
    bool lastCorrect = false;     // the newest answer (timed ones before imported ones)
    std::optional<qint64> lastWrongMs;

    double errorRate() const { return asked > 0 ? double(wrong) / double(asked) : 0.0; }
    CellState state() const
    {
        if (asked == 0)
            return CellState::NeverAsked;
        return lastCorrect ? CellState::LastRight : CellState::LastWrong;
    }
};

struct History {
    Summary summary;
    std::vector<ExamResult> exams; // oldest first
    std::vector<DayCount> days;    // oldest first, days with answers only
    // All 800 questions, ticket by ticket: index (ticket - 1) * 20 + question - 1.
    std::vector<QuestionStat> questions;
    std::vector<RecordEvent> events; // newest first, at most kShownEvents
};

inline constexpr int kShownEvents = 20;

// The index of a question in History::questions.
inline int questionIndex(const QuestionRef &ref)
{
    return (ref.ticket - 1) * kQuestionsPerTicket + ref.question - 1;
}

// An empty history: no answers, 800 questions never asked.
History emptyHistory();

// Reads the record at `path`; `today` decides the last 7 days. A missing
// file, a new one and one the writer has not brought to the current version
// yet read as emptyHistory(). Fails, with a Russian sentence for the page,
// when what stands at the name cannot be read, is not a record, is damaged,
// or was written by a newer version.
Outcome<History> readHistory(const QString &path, const QDate &today);

// The questions answered wrong at least once: most errors first, then the
// higher share of errors, then the most recent error first, then in ticket
// order.
std::vector<QuestionStat> weakQuestions(const std::vector<QuestionStat> &questions);

} // namespace quz::record
