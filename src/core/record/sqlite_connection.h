#pragma once
// One Qt SQL connection (QSQLITE) to the record's database, owned by the
// thread that opened it, with the few helpers the record needs: running a
// statement, reading one number, telling what kind of trouble an error is.
// Not responsible for the schema (schema.h) or for what is stored.

#include "core/files/outcome.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QVariant>

#include <memory>

class QSqlQuery;

namespace quz::record {

// What an SQLite error means for the record.
enum class Trouble {
    None,
    Damaged,  // not a database, or a malformed one
    Busy,     // another connection holds the lock
    Full,     // the disk (or the file's size limit) is full
    ReadOnly, // the file or its folder cannot be written
    CantOpen, // the file cannot be opened or created
    Other,
};

Trouble troubleOf(const QSqlError &error);

class Connection {
public:
    struct Options {
        bool readOnly = false;
        int busyTimeoutMs = 2000;
    };

    // Opens a connection of its own name to the database at `path` (created
    // when absent, unless read-only). SQLite reads the file only at the first
    // statement, so a file that is not a database fails there, not here.
    static Outcome<std::unique_ptr<Connection>> open(const QString &path, Options options);
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    QSqlDatabase &db() { return m_db; }

    // Runs one statement; on failure the error is kept for lastTrouble().
    Status exec(const QString &sql);
    // Runs a prepared query; the same.
    Status exec(QSqlQuery &query);
    // The first column of the first row of `sql`.
    Outcome<QVariant> value(const QString &sql);

    // Runs `work` inside BEGIN IMMEDIATE ... COMMIT (rolled back on failure).
    template <class Work>
    Status transaction(Work &&work)
    {
        if (Status begun = exec(QStringLiteral("BEGIN IMMEDIATE")); !begun)
            return begun;
        Status done = work();
        if (done)
            done = exec(QStringLiteral("COMMIT"));
        if (!done)
            rollback();
        return done;
    }

    // What the last failed statement ran into.
    Trouble lastTrouble() const { return m_lastTrouble; }

private:
    explicit Connection(QString name);
    Status failed(const QSqlError &error);
    void rollback();

    QString m_name;
    QSqlDatabase m_db;
    Trouble m_lastTrouble = Trouble::None;
};

} // namespace quz::record
