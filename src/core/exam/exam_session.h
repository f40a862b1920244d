#pragma once
// One examination rehearsal from its start to its verdict: the ticket, its
// questions in order, the extra blocks the 2016 rules add, the answers, the
// countdown and the result. The window shows what the session holds and
// passes on the learner's answers, the ticks of its timer and "Закончить";
// it keeps no exam state of its own.
//
// Not responsible for showing anything, for the rules themselves
// (exam_rules.h) or for the journal file (exam_journal.h).
//
// Questions come from the question bank. A question the bank cannot give
// (no record, no usable answer digit, no variants) is left out of the exam
// and named in notices(); the exam runs with the rest. Random choices (the
// ticket, the tickets of the extra blocks) come from one generator seeded
// with the setup's seed, so the same seed and the same answers give the same
// exam.
//
// The countdown is measured against a monotonic clock; every call first
// notices a time-out that has come since the last one, so an answer that
// arrives after the time has run out is not counted.

#include "core/bank/question_bank.h"
#include "core/exam/exam_rules.h"
#include "core/exam/monotonic_clock.h"
#include "core/exam/question_index.h"
#include "core/files/outcome.h"

#include <QRandomGenerator>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace quz::bank {
class CommentBank;
}

namespace quz::exam {

struct ExamSetup {
    Rule rule = Rule::Rules2016;
    std::optional<int> ticket; // 1..40; nothing for a random ticket
    quint32 seed = 0;
};

// One question of the exam as asked.
struct ExamQuestion {
    int ticket = 1; // 1..40
    int number = 1; // 1..20
    bool extra = false;
    bank::Question question;
    int given = 0; // the answer given, 1..5; 0 while none
    Mark mark = Mark::Pending;

    int rightAnswer() const; // the record's answer digit, 1..5
    QString ticketText() const;
    QString numberText() const;
};

// A question the verdict counted as an error, for the result page.
struct WrongAnswer {
    int ticket = 1;
    int number = 1;
    bool extra = false;
    QString question; // the question text
    int given = 0;    // 0: not answered
    int right = 1;
    QString givenText; // the variants' texts without their line ends; empty
    QString rightText; // when there is none
    QString comment;   // from the comment bank, line breaks as '\n'; may be empty
};

// What a call changed, for the window to redraw.
enum class Change {
    None,        // nothing (the exam is over, or an answer that is not one)
    Next,        // another question is current
    BlocksAdded, // extra blocks and their time were added; the first extra question is current
    Finished,    // the verdict is in
};

class ExamSession {
public:
    enum class State { Running, Finished, Abandoned };

    // Starts an exam now. `bank` and `clock` must outlive the session, and
    // the bank must not change while it runs (the extra blocks are looked up
    // when they are added). The bank is indexed once (one pass), so every
    // lookup reads only its own record. Fails
    // (with a line the window can show) only when the exam has no question
    // at all: an empty bank, or a chosen ticket of which none is usable, or a
    // ticket number outside 1..40.
    static Outcome<ExamSession> start(const bank::QuestionBank &bank, const ExamSetup &setup,
                                      const MonotonicClock &clock);

    Rule rule() const { return m_rule; }
    int ticket() const { return m_ticket; }
    QString ticketText() const;
    quint32 seed() const { return m_seed; }
    State state() const { return m_state; }
    bool isRunning() const { return m_state == State::Running; }

    // Every question of the exam so far, in the order asked.
    const std::vector<ExamQuestion> &questions() const { return m_questions; }
    // The question to answer now; nothing once the exam is over.
    const ExamQuestion *current() const;
    // 1-based position of the current question (of the last one asked once
    // the exam is over) and the number of questions of the exam.
    int position() const { return m_current + 1; }
    int total() const { return static_cast<int>(m_questions.size()); }
    QString progressText() const; // "Вопрос N из M"

    // Time left, never below 0; 0 once the exam is over.
    qint64 remainingMs() const;
    QString remainingText() const; // "Осталось MM:SS", seconds rounded up
    // Time taken: from the start to now, or to the end; never more than the
    // time the exam had.
    qint64 usedMs() const;
    qint64 limitMs() const { return m_deadline - m_start; }

    // The learner's answer 1..5 to the current question. An answer outside
    // 1..5 or beyond the question's variants changes nothing.
    Change answer(int digit);
    // The window's timer: notices the time running out.
    Change update();
    // "Закончить": every unanswered question counts as an error and the
    // verdict is given now.
    Change finishEarly();
    // The window was closed during the exam: it ends not passed.
    void abandon();

    // Once the exam is over: whether it was passed and why.
    bool passed() const { return m_passed; }
    QString reason() const { return m_reason; }
    // Questions the verdict counted: those answered and those counted as
    // errors without an answer.
    int countedCount() const;
    int rightCount() const;
    // Every question counted as an error, in the order asked; the comments
    // from `comments` when given.
    std::vector<WrongAnswer> wrongAnswers(const bank::CommentBank *comments) const;

    // What the bank could not give, one line each, for the window to show:
    // "Билет 05, вопросы 07, 12: нет в файле vopros.txt".
    const QStringList &notices() const { return m_notices; }

private:
    ExamSession(const bank::QuestionBank &bank, const ExamSetup &setup,
                const MonotonicClock &clock);
    qint64 now() const { return m_clock->nowMs(); }
    bool timedOut();
    Change apply(const Decision &decision, Trigger trigger);
    bool addBlock(int block);
    void finish(bool passed, const QString &reason);
    void missPending();
    std::vector<JudgedQuestion> judged() const;

    QuestionIndex m_index;
    const MonotonicClock *m_clock;
    Rule m_rule;
    quint32 m_seed;
    QRandomGenerator m_random;
    int m_ticket = 1;
    std::vector<ExamQuestion> m_questions;
    int m_current = 0;
    qint64 m_start = 0;
    qint64 m_deadline = 0;
    qint64 m_end = 0;
    State m_state = State::Running;
    bool m_passed = false;
    QString m_reason;
    QStringList m_notices;
};

// "MM:SS" of a span of milliseconds (rounded down).
QString clockText(qint64 ms);

} // namespace quz::exam
