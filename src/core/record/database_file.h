#pragma once
// The database file of the learning record as a file: where it lives, whether
// what stands at its name may be opened at all, and moving a damaged one
// aside under a dated name. Opening it, reading and writing it is
// sqlite_connection.h and recorder.h; nothing here deletes anything.

#include "core/files/outcome.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace quz::record {

// "<program directory>/quz-history.sqlite", beside quz.ini.
QString databasePath(const QString &programDir);

// The files SQLite keeps beside the database: "<path>-wal" and "<path>-shm".
QStringList companionPaths(const QString &path);

// Whether the database may be opened: nothing stands at `path` yet, or a
// regular file does (also behind symbolic links), and the companion files are
// regular files or absent. A folder, a pipe, a device, a socket or a link
// that leads nowhere fails with a Russian sentence saying what stands there;
// opening such a thing could hang (a pipe) or write where the link points.
Status checkDatabasePath(const QString &path);

// The name a damaged database at `path` is moved to:
// "<base>.damaged-<yyyyMMdd-hhmmss>.sqlite" in the same folder, with "-2",
// "-3" ... before the suffix while that name (or its companions) is taken.
QString movedAsideName(const QString &path, const QDateTime &when);

// Renames the database at `path` and its companion files to movedAsideName();
// a symbolic link is renamed itself, its target stays. Fails with a Russian
// sentence when the main file cannot be renamed (nothing is changed then).
Outcome<QString> moveAside(const QString &path, const QDateTime &when);

} // namespace quz::record
