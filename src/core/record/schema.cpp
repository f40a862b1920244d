#include "core/record/schema.h"

#include "core/record/sqlite_connection.h"

namespace quz::record {

namespace {

QStringList versionOne()
{
    return {
        QStringLiteral("CREATE TABLE answers ("
                       " id INTEGER PRIMARY KEY,"
                       " answered_at INTEGER,"
                       " day TEXT,"
                       " program TEXT NOT NULL,"
                       " mode TEXT NOT NULL,"
                       " ticket INTEGER NOT NULL CHECK (ticket BETWEEN 1 AND 40),"
                       " question INTEGER NOT NULL CHECK (question BETWEEN 1 AND 20),"
                       " given INTEGER,"
                       " right_answer INTEGER,"
                       " correct INTEGER NOT NULL CHECK (correct IN (0, 1)),"
                       " exam_id INTEGER REFERENCES exams(id))"),
        QStringLiteral("CREATE TABLE exams ("
                       " id INTEGER PRIMARY KEY,"
                       " started_at INTEGER NOT NULL,"
                       " program TEXT NOT NULL,"
                       " rule TEXT NOT NULL,"
                       " ticket INTEGER NOT NULL,"
                       " time_used_ms INTEGER NOT NULL,"
                       " passed INTEGER NOT NULL CHECK (passed IN (0, 1)),"
                       " reason TEXT NOT NULL,"
                       " asked INTEGER NOT NULL,"
                       " errors INTEGER NOT NULL)"),
        QStringLiteral("PRAGMA application_id = %1").arg(kApplicationId),
    };
}

// The newest answer of a question decides its last result: timed answers by
// their time (the later insert on a tie), answers without a time (imported
// ones) only while the question has no timed answer, the later insert first.
const char *const kQuestionTrigger =
    "CREATE TRIGGER answers_count_question AFTER INSERT ON answers BEGIN"
    " INSERT INTO question_stats (ticket, question, asked, wrong, last_at, last_correct,"
    "  last_wrong_at)"
    " VALUES (NEW.ticket, NEW.question, 1, 1 - NEW.correct, NEW.answered_at, NEW.correct,"
    "  CASE WHEN NEW.correct = 0 THEN NEW.answered_at END)"
    " ON CONFLICT (ticket, question) DO UPDATE SET"
    "  asked = asked + 1,"
    "  wrong = wrong + 1 - NEW.correct,"
    "  last_correct = CASE"
    "   WHEN NEW.answered_at IS NOT NULL AND (last_at IS NULL OR NEW.answered_at >= last_at)"
    "    THEN NEW.correct"
    "   WHEN NEW.answered_at IS NULL AND last_at IS NULL THEN NEW.correct"
    "   ELSE last_correct END,"
    "  last_at = CASE"
    "   WHEN NEW.answered_at IS NOT NULL AND (last_at IS NULL OR NEW.answered_at >= last_at)"
    "    THEN NEW.answered_at"
    "   ELSE last_at END,"
    "  last_wrong_at = CASE"
    "   WHEN NEW.correct = 0 AND NEW.answered_at IS NOT NULL"
    "    AND (last_wrong_at IS NULL OR NEW.answered_at > last_wrong_at) THEN NEW.answered_at"
    "   ELSE last_wrong_at END;"
    " END";

const char *const kDayTrigger =
    "CREATE TRIGGER answers_count_day AFTER INSERT ON answers WHEN NEW.day IS NOT NULL BEGIN"
    " INSERT INTO day_stats (day, asked, correct) VALUES (NEW.day, 1, NEW.correct)"
    " ON CONFLICT (day) DO UPDATE SET asked = asked + 1, correct = correct + NEW.correct;"
    " END";

QStringList versionTwo()
{
    return {
        QStringLiteral("CREATE TABLE imports ("
                       " id INTEGER PRIMARY KEY,"
                       " file_name TEXT NOT NULL,"
                       " imported_at INTEGER NOT NULL,"
                       " entries INTEGER NOT NULL,"
                       " sha256 TEXT NOT NULL UNIQUE)"),
        QStringLiteral("ALTER TABLE answers ADD COLUMN import_id INTEGER REFERENCES imports(id)"),
        QStringLiteral("CREATE TABLE events ("
                       " id INTEGER PRIMARY KEY,"
                       " at INTEGER NOT NULL,"
                       " program TEXT NOT NULL,"
                       " what TEXT NOT NULL)"),
        QStringLiteral("CREATE TABLE question_stats ("
                       " ticket INTEGER NOT NULL,"
                       " question INTEGER NOT NULL,"
                       " asked INTEGER NOT NULL,"
                       " wrong INTEGER NOT NULL,"
                       " last_at INTEGER,"
                       " last_correct INTEGER NOT NULL,"
                       " last_wrong_at INTEGER,"
                       " PRIMARY KEY (ticket, question)) WITHOUT ROWID"),
        QStringLiteral("CREATE TABLE day_stats ("
                       " day TEXT PRIMARY KEY,"
                       " asked INTEGER NOT NULL,"
                       " correct INTEGER NOT NULL) WITHOUT ROWID"),
        QStringLiteral("CREATE INDEX answers_by_question ON answers (ticket, question)"),
        QString::fromLatin1(kQuestionTrigger),
        QString::fromLatin1(kDayTrigger),
    };
}

Status runAll(Connection &connection, const QStringList &statements)
{
    for (const QString &sql : statements)
        if (Status done = connection.exec(sql); !done)
            return done;
    return {};
}

} // namespace

QString newerVersionText(int version)
{
    return QStringLiteral("история записана более новой версией программы (версия %1; эта "
                          "программа знает версии до %2) и не изменяется")
        .arg(version)
        .arg(kSchemaVersion);
}

Outcome<SchemaInfo> inspectSchema(Connection &connection)
{
    const Outcome<QVariant> tables =
        connection.value(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    if (!tables)
        return Failure{tables.error()};
    const Outcome<QVariant> id = connection.value(QStringLiteral("PRAGMA application_id"));
    if (!id)
        return Failure{id.error()};
    const Outcome<QVariant> version = connection.value(QStringLiteral("PRAGMA user_version"));
    if (!version)
        return Failure{version.error()};
    SchemaInfo info;
    info.version = version->toInt();
    if (id->toInt() == kApplicationId)
        info.kind = SchemaInfo::Kind::Ours;
    else if (id->toInt() == 0 && tables->toInt() == 0 && info.version == 0)
        info.kind = SchemaInfo::Kind::Empty;
    else
        info.kind = SchemaInfo::Kind::Foreign;
    return info;
}

QStringList migrationStep(int version)
{
    switch (version) {
    case 1: return versionOne();
    case 2: return versionTwo();
    default: return {};
    }
}

Status migrateSchema(Connection &connection)
{
    return connection.transaction([&]() -> Status {
        const Outcome<SchemaInfo> info = inspectSchema(connection);
        if (!info)
            return Failure{info.error()};
        if (info->kind == SchemaInfo::Kind::Foreign)
            return Failure{QStringLiteral("это не файл истории QUZ")};
        if (info->version > kSchemaVersion)
            return Failure{newerVersionText(info->version)};
        if (info->version == kSchemaVersion)
            return {};
        for (int version = info->version + 1; version <= kSchemaVersion; ++version)
            if (Status done = runAll(connection, migrationStep(version)); !done)
                return done;
        // Version 2 brought the summaries: count what older versions stored.
        if (info->version < 2)
            if (Status done = rebuildSummaries(connection); !done)
                return done;
        return connection.exec(QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion));
    });
}

Status rebuildSummaries(Connection &connection)
{
    return runAll(
        connection,
        {QStringLiteral("DELETE FROM question_stats"), QStringLiteral("DELETE FROM day_stats"),
         QStringLiteral(
             "INSERT INTO question_stats (ticket, question, asked, wrong, last_at, last_correct,"
             " last_wrong_at)"
             " SELECT ticket, question, count(*), sum(1 - correct), max(answered_at),"
             "  (SELECT b.correct FROM answers b WHERE b.ticket = a.ticket"
             "   AND b.question = a.question"
             "   ORDER BY b.answered_at IS NULL, b.answered_at DESC, b.id DESC LIMIT 1),"
             "  max(CASE WHEN correct = 0 THEN answered_at END)"
             " FROM answers a GROUP BY ticket, question"),
         QStringLiteral("INSERT INTO day_stats (day, asked, correct)"
                        " SELECT day, count(*), sum(correct) FROM answers"
                        " WHERE day IS NOT NULL GROUP BY day")});
}

Status repairSummaries(Connection &connection)
{
    const Outcome<QVariant> inStep =
        connection.value(QStringLiteral("SELECT (SELECT count(*) FROM answers)"
                                        " = (SELECT coalesce(sum(asked), 0) FROM question_stats)"));
    if (!inStep)
        return Failure{inStep.error()};
    if (inStep->toBool())
        return {};
    return connection.transaction([&] { return rebuildSummaries(connection); });
}

} // namespace quz::record
