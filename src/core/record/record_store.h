#pragma once
// The writing side of the learning record on one thread: opens the database
// (refusing what must not be opened, moving a damaged or foreign file aside
// and beginning a new one, migrating an older schema, leaving a newer one
// alone) and writes answers, exams, imported journals and events, each in a
// transaction of its own, and empties the history. Not thread-safe and not
// responsible for queueing or for the switch in the settings: recorder.h
// runs one Store on its writer thread.

#include "core/files/file_io.h"
#include "core/files/outcome.h"
#include "core/record/journal_exchange.h"
#include "core/record/record_types.h"
#include "core/record/sqlite_connection.h"

#include <QDateTime>
#include <QSqlQuery>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace quz::record {

// What adding one journal file did.
struct ImportReport {
    QString name;
    int added = 0;        // error entries added as wrong answers
    int unreadable = 0;   // lines beginning with '-' that name no question
    bool already = false; // the same content was added before; nothing added
    QString failure;      // why nothing could be added; empty on success
};

class Store {
public:
    struct Options {
        QString path;
        Program program = Program::Quz;
        int busyTimeoutMs = 2000;
        qint64 sizeLimitBytes = 0; // 0: no limit but the disk's
        // Whether open() reads every page to find damage (PRAGMA
        // quick_check; about half a second for a million answers); else
        // checkIntegrity() does it later.
        bool checkOnOpen = true;
    };

    explicit Store(Options options);
    ~Store();
    Store(const Store &) = delete;
    Store &operator=(const Store &) = delete;

    // Opens the database; the state says how it went (Ready, Busy,
    // Unavailable or Newer; a Ready state after a damaged file was moved
    // aside says so in its text). May be called again after a failure.
    RecordState open(const QDateTime &now);
    bool isOpen() const { return m_connection != nullptr; }
    void close();

    // One transaction each. On failure lastTrouble() tells a busy file, a
    // full disk or a damaged file from other failures.
    Status writeAnswer(const Answer &answer);
    // The exam's row and its answers. An answer already written on its own
    // as it was given (the same program, mode exam, time, ticket and
    // question, no exam yet) is joined to the exam instead of written again,
    // so that it is counted once.
    Status writeExam(const Exam &exam);
    // Many answers in one transaction (generated records, tests).
    Status writeAnswers(const std::vector<Answer> &answers);
    // The error entries of `file` as wrong answers without a time, unless the
    // same content was added before; an event names the file.
    ImportReport importJournal(const JournalFile &file, const QDateTime &now);
    // Deletes every answer, exam, import and event, leaves one event saying
    // so, and gives the space back to the file system.
    Status clear(const QDateTime &now);
    Status writeEvent(const QDateTime &when, const QString &text);
    Trouble lastTrouble() const { return m_trouble; }

    // Reads every page of the open file; a damaged one is moved aside and a
    // new one begun, whose state is returned. Nothing when the file is sound
    // (or could not be read through for another reason, such as a lock).
    std::optional<RecordState> checkIntegrity(const QDateTime &now);

    // Called after a write failed as Damaged: moves the file aside (unless
    // another program already did and a new file stands at the name) and
    // opens a new one. The state is that of the new file.
    RecordState recover(const QDateTime &now, const QString &reason);

private:
    RecordState openChecked(const QDateTime &now, int attempt);
    RecordState prepare(const QDateTime &now, int attempt);
    RecordState replace(const QDateTime &now, const QString &reason, int attempt);
    RecordState failedOpen(const QString &reason, const QDateTime &now);
    Status insert(const Answer &answer, const QVariant &examId, const QVariant &importId);
    // Joins the answer written on its own to the exam; false when there is
    // none to join.
    Outcome<bool> joinToExam(const Answer &answer, const QVariant &examId);
    Status fail(const Status &status);

    Options m_options;
    std::unique_ptr<Connection> m_connection;
    std::optional<QSqlQuery> m_insertAnswer;
    files::FileStamp m_openedStamp;
    Trouble m_trouble = Trouble::None;
};

// Russian sentences for the page.
QString readyText();
QString troubleText(Trouble trouble, const QString &detail);

} // namespace quz::record
