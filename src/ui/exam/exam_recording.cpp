#include "ui/exam/exam_recording.h"

#include "core/record/recorder.h"

#include <QDateTime>

namespace quz::examui {

ExamRecording::ExamRecording(record::Recorder &recorder)
    : m_recorder(recorder)
{}

void ExamRecording::started(const exam::ExamSession &session)
{
    m_startedMs = QDateTime::currentMSecsSinceEpoch();
    m_answeredAt.assign(session.questions().size(), 0);
    m_ended = false;
}

void ExamRecording::answered(const exam::ExamSession &session, size_t index)
{
    if (m_ended || index >= session.questions().size())
        return;
    const exam::ExamQuestion &q = session.questions()[index];
    if (q.given == 0)
        return;
    // Extra blocks add questions after the start.
    if (m_answeredAt.size() < session.questions().size())
        m_answeredAt.resize(session.questions().size(), 0);
    m_answeredAt[index] = QDateTime::currentMSecsSinceEpoch();
    m_recorder.recordAnswer(answerOf(q, m_answeredAt[index]));
}

void ExamRecording::ended(const exam::ExamSession &session)
{
    if (m_ended || session.isRunning())
        return;
    m_ended = true;
    record::Exam done;
    done.startedMs = m_startedMs;
    done.rule = QString::number(exam::ruleYear(session.rule()));
    done.ticket = session.ticket();
    done.timeUsedMs = session.usedMs();
    done.passed = session.passed();
    done.reason = session.reason();
    const qint64 endedMs = QDateTime::currentMSecsSinceEpoch();
    const std::vector<exam::ExamQuestion> &questions = session.questions();
    for (size_t i = 0; i < questions.size(); ++i) {
        // A question the exam never came to is no answer; one counted as an
        // error without an answer (time out, "Закончить") is, at the end.
        if (questions[i].mark == exam::Mark::Pending)
            continue;
        const qint64 at = i < m_answeredAt.size() && m_answeredAt[i] ? m_answeredAt[i] : endedMs;
        done.answers.push_back(answerOf(questions[i], at));
    }
    m_recorder.recordExam(std::move(done));
}

record::Answer ExamRecording::answerOf(const exam::ExamQuestion &question, qint64 atMs) const
{
    record::Answer a;
    a.atMs = atMs;
    a.program = record::Program::QuzExam;
    a.mode = record::Mode::Exam;
    a.ticket = question.ticket;
    a.question = question.number;
    a.given = question.given;
    a.right = question.rightAnswer();
    a.correct = question.mark == exam::Mark::Right;
    return a;
}

} // namespace quz::examui
