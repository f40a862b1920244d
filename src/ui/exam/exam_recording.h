#pragma once
// What quz-exam hands to the learning record: each answer at the moment it is
// given, and each exam as a whole when it ends, finished or abandoned (an
// abandoned exam is kept as not passed, "Экзамен прерван", with the answers
// given until then). The Recorder writes them on its own thread; the calls
// here only copy values and return.
//
// Not responsible for the exam itself (exam::ExamSession), for writing or
// for what happens when the record cannot be written (the Recorder goes on
// without it and the statistics page says why).

#include "core/exam/exam_session.h"
#include "core/record/record_types.h"

#include <vector>

namespace quz::record {
class Recorder;
}

namespace quz::examui {

class ExamRecording {
public:
    // `recorder` outlives this object.
    explicit ExamRecording(record::Recorder &recorder);

    // A new exam has begun now.
    void started(const exam::ExamSession &session);
    // The question at `index` of session.questions() was pending before the
    // learner's answer: records it when the session took the answer (an
    // answer that came after the time ran out is not one).
    void answered(const exam::ExamSession &session, size_t index);
    // The exam is over (its verdict is in, or it was abandoned): records it
    // with every answer counted, once.
    void ended(const exam::ExamSession &session);

private:
    record::Answer answerOf(const exam::ExamQuestion &question, qint64 atMs) const;

    record::Recorder &m_recorder;
    qint64 m_startedMs = 0;
    std::vector<qint64> m_answeredAt; // by question index; 0 for none yet
    bool m_ended = true;
};

} // namespace quz::examui
