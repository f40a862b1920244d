#pragma once
// The learning record as the programs use it: every answer of quz (practice
// runs, journal answer mode) and every exam of quz-exam, kept in one SQLite
// database beside quz.ini ("quz-history.sqlite").
//
// Recording never holds up the caller: recordAnswer() and recordExam() hand
// the value to a writer thread with its own connection and return at once
// (a lock and a queue push). The writer writes each answer in a transaction of
// its own as soon as it gets it, so a killed program loses at most the answer
// being written. When the file cannot be written (read-only folder, full
// disk, a file held by another program, a damaged file) the callers go on as
// before and state() says what happened and when; a damaged file is moved
// aside and a new one begun, a file of a newer schema is never changed.
//
// The switch "Записывать ответы" is the key [record] enabled of quz.ini; the
// writer reads it again whenever the file changes, so switching it in one
// program reaches the other at its next answer.
//
// Not responsible for reading the history back (history.h) or for showing
// anything.

#include "core/record/journal_exchange.h"
#include "core/record/record_store.h"
#include "core/record/record_types.h"

#include <QObject>
#include <QString>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <thread>
#include <variant>
#include <vector>

namespace quz::record {

class Recorder : public QObject {
    Q_OBJECT
public:
    struct Options {
        QString databasePath; // databasePath(programDir)
        // quz.ini; its [record] enabled key switches recording (empty: on).
        QString settingsPath;
        Program program = Program::Quz;
        // How long a write waits for the other program's lock before the
        // writer tries again later.
        int busyTimeoutMs = 2000;
        // The largest the file may grow to, in bytes (0: only the disk
        // limits it); writes beyond it fail as on a full disk.
        qint64 sizeLimitBytes = 0;
        // Every page of the file is read once to find damage (about half a
        // second for a million answers), this long after the start, when the
        // writer has nothing else to do, so that it never slows the start.
        int integrityCheckDelayMs = 3000;
    };

    // Starts the writer thread, which opens the database at once.
    explicit Recorder(Options options, QObject *parent = nullptr);
    // Writes what was handed over (giving up on a file that stays locked),
    // then stops the writer.
    ~Recorder() override;

    // Hands the answer to the writer and returns at once. False, and nothing
    // recorded, for an answer that names none of the 800 questions.
    bool recordAnswer(const Answer &answer);
    // The same for a whole exam, written in one transaction with its answers.
    bool recordExam(Exam exam);

    // Adds the journal files' error entries as wrong answers without times.
    std::future<std::vector<ImportReport>> addJournals(std::vector<JournalFile> files);
    // Empties the history; the file stays, with one event saying so.
    std::future<Status> clearHistory();

    // Reads the switch in the settings file again (after the page wrote
    // it); stateChanged() follows when it changed.
    void reloadSwitch();

    // Blocks until everything handed over so far is written (or given up),
    // at most `timeoutMs`; true when it is.
    bool waitForWrites(int timeoutMs);

    // The current state; thread-safe.
    RecordState state() const;
    // Whether the settings switch is on, as the writer last read it.
    bool isEnabled() const;
    QString databasePath() const { return m_options.databasePath; }

signals:
    // From the writer thread (connect with a queued or auto connection).
    void stateChanged();
    void historyChanged();

private:
    enum class Step { Done, Retry };
    using Task = std::function<Step(Store *store)>; // null store: give up
    using Job = std::variant<Answer, Exam, Task>;

    void push(Job job);
    void run();
    Step perform(Job &job);
    Step write(const std::function<Status(Store &)> &write);
    bool ensureOpen();
    void readSwitch();
    void setState(RecordState state);
    void giveUp(Job &job);

    Options m_options;
    std::unique_ptr<Store> m_store; // writer thread only

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_progress;
    std::deque<Job> m_queue;
    quint64 m_handed = 0;
    quint64 m_finished = 0;
    bool m_stopping = false;
    RecordState m_state;
    bool m_enabled = true;

    // Writer thread only.
    void checkIntegrity();
    std::chrono::steady_clock::time_point m_checkDue;
    bool m_checkPending = true;
    files::FileStamp m_settingsStamp;
    qint64 m_lastOpenMs = 0;
    std::thread m_thread;
};

} // namespace quz::record
