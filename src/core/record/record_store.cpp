#include "core/record/record_store.h"

#include "core/record/database_file.h"
#include "core/record/schema.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace quz::record {

namespace {

using Kind = RecordState::Kind;

RecordState stateOf(Kind kind, const QString &text, const QDateTime &when)
{
    return RecordState{kind, text, when};
}

QVariant orNull(int digit)
{
    return digit > 0 ? QVariant(digit) : QVariant(QMetaType::fromType<int>());
}

QVariant timeOf(const Answer &answer)
{
    return answer.atMs > 0 ? QVariant(answer.atMs) : QVariant(QMetaType::fromType<qint64>());
}

QVariant dayOf(const Answer &answer)
{
    if (answer.atMs <= 0)
        return QVariant(QMetaType::fromType<QString>());
    return QDateTime::fromMSecsSinceEpoch(answer.atMs).date().toString(Qt::ISODate);
}

bool sameFile(const files::FileStamp &a, const files::FileStamp &b)
{
    return a.exists && b.exists && a.device == b.device && a.inode == b.inode;
}

QString damagedPages() { return QStringLiteral("повреждён (проверка целостности нашла ошибки)"); }

} // namespace

QString readyText() { return QStringLiteral("Ответы записываются."); }

QString troubleText(Trouble trouble, const QString &detail)
{
    switch (trouble) {
    case Trouble::Busy:
        return QStringLiteral("Файл истории занят другой программой; ответы ждут записи.");
    case Trouble::Full: return QStringLiteral("Ответ не записан: диск заполнен.");
    case Trouble::ReadOnly:
    case Trouble::CantOpen:
        return QStringLiteral("История не записывается: нет права записи в папку программы "
                              "или в файл истории (%1).")
            .arg(detail);
    default: return QStringLiteral("Ответ не записан: %1.").arg(detail);
    }
}

Store::Store(Options options)
    : m_options(std::move(options))
{}

Store::~Store() { close(); }

void Store::close()
{
    m_insertAnswer.reset();
    m_connection.reset();
}

RecordState Store::open(const QDateTime &now)
{
    close();
    return openChecked(now, 0);
}

RecordState Store::failedOpen(const QString &reason, const QDateTime &now)
{
    close();
    return stateOf(Kind::Unavailable, QStringLiteral("История не записывается: %1.").arg(reason),
                   now);
}

RecordState Store::openChecked(const QDateTime &now, int attempt)
{
    if (Status usable = checkDatabasePath(m_options.path); !usable)
        return failedOpen(usable.error(), now);
    const files::FileStamp before = files::fileStamp(m_options.path);
    // SQLite opens a file it may not write read-only without a word and fails
    // only at the first answer; the page is to say so from the start.
    if (before.exists && ::access(QFile::encodeName(m_options.path).constData(), W_OK) != 0) {
        m_trouble = Trouble::ReadOnly;
        return stateOf(Kind::Unavailable,
                       troubleText(Trouble::ReadOnly, QString::fromLocal8Bit(std::strerror(errno))),
                       now);
    }
    Outcome<std::unique_ptr<Connection>> opened =
        Connection::open(m_options.path, {false, m_options.busyTimeoutMs});
    if (!opened) {
        m_trouble = Trouble::CantOpen;
        return stateOf(Kind::Unavailable, troubleText(Trouble::CantOpen, opened.error()), now);
    }
    m_connection = std::move(opened).value();
    m_openedStamp = before;
    return prepare(now, attempt);
}

// Reads what the file holds and makes it ready for writing: WAL, a quick
// check of every page, the current schema, summaries in step.
RecordState Store::prepare(const QDateTime &now, int attempt)
{
    Connection &c = *m_connection;
    const auto trouble = [&](const QString &error) {
        m_trouble = c.lastTrouble();
        if (m_trouble == Trouble::Damaged)
            return replace(now, QStringLiteral("повреждён (%1)").arg(error), attempt);
        close();
        if (m_trouble == Trouble::Busy)
            return stateOf(Kind::Busy, troubleText(Trouble::Busy, error), now);
        if (m_trouble == Trouble::ReadOnly || m_trouble == Trouble::CantOpen)
            return stateOf(Kind::Unavailable, troubleText(m_trouble, error), now);
        return failedOpen(error, now);
    };

    const Outcome<SchemaInfo> info = inspectSchema(c);
    if (!info)
        return trouble(info.error());
    if (info->kind == SchemaInfo::Kind::Foreign)
        return replace(now, QStringLiteral("— не история QUZ, а база данных другой программы"),
                       attempt);
    if (info->version > kSchemaVersion) {
        close();
        return stateOf(
            Kind::Newer,
            QStringLiteral("История не записывается: %1.").arg(newerVersionText(info->version)),
            now);
    }
    const Outcome<QVariant> mode = c.value(QStringLiteral("PRAGMA journal_mode = WAL"));
    if (!mode)
        return trouble(mode.error());
    if (mode->toString().compare(QStringLiteral("wal"), Qt::CaseInsensitive) != 0)
        return failedOpen(QStringLiteral("журнал WAL недоступен"), now);
    if (Status set = c.exec(QStringLiteral("PRAGMA synchronous = NORMAL")); !set)
        return trouble(set.error());
    if (m_options.sizeLimitBytes > 0) {
        const Outcome<QVariant> pageSize = c.value(QStringLiteral("PRAGMA page_size"));
        if (!pageSize)
            return trouble(pageSize.error());
        const qint64 pages =
            m_options.sizeLimitBytes / std::max<qint64>(512, pageSize->toLongLong());
        if (Status set = c.exec(QStringLiteral("PRAGMA max_page_count = %1").arg(pages)); !set)
            return trouble(set.error());
    }
    if (m_options.checkOnOpen) {
        const Outcome<QVariant> check = c.value(QStringLiteral("PRAGMA quick_check"));
        if (!check)
            return trouble(check.error());
        if (check->toString() != QStringLiteral("ok"))
            return replace(now, damagedPages(), attempt);
    }
    if (Status migrated = migrateSchema(c); !migrated)
        return trouble(migrated.error());
    if (Status repaired = repairSummaries(c); !repaired)
        return trouble(repaired.error());

    m_insertAnswer.emplace(c.db());
    m_insertAnswer->prepare(QStringLiteral(
        "INSERT INTO answers (answered_at, day, program, mode, ticket, question, given,"
        " right_answer, correct, exam_id, import_id) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    m_trouble = Trouble::None;
    return stateOf(Kind::Ready, readyText(), now);
}

// Moves the file at the name aside and begins a new one; the new file's first
// event tells what happened.
RecordState Store::replace(const QDateTime &now, const QString &reason, int attempt)
{
    close();
    if (attempt > 1)
        return failedOpen(
            QStringLiteral("новый файл истории тоже не открывается: он %1").arg(reason), now);
    // Another program that met the same damage may have moved it already: a
    // new file at the name is then opened, not moved.
    const files::FileStamp current = files::fileStamp(m_options.path);
    if (current.exists && !sameFile(current, m_openedStamp))
        return openChecked(now, attempt + 1);
    const Outcome<QString> moved = moveAside(m_options.path, now);
    if (!moved)
        return failedOpen(QStringLiteral("файл истории %1, и %2").arg(reason, moved.error()), now);
    RecordState state = openChecked(now, attempt + 1);
    if (state.kind != Kind::Ready)
        return state;
    const QString text =
        QStringLiteral("Файл «%1» %2; он перенесён в «%3», и начата новая история.")
            .arg(QFileInfo(m_options.path).fileName(), reason, QFileInfo(*moved).fileName());
    (void)writeEvent(now, text); // the state says it all the same
    return stateOf(Kind::Ready, text, now);
}

std::optional<RecordState> Store::checkIntegrity(const QDateTime &now)
{
    if (!isOpen())
        return std::nullopt;
    const Outcome<QVariant> check = m_connection->value(QStringLiteral("PRAGMA quick_check"));
    if (check && check->toString() == QStringLiteral("ok"))
        return std::nullopt;
    if (!check && m_connection->lastTrouble() != Trouble::Damaged)
        return std::nullopt; // busy or the like: the check is tried at the next start
    return replace(now,
                   check ? damagedPages() : QStringLiteral("повреждён (%1)").arg(check.error()), 0);
}

RecordState Store::recover(const QDateTime &now, const QString &reason)
{
    return replace(now, QStringLiteral("повреждён (%1)").arg(reason), 0);
}

Status Store::fail(const Status &status)
{
    m_trouble = m_connection ? m_connection->lastTrouble() : Trouble::CantOpen;
    return status;
}

Status Store::insert(const Answer &answer, const QVariant &examId, const QVariant &importId)
{
    QSqlQuery &q = *m_insertAnswer;
    q.bindValue(0, timeOf(answer));
    q.bindValue(1, dayOf(answer));
    q.bindValue(2, programName(answer.program));
    q.bindValue(3, modeName(answer.mode));
    q.bindValue(4, answer.ticket);
    q.bindValue(5, answer.question);
    q.bindValue(6, orNull(answer.given));
    q.bindValue(7, orNull(answer.right));
    q.bindValue(8, answer.correct ? 1 : 0);
    q.bindValue(9, examId);
    q.bindValue(10, importId);
    return m_connection->exec(q);
}

Status Store::writeAnswer(const Answer &answer)
{
    if (!isOpen())
        return fail(Failure{QStringLiteral("файл истории не открыт")});
    const QVariant none(QMetaType::fromType<qint64>());
    return fail(insert(answer, none, none));
}

Status Store::writeAnswers(const std::vector<Answer> &answers)
{
    if (!isOpen())
        return fail(Failure{QStringLiteral("файл истории не открыт")});
    const QVariant none(QMetaType::fromType<qint64>());
    return fail(m_connection->transaction([&]() -> Status {
        for (const Answer &answer : answers)
            if (Status done = insert(answer, none, none); !done)
                return done;
        return {};
    }));
}

Status Store::writeExam(const Exam &exam)
{
    if (!isOpen())
        return fail(Failure{QStringLiteral("файл истории не открыт")});
    int errors = 0;
    for (const Answer &a : exam.answers)
        errors += a.correct ? 0 : 1;
    return fail(m_connection->transaction([&]() -> Status {
        QSqlQuery q(m_connection->db());
        q.prepare(QStringLiteral("INSERT INTO exams (started_at, program, rule, ticket,"
                                 " time_used_ms, passed, reason, asked, errors)"
                                 " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        const QVariantList values{exam.startedMs,  programName(m_options.program),
                                  exam.rule,       exam.ticket,
                                  exam.timeUsedMs, exam.passed ? 1 : 0,
                                  exam.reason,     qint64(exam.answers.size()),
                                  errors};
        for (qsizetype i = 0; i < values.size(); ++i)
            q.bindValue(int(i), values[i]);
        if (Status done = m_connection->exec(q); !done)
            return done;
        const QVariant examId = q.lastInsertId();
        const QVariant none(QMetaType::fromType<qint64>());
        for (Answer answer : exam.answers) {
            answer.mode = Mode::Exam;
            if (!isRecordable(answer))
                continue;
            const Outcome<bool> joined = joinToExam(answer, examId);
            if (!joined)
                return Failure{joined.error()};
            if (*joined)
                continue;
            if (Status done = insert(answer, examId, none); !done)
                return done;
        }
        return {};
    }));
}

Outcome<bool> Store::joinToExam(const Answer &answer, const QVariant &examId)
{
    // Only a given answer is written on its own; one counted without an
    // answer (time out, "Закончить") exists only with its exam.
    if (answer.given == 0)
        return false;
    QSqlQuery q(m_connection->db());
    q.prepare(QStringLiteral(
        "UPDATE answers SET exam_id = ? WHERE id = (SELECT id FROM answers"
        " WHERE ticket = ? AND question = ? AND answered_at = ? AND program = ? AND mode = ?"
        " AND exam_id IS NULL AND import_id IS NULL ORDER BY id DESC LIMIT 1)"));
    const QVariantList values{examId,
                              answer.ticket,
                              answer.question,
                              answer.atMs,
                              programName(answer.program),
                              modeName(Mode::Exam)};
    for (qsizetype i = 0; i < values.size(); ++i)
        q.bindValue(int(i), values[i]);
    if (Status done = m_connection->exec(q); !done)
        return Failure{done.error()};
    return q.numRowsAffected() > 0;
}

ImportReport Store::importJournal(const JournalFile &file, const QDateTime &now)
{
    ImportReport report;
    report.name = file.name;
    if (!isOpen()) {
        report.failure = QStringLiteral("файл истории не открыт");
        return report;
    }
    const JournalErrors errors = journalErrors(file.bytes);
    report.unreadable = errors.unreadable;
    if (errors.entries.empty())
        return report;
    const QString hash = QString::fromLatin1(
        QCryptographicHash::hash(file.bytes, QCryptographicHash::Sha256).toHex());
    Connection &c = *m_connection;
    const Status done = fail(c.transaction([&]() -> Status {
        QSqlQuery seen(c.db());
        seen.prepare(QStringLiteral("SELECT count(*) FROM imports WHERE sha256 = ?"));
        seen.bindValue(0, hash);
        if (Status ran = c.exec(seen); !ran)
            return ran;
        if (seen.next() && seen.value(0).toInt() > 0) {
            report.already = true;
            return {};
        }
        QSqlQuery add(c.db());
        add.prepare(QStringLiteral("INSERT INTO imports (file_name, imported_at, entries, sha256)"
                                   " VALUES (?, ?, ?, ?)"));
        add.bindValue(0, file.name);
        add.bindValue(1, now.toMSecsSinceEpoch());
        add.bindValue(2, qint64(errors.entries.size()));
        add.bindValue(3, hash);
        if (Status ran = c.exec(add); !ran)
            return ran;
        const QVariant importId = add.lastInsertId();
        const QVariant none(QMetaType::fromType<qint64>());
        for (const QuestionRef &entry : errors.entries) {
            const Answer answer{0, Program::Quz, Mode::Imported, entry.ticket, entry.question, 0,
                                0, false};
            if (Status ran = insert(answer, none, importId); !ran)
                return ran;
        }
        report.added = int(errors.entries.size());
        return writeEvent(
            now,
            QStringLiteral("Добавлен журнал «%1»: ошибок %2.").arg(file.name).arg(report.added));
    }));
    if (!done) {
        report.added = 0;
        report.failure = done.error();
    }
    return report;
}

Status Store::clear(const QDateTime &now)
{
    if (!isOpen())
        return fail(Failure{QStringLiteral("файл истории не открыт")});
    Connection &c = *m_connection;
    const Status done = fail(c.transaction([&]() -> Status {
        for (const char *table :
             {"answers", "exams", "imports", "events", "question_stats", "day_stats"})
            if (Status ran = c.exec(QStringLiteral("DELETE FROM ") + QLatin1String(table)); !ran)
                return ran;
        return writeEvent(now, QStringLiteral("История очищена."));
    }));
    if (done)
        (void)c.exec(QStringLiteral("VACUUM")); // the space back; a failure costs only space
    return done;
}

Status Store::writeEvent(const QDateTime &when, const QString &text)
{
    if (!isOpen())
        return fail(Failure{QStringLiteral("файл истории не открыт")});
    QSqlQuery q(m_connection->db());
    q.prepare(QStringLiteral("INSERT INTO events (at, program, what) VALUES (?, ?, ?)"));
    q.bindValue(0, when.toMSecsSinceEpoch());
    q.bindValue(1, programName(m_options.program));
    q.bindValue(2, text);
    return fail(m_connection->exec(q));
}

} // namespace quz::record
