#pragma once
// Where the main window reports every answer given to it, for the learning
// record. The program wires a writer of the record; the main window knows
// nothing else of it, and an answer log that cannot write changes nothing of
// what the window does.

#include <QString>

namespace quz::links {

class AnswerLog {
public:
    // One answer: the ticket and question as the window holds them, the
    // digit given (1..5), the right answer's digit as the question file gives
    // it, whether the window took the answer as right, and whether the
    // journal answer mode asked the question. Called on the answer path: it
    // must return at once.
    virtual void answerGiven(const QString &ticket, const QString &question, int given,
                             const QString &right, bool correct, bool journalMode) = 0;

protected:
    ~AnswerLog() = default;
};

} // namespace quz::links
