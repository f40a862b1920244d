#pragma once
// The two rule sets of the examination rehearsal as pure logic: given what
// became of every question of an exam so far, what happens next (go on, add
// extra blocks with their time, passed, failed) and the verdict's one-line
// reason. Not responsible for choosing tickets or questions, for the clock or
// for keeping the answers (exam_session.h does all three).
//
// "Правила 2004 года": one ticket, 20 questions, 20 minutes; passed with at
// most 2 errors, failed at once at the third.
// "Правила 2016 года": the same 20 questions as 4 blocks of 5 (questions 1-5,
// 6-10, 11-15, 16-20), 20 minutes. Two errors in one block or three errors
// fail at once. With all 20 done, no error passes; one error, or two in
// different blocks, add one extra block of 5 questions and 5 minutes per
// error, for the blocks the errors were in. Any error in the extra questions,
// or the time running out in them, fails at once.

#include "core/practice/practice_rules.h"

#include <QString>

#include <vector>

namespace quz::exam {

enum class Rule { Rules2004, Rules2016 };

inline constexpr int kTicketCount = practice::kTicketCount;
inline constexpr int kMainQuestions = practice::kQuestionsPerTicket;
inline constexpr int kBlockSize = 5;
inline constexpr int kBlockCount = kMainQuestions / kBlockSize;
inline constexpr int kMainMinutes = 20;
inline constexpr int kExtraBlockMinutes = 5;
inline constexpr int kErrorsAllowed = 2;

// The year that names a rule set (2004, 2016), and the rule of a year.
int ruleYear(Rule rule);
bool ruleOfYear(int year, Rule *rule);

// "Правила 2004 года", "Правила 2016 года": the name the learner picks.
QString ruleTitle(Rule rule);
// One line saying what the rule set means, for the start page.
QString ruleSummary(Rule rule);

// The block (0..3) of a question number 1..20.
int blockOf(int questionNumber);

// What became of one question.
enum class Mark {
    Pending, // not answered yet; the exam may still ask it
    Right,
    Wrong,
    Missed, // never answered: the time ran out or the exam was ended early
};

struct JudgedQuestion {
    int number = 1;     // 1..20, which gives its block
    bool extra = false; // one of the extra questions
    Mark mark = Mark::Pending;
};

// What brought the decision about: an answer, the time running out, or the
// learner ending the exam early ("Закончить"). By the last two every
// question still pending has become Missed.
enum class Trigger { Answer, TimeOut, Finish };

struct Decision {
    enum class Kind {
        Continue,  // ask the next pending question
        AddBlocks, // add the extra blocks `blocks`, then go on
        Passed,
        Failed,
    };
    Kind kind = Kind::Continue;
    // For AddBlocks: the blocks (0..3) whose question numbers the extra
    // blocks repeat, in block order; each brings kExtraBlockMinutes.
    std::vector<int> blocks;
    // For Passed and Failed: the verdict's reason in one line, such as
    // "Ошибок: 3, допускается не более 2" or "Две ошибки в одном блоке".
    QString reason;
};

// The decision after `trigger`, over every question of the exam in the
// order asked (main questions first, then the extra ones).
Decision decide(Rule rule, const std::vector<JudgedQuestion> &questions, Trigger trigger);

} // namespace quz::exam
