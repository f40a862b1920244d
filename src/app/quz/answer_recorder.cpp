#include "app/quz/answer_recorder.h"

#include "core/record/database_file.h"

namespace quz::app {

AnswerRecorder::AnswerRecorder(QString programDir, QString settingsPath,
                               std::function<qint64()> now)
    : m_programDir(std::move(programDir))
    , m_settingsPath(std::move(settingsPath))
    , m_now(std::move(now))
{}

AnswerRecorder::~AnswerRecorder() = default;

void AnswerRecorder::answerGiven(const QString &ticket, const QString &question, int given,
                                 const QString &right, bool correct, bool journalMode)
{
    record::Answer answer;
    answer.atMs = m_now();
    answer.program = record::Program::Quz;
    answer.mode = journalMode ? record::Mode::JournalAnswer : record::Mode::Practice;
    answer.ticket = record::numberFromCaption(ticket).value_or(0);
    answer.question = record::numberFromCaption(question).value_or(0);
    answer.given = given;
    answer.right = record::numberFromCaption(right).value_or(0);
    answer.correct = correct;
    // A hand-edited journal line or settings file may name no real question:
    // nothing is recorded for it, and no writer is started for it either.
    if (!record::isRecordable(answer))
        return;
    if (!m_recorder)
        m_recorder = std::make_unique<record::Recorder>(record::Recorder::Options{
            record::databasePath(m_programDir), m_settingsPath, record::Program::Quz});
    m_recorder->recordAnswer(answer);
}

} // namespace quz::app
