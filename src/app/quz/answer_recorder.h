#pragma once
// quz's answers in the learning record: the main window's answer log, which
// turns each answer into a record of the practice or journal answer mode and
// hands it to the record's writer. The writer (and with it the database and
// its thread) is started at the first answer, so that nothing of the record
// costs the program's start.

#include "core/record/recorder.h"
#include "ui/links/answer_log.h"

#include <functional>
#include <memory>

namespace quz::app {

class AnswerRecorder : public links::AnswerLog {
public:
    // The record of the program folder `programDir`, switched by the settings
    // file `settingsPath`; `now` gives the time of an answer in milliseconds
    // since 1970 UTC.
    AnswerRecorder(QString programDir, QString settingsPath, std::function<qint64()> now);
    ~AnswerRecorder();

    void answerGiven(const QString &ticket, const QString &question, int given,
                     const QString &right, bool correct, bool journalMode) override;

    // The writer, once the first answer has started it; null before.
    record::Recorder *recorder() const { return m_recorder.get(); }

private:
    QString m_programDir;
    QString m_settingsPath;
    std::function<qint64()> m_now;
    std::unique_ptr<record::Recorder> m_recorder;
};

} // namespace quz::app
