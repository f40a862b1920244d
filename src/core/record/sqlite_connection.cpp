#include "core/record/sqlite_connection.h"

#include <QSqlQuery>

#include <atomic>

namespace quz::record {

namespace {

// SQLite's primary result codes (the low byte of an extended code).
enum : int {
    kBusy = 5,
    kLocked = 6,
    kReadOnly = 8,
    kCorrupt = 11,
    kFull = 13,
    kCantOpen = 14,
    kNotADatabase = 26,
};

// A connection name unique in the process, also when this code is in it
// twice (quz-exam's statistics module has a copy of its own, with a counter
// of its own): the counter's address tells the copies apart. Qt drops the
// older of two connections of one name, which would end the writer's.
QString nextName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("quz-record-%1-%2")
        .arg(reinterpret_cast<quintptr>(&counter), 0, 16)
        .arg(++counter);
}

// SQLite's own words ("file is not a database", "database is locked"), or
// the driver's where SQLite said nothing.
QString errorText(const QSqlError &error)
{
    const QString database = error.databaseText();
    return QStringLiteral("SQLite: ") + (database.isEmpty() ? error.driverText() : database);
}

} // namespace

Trouble troubleOf(const QSqlError &error)
{
    if (error.type() == QSqlError::NoError)
        return Trouble::None;
    bool isNumber = false;
    const int code = error.nativeErrorCode().toInt(&isNumber);
    if (!isNumber)
        return Trouble::Other;
    switch (code & 0xff) {
    case kCorrupt:
    case kNotADatabase: return Trouble::Damaged;
    case kBusy:
    case kLocked: return Trouble::Busy;
    case kFull: return Trouble::Full;
    case kReadOnly: return Trouble::ReadOnly;
    case kCantOpen: return Trouble::CantOpen;
    default: return Trouble::Other;
    }
}

Connection::Connection(QString name)
    : m_name(std::move(name))
{}

Connection::~Connection()
{
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
}

Outcome<std::unique_ptr<Connection>> Connection::open(const QString &path, Options options)
{
    std::unique_ptr<Connection> connection(new Connection(nextName()));
    QSqlDatabase &db = connection->m_db;
    db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection->m_name);
    if (!db.isValid())
        return Failure{QStringLiteral("драйвер SQLite (QSQLITE) не найден")};
    db.setDatabaseName(path);
    QString connectOptions = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(options.busyTimeoutMs);
    if (options.readOnly)
        connectOptions += QStringLiteral(";QSQLITE_OPEN_READONLY");
    db.setConnectOptions(connectOptions);
    if (!db.open()) {
        connection->m_lastTrouble = troubleOf(db.lastError());
        return Failure{errorText(db.lastError())};
    }
    return connection;
}

Status Connection::failed(const QSqlError &error)
{
    m_lastTrouble = troubleOf(error);
    if (m_lastTrouble == Trouble::None)
        m_lastTrouble = Trouble::Other;
    return Failure{errorText(error)};
}

Status Connection::exec(const QString &sql)
{
    QSqlQuery query(m_db);
    if (!query.exec(sql))
        return failed(query.lastError());
    m_lastTrouble = Trouble::None;
    return {};
}

Status Connection::exec(QSqlQuery &query)
{
    if (!query.exec())
        return failed(query.lastError());
    m_lastTrouble = Trouble::None;
    return {};
}

Outcome<QVariant> Connection::value(const QString &sql)
{
    QSqlQuery query(m_db);
    if (!query.exec(sql))
        return Failure{failed(query.lastError()).error()};
    if (!query.next()) {
        if (query.lastError().type() != QSqlError::NoError)
            return Failure{failed(query.lastError()).error()};
        return QVariant();
    }
    m_lastTrouble = Trouble::None;
    return query.value(0);
}

void Connection::rollback()
{
    const Trouble kept = m_lastTrouble;
    QSqlQuery query(m_db);
    query.exec(QStringLiteral("ROLLBACK"));
    m_lastTrouble = kept;
}

} // namespace quz::record
