#include "core/record/history.h"

#include "core/record/database_file.h"
#include "core/record/schema.h"
#include "core/record/sqlite_connection.h"

#include <QFileInfo>
#include <QSqlQuery>

#include <algorithm>

namespace quz::record {

namespace {

std::optional<qint64> optionalTime(const QVariant &value)
{
    if (value.isNull())
        return std::nullopt;
    return value.toLongLong();
}

Status readQuestions(Connection &c, History &history)
{
    QSqlQuery q(c.db());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT ticket, question, asked, wrong, last_at, last_correct,"
                             " last_wrong_at FROM question_stats"));
    if (Status ran = c.exec(q); !ran)
        return ran;
    Summary &s = history.summary;
    while (q.next()) {
        const QuestionRef ref{q.value(0).toInt(), q.value(1).toInt()};
        if (ref.ticket < 1 || ref.ticket > kTickets || ref.question < 1
            || ref.question > kQuestionsPerTicket)
            continue;
        QuestionStat &stat = history.questions[size_t(questionIndex(ref))];
        stat.asked = q.value(2).toLongLong();
        stat.wrong = q.value(3).toLongLong();
        stat.lastMs = optionalTime(q.value(4));
        stat.lastCorrect = q.value(5).toInt() != 0;
        stat.lastWrongMs = optionalTime(q.value(6));
        s.answers += stat.asked;
        s.right += stat.asked - stat.wrong;
        if (stat.asked > stat.wrong)
            ++s.questionsRight;
    }
    return {};
}

Status readDays(Connection &c, History &history, const QDate &today)
{
    QSqlQuery q(c.db());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT day, asked, correct FROM day_stats ORDER BY day"));
    if (Status ran = c.exec(q); !ran)
        return ran;
    const QDate weekStart = today.addDays(-6);
    while (q.next()) {
        const QDate day = QDate::fromString(q.value(0).toString(), Qt::ISODate);
        if (!day.isValid())
            continue;
        const DayCount count{day, q.value(1).toLongLong(), q.value(2).toLongLong()};
        history.days.push_back(count);
        if (day >= weekStart && day <= today) {
            history.summary.weekAnswers += count.answers;
            history.summary.weekRight += count.right;
        }
    }
    return {};
}

Status readExams(Connection &c, History &history)
{
    QSqlQuery q(c.db());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT started_at, rule, ticket, time_used_ms, passed, reason,"
                             " asked, errors FROM exams ORDER BY started_at, id"));
    if (Status ran = c.exec(q); !ran)
        return ran;
    while (q.next()) {
        ExamResult e;
        e.startedMs = q.value(0).toLongLong();
        e.rule = q.value(1).toString();
        e.ticket = q.value(2).toInt();
        e.timeUsedMs = q.value(3).toLongLong();
        e.passed = q.value(4).toInt() != 0;
        e.reason = q.value(5).toString();
        e.asked = q.value(6).toInt();
        e.errors = q.value(7).toInt();
        history.exams.push_back(e);
        ++history.summary.exams;
        history.summary.examsPassed += e.passed ? 1 : 0;
    }
    return {};
}

Status readEvents(Connection &c, History &history)
{
    QSqlQuery q(c.db());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT at, program, what FROM events ORDER BY at DESC, id DESC"
                             " LIMIT %1")
                  .arg(kShownEvents));
    if (Status ran = c.exec(q); !ran)
        return ran;
    while (q.next())
        history.events.push_back({QDateTime::fromMSecsSinceEpoch(q.value(0).toLongLong()),
                                  q.value(1).toString(), q.value(2).toString()});
    return {};
}

QString unreadable(const QString &reason)
{
    return QStringLiteral("История не читается: %1.").arg(reason);
}

} // namespace

History emptyHistory()
{
    History history;
    history.questions.resize(size_t(kQuestions));
    for (int t = 1; t <= kTickets; ++t)
        for (int q = 1; q <= kQuestionsPerTicket; ++q)
            history.questions[size_t(questionIndex({t, q}))].ref = {t, q};
    return history;
}

Outcome<History> readHistory(const QString &path, const QDate &today)
{
    if (Status usable = checkDatabasePath(path); !usable)
        return Failure{unreadable(usable.error())};
    History history = emptyHistory();
    if (!QFileInfo::exists(path))
        return history;
    Outcome<std::unique_ptr<Connection>> opened = Connection::open(path, {true, 1000});
    if (!opened)
        return Failure{unreadable(opened.error())};
    Connection &c = **opened;
    const Outcome<SchemaInfo> info = inspectSchema(c);
    if (!info) {
        if (c.lastTrouble() == Trouble::Damaged)
            return Failure{
                unreadable(QStringLiteral("файл истории повреждён (%1)").arg(info.error()))};
        return Failure{unreadable(info.error())};
    }
    if (info->kind == SchemaInfo::Kind::Foreign)
        return Failure{unreadable(QStringLiteral("это не файл истории QUZ"))};
    if (info->version > kSchemaVersion)
        return Failure{
            QStringLiteral("История не показывается: %1.").arg(newerVersionText(info->version))};
    if (info->kind == SchemaInfo::Kind::Empty || info->version < kSchemaVersion)
        return history;

    // One read transaction, so that the parts agree with each other while
    // the other program writes.
    if (Status begun = c.exec(QStringLiteral("BEGIN")); !begun)
        return Failure{unreadable(begun.error())};
    Status read = readQuestions(c, history);
    if (read)
        read = readDays(c, history, today);
    if (read)
        read = readExams(c, history);
    if (read)
        read = readEvents(c, history);
    (void)c.exec(QStringLiteral("COMMIT")); // a read transaction: nothing to lose
    if (!read)
        return Failure{unreadable(read.error())};
    return history;
}

std::vector<QuestionStat> weakQuestions(const std::vector<QuestionStat> &questions)
{
    std::vector<QuestionStat> weak;
    for (const QuestionStat &q : questions)
        if (q.wrong > 0)
            weak.push_back(q);
    std::stable_sort(weak.begin(), weak.end(), [](const QuestionStat &a, const QuestionStat &b) {
        if (a.wrong != b.wrong)
            return a.wrong > b.wrong;
        // wrong_a / asked_a > wrong_b / asked_b, without division
        const qint64 left = a.wrong * b.asked;
        const qint64 right = b.wrong * a.asked;
        if (left != right)
            return left > right;
        return a.lastWrongMs.value_or(0) > b.lastWrongMs.value_or(0);
    });
    return weak;
}

} // namespace quz::record
