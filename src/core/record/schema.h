#pragma once
// The tables of the learning record and their versions. The version lives in
// the file's header (PRAGMA user_version), the record's mark in its
// application id, so that a file of another program is never taken for ours.
// Each version is reached from the one before by one migration step; a file
// of any older version is brought to the current one in one transaction.
// The README documents the tables for users of the sqlite3 tool.

#include "core/files/outcome.h"

#include <QStringList>

namespace quz::record {

class Connection;

// 1: answers and exams. 2: imported journals, events, and the per-question and
// per-day summaries kept by triggers (the statistics page reads only them).
inline constexpr int kSchemaVersion = 2;
// "QUZH" (PRAGMA application_id).
inline constexpr int kApplicationId = 0x51555A48;

// What an opened file holds.
struct SchemaInfo {
    enum class Kind {
        Empty,   // no tables at all: a new file (or one of 0 bytes)
        Ours,    // the record, of version `version`
        Foreign, // a database of another program
    };
    Kind kind = Kind::Empty;
    int version = 0;
};

// "история записана более новой версией программы (версия N; ...) и не
// изменяется": why a record of a newer version is left alone.
QString newerVersionText(int version);

// Reads the application id, the version and whether any table exists. A file
// that is not a database fails here (Connection::lastTrouble() says Damaged).
Outcome<SchemaInfo> inspectSchema(Connection &connection);

// The statements that make version `version` from version `version` - 1.
QStringList migrationStep(int version);

// Brings an empty file or a record of an older version to kSchemaVersion,
// inside BEGIN IMMEDIATE; the version is read again under the lock, so two
// programs that start at once migrate once. A record of a newer version or a
// foreign database is left as it is and fails.
Status migrateSchema(Connection &connection);

// Fills question_stats and day_stats anew from the answers (inside the
// caller's transaction).
Status rebuildSummaries(Connection &connection);

// Whether the summaries count as many answers as the table holds (they do
// unless someone deleted answers by hand: no trigger counts a deletion);
// when not, they are rebuilt in a transaction of their own. Counting uses the
// smallest index, a few milliseconds for a million answers.
Status repairSummaries(Connection &connection);

} // namespace quz::record
