#pragma once
// The values the learning record stores and reports: one answer, one whole
// exam, and the state of the recording that the statistics page shows. Plain
// values only; storing them is recorder.h, reading them back history.h.

#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

namespace quz::record {

inline constexpr int kTickets = 40;
inline constexpr int kQuestionsPerTicket = 20;
inline constexpr int kQuestions = kTickets * kQuestionsPerTicket;

// Which program gave an answer.
enum class Program { Quz, QuzExam };
// How it was asked: a practice run of quz, quz's journal answer mode, an
// exam of quz-exam, or an error entry of a journal file added afterwards.
enum class Mode { Practice, JournalAnswer, Exam, Imported };

// The names stored in the database: "quz", "quz-exam"; "practice",
// "journal", "exam", "import".
QString programName(Program program);
QString modeName(Mode mode);

// One answer as the answer check saw it.
struct Answer {
    qint64 atMs = 0; // when, milliseconds since 1970 UTC
    Program program = Program::Quz;
    Mode mode = Mode::Practice;
    int ticket = 0;   // 1..40
    int question = 0; // 1..20
    int given = 0;    // the digit answered, 1..5; 0 for none (time ran out)
    int right = 0;    // the right answer's digit; 0 when the question file has none
    bool correct = false;
};

// Whether the answer names one of the 800 questions; no other is recorded.
bool isRecordable(const Answer &answer);

// A ticket or question number as the windows hold it ("05", "12"): the
// number, or nothing for a text that is not one.
std::optional<int> numberFromCaption(const QString &caption);

// One finished exam with its answers in the order they were asked.
struct Exam {
    qint64 startedMs = 0; // milliseconds since 1970 UTC
    QString rule;         // "2004" or "2016"
    int ticket = 0;       // the exam's own ticket, 1..40
    qint64 timeUsedMs = 0;
    bool passed = false;
    QString reason;              // the verdict's one line, as the result screen says it
    std::vector<Answer> answers; // mode Exam; unanswered ones with given 0
};

// What the recording is doing, as the statistics page tells the user.
struct RecordState {
    enum class Kind {
        Starting,    // the database is being opened
        Ready,       // answers are written
        Off,         // switched off in the settings
        Busy,        // another program holds the file; answers wait
        Failed,      // the last write failed (full disk ...); later ones are tried
        Unavailable, // the file cannot be used; the programs go on without it
        Newer,       // written by a newer version; never changed
    };
    Kind kind = Kind::Starting;
    QString text;   // what happened, in Russian
    QDateTime when; // when it happened
    bool writes() const { return kind == Kind::Ready; }
};

// One notable event kept in the database (a damaged file moved aside, the
// history emptied, journals added), so that either program's page shows it.
struct RecordEvent {
    QDateTime when;
    QString program;
    QString text;
};

} // namespace quz::record
