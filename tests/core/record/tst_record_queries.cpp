// The learning record read back: the summary, the 800 questions' states, the
// weak questions, the days and the exams, on a small record written by the
// test; the summaries the triggers keep against a rebuild from the answers;
// journals added as wrong answers; weak questions written as a journal that
// quz's own reader and walk replay.

#include "core/files/text_file.h"
#include "core/journal/journal_entries.h"
#include "core/journal/journal_file.h"
#include "core/journal/journal_walk.h"
#include "core/record/database_file.h"
#include "core/record/history.h"
#include "core/record/record_store.h"
#include "core/record/schema.h"
#include "core/record/sqlite_connection.h"

#include <QRandomGenerator>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

using namespace quz::record;
using namespace Qt::StringLiterals;

namespace {

const QDate kToday(2026, 3, 10);

qint64 at(int daysAgo, int hour = 12)
{
    return QDateTime(kToday.addDays(-daysAgo), QTime(hour, 0)).toMSecsSinceEpoch();
}

Answer answer(qint64 when, int ticket, int question, bool correct, Mode mode = Mode::Practice)
{
    return Answer{when, Program::Quz, mode, ticket, question, correct ? 2 : 3, 2, correct};
}

QByteArray journalBytes(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += QByteArray::fromStdString(quz::files::toCp1251(line)) + "\r\n";
    return bytes;
}

QList<QList<QVariant>> rows(Connection &c, const QString &sql)
{
    QList<QList<QVariant>> all;
    QSqlQuery q(c.db());
    if (!q.exec(sql))
        return all;
    while (q.next()) {
        QList<QVariant> row;
        for (int i = 0; i < q.record().count(); ++i)
            row << q.value(i);
        all << row;
    }
    return all;
}

} // namespace

class TestRecordQueries : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void summaryAndQuestions();
    void weakQuestionOrder();
    void daysAndExams();
    void triggersAgreeWithRebuild();
    void importJournals();
    void weakQuestionJournalReplays();

private:
    void writeSmallRecord();
    QString path() const { return databasePath(m_dir->path()); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Store> m_store;
};

void TestRecordQueries::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_store = std::make_unique<Store>(Store::Options{path(), Program::Quz, 1000});
    QCOMPARE(m_store->open(QDateTime::currentDateTime()).kind, RecordState::Kind::Ready);
}

void TestRecordQueries::cleanup()
{
    m_store.reset();
    m_dir.reset();
}

// Ticket 1 question 1 was last answered right, ticket 1 question 2 last
// wrong (an imported error does not outrank a timed answer), ticket 2
// question 5 always wrong, ticket 3 question 3 only imported, ticket 40
// question 20 right today.
void TestRecordQueries::writeSmallRecord()
{
    QVERIFY(m_store->writeAnswers({
        answer(at(10), 1, 1, false),
        answer(at(9), 1, 2, true),
        answer(at(3), 2, 5, false),
        answer(at(3, 13), 2, 5, false, Mode::JournalAnswer),
        answer(at(2), 1, 2, false),
        answer(at(1), 1, 1, true),
        answer(at(0), 40, 20, true),
    }));
    const ImportReport report = m_store->importJournal(
        {QStringLiteral("old.quz"),
         journalBytes({u"Старт 01.03.2026 10:00:00 Билет 01"_s, u"-> 01 вопрос 02"_s,
                       u"-> 03 вопрос 03"_s, u"-> 01 вопрос 01"_s})},
        QDateTime::currentDateTime());
    QCOMPARE(report.added, 3);
}

void TestRecordQueries::summaryAndQuestions()
{
    writeSmallRecord();
    const quz::Outcome<History> history = readHistory(path(), kToday);
    QVERIFY2(history.ok(), qPrintable(history.error()));
    const Summary &s = history->summary;
    QCOMPARE(s.answers, 10);
    QCOMPARE(s.right, 3);
    QCOMPARE(s.weekAnswers, 5);
    QCOMPARE(s.weekRight, 2);
    QCOMPARE(s.questionsRight, 3);

    const auto stat = [&](int t, int q) {
        return history->questions[size_t(questionIndex({t, q}))];
    };
    QCOMPARE(stat(1, 1).state(), CellState::LastRight);
    QCOMPARE(stat(1, 1).asked, 3);
    QCOMPARE(stat(1, 2).state(), CellState::LastWrong);
    QCOMPARE(stat(1, 2).lastWrongMs, std::optional<qint64>(at(2)));
    QCOMPARE(stat(2, 5).errorRate(), 1.0);
    QCOMPARE(stat(3, 3).state(), CellState::LastWrong);
    QCOMPARE(stat(3, 3).lastMs, std::nullopt);
    QCOMPARE(stat(40, 20).state(), CellState::LastRight);
    QCOMPARE(stat(40, 19).state(), CellState::NeverAsked);
    QCOMPARE(stat(40, 19).ref, (QuestionRef{40, 19}));
}

void TestRecordQueries::weakQuestionOrder()
{
    writeSmallRecord();
    const quz::Outcome<History> history = readHistory(path(), kToday);
    QVERIFY(history.ok());
    // Two errors each: the higher share first (2 of 2), then the more recent
    // error (2 days ago before 10 days ago); then one error.
    QList<QuestionRef> order;
    for (const QuestionStat &q : weakQuestions(history->questions))
        order << q.ref;
    const QList<QuestionRef> expected{{2, 5}, {1, 2}, {1, 1}, {3, 3}};
    QCOMPARE(order, expected);
}

void TestRecordQueries::daysAndExams()
{
    writeSmallRecord();
    Exam passed{at(4), QStringLiteral("2004"), 7, 600000, true, QStringLiteral("Ошибок: 1"), {}};
    for (int q = 1; q <= 20; ++q)
        passed.answers.push_back(answer(at(4), 7, q, q != 3, Mode::Exam));
    Exam failed{
        at(1), QStringLiteral("2016"), 8, 120000, false, QStringLiteral("Две ошибки в одном блоке"),
        {}};
    failed.answers = {answer(at(1), 8, 1, false), answer(at(1), 8, 2, false)};
    QVERIFY(m_store->writeExam(failed));
    QVERIFY(m_store->writeExam(passed));

    const quz::Outcome<History> history = readHistory(path(), kToday);
    QVERIFY(history.ok());
    QCOMPARE(history->summary.exams, 2);
    QCOMPARE(history->summary.examsPassed, 1);
    QCOMPARE(history->exams.size(), size_t(2));
    QCOMPARE(history->exams[0].errors, 1); // oldest first
    QCOMPARE(history->exams[0].asked, 20);
    QCOMPARE(history->exams[1].reason, QStringLiteral("Две ошибки в одном блоке"));
    QCOMPARE(history->summary.answers, 10 + 22);

    QList<QDate> days;
    for (const DayCount &d : history->days)
        days << d.day;
    QCOMPARE(days,
             (QList<QDate>{kToday.addDays(-10), kToday.addDays(-9), kToday.addDays(-4),
                           kToday.addDays(-3), kToday.addDays(-2), kToday.addDays(-1), kToday}));
    QCOMPARE(history->days[2].answers, 20);
    QCOMPARE(history->days[2].right, 19);
    QCOMPARE(history->days[5].answers, 3);
}

// Answers in random order of time, some without one: the summaries the
// triggers kept equal those rebuilt from the answers.
void TestRecordQueries::triggersAgreeWithRebuild()
{
    QRandomGenerator random(20260310);
    std::vector<Answer> answers;
    for (int i = 0; i < 3000; ++i) {
        const qint64 when = random.bounded(8) == 0 ? 0 : at(random.bounded(30), random.bounded(24));
        answers.push_back(answer(when, 1 + random.bounded(3), 1 + random.bounded(4),
                                 random.bounded(3) != 0,
                                 when == 0 ? Mode::Imported : Mode::Practice));
    }
    QVERIFY(m_store->writeAnswers(answers));
    m_store.reset();

    auto c = Connection::open(path(), {});
    QVERIFY(c.ok());
    const QString questions = QStringLiteral("SELECT * FROM question_stats ORDER BY 1, 2");
    const QString days = QStringLiteral("SELECT * FROM day_stats ORDER BY 1");
    const auto keptQuestions = rows(**c, questions);
    const auto keptDays = rows(**c, days);
    QCOMPARE(keptQuestions.size(), 12);
    QVERIFY((*c)->transaction([&] { return rebuildSummaries(**c); }));
    QCOMPARE(rows(**c, questions), keptQuestions);
    QCOMPARE(rows(**c, days), keptDays);
}

void TestRecordQueries::importJournals()
{
    const QByteArray bytes =
        journalBytes({u"Старт 01.03.2026 10:00:00 Билет 05"_s, u"-> 05 вопрос 12"_s, u""_s,
                      u"-> 41 вопрос 01"_s, u"-> 5 вопрос 12"_s, u"-> 40 вопрос 20"_s});
    const ImportReport first =
        m_store->importJournal({u"a.quz"_s, bytes}, QDateTime::currentDateTime());
    QCOMPARE(first.added, 2);
    QCOMPARE(first.unreadable, 2);
    QVERIFY(!first.already);
    const ImportReport again =
        m_store->importJournal({u"b.quz"_s, bytes}, QDateTime::currentDateTime());
    QVERIFY(again.already);
    QCOMPARE(again.added, 0);

    const quz::Outcome<History> history = readHistory(path(), kToday);
    QVERIFY(history.ok());
    QCOMPARE(history->summary.answers, 2);
    QCOMPARE(history->summary.right, 0);
    QCOMPARE(history->questions[size_t(questionIndex({5, 12}))].wrong, 1);
    QVERIFY(history->days.empty()); // imported answers have no day
    QVERIFY(!history->events.empty());
    QVERIFY(history->events.front().text.contains(u"a.quz"_s));
}

void TestRecordQueries::weakQuestionJournalReplays()
{
    const QString file = m_dir->filePath(u"weak.quz"_s);
    const std::vector<QuestionRef> chosen{{5, 12}, {40, 1}, {5, 3}};
    QVERIFY(writeWeakQuestionJournal(file, u"07.12.2026 0:08:40"_s, chosen));

    QFile raw(file);
    QVERIFY(raw.open(QIODevice::ReadOnly));
    const QByteArray bytes = raw.readAll();
    QVERIFY(bytes.endsWith("\r\n"));
    QCOMPARE(bytes.count("\r\n"), 4);

    const quz::Outcome<quz::journal::JournalLines> lines = quz::journal::readJournalFile(file);
    QVERIFY(lines.ok());
    QCOMPARE(lines->at(0), quz::journal::startEntry(u"07.12.2026 0:08:40"_s, u"05"_s));
    // The journal answer mode asks exactly the chosen questions, in order.
    QList<QuestionRef> asked;
    for (quz::journal::WalkStep step = quz::journal::walk(*lines, -1); step.found;
         step = quz::journal::walk(*lines, step.cursor))
        asked << QuestionRef{step.entry.ticket.toInt(), step.entry.question.toInt()};
    QCOMPARE(asked, QList<QuestionRef>(chosen.begin(), chosen.end()));
    QCOMPARE(lines->at(2).size(), 15);
}

QTEST_GUILESS_MAIN(TestRecordQueries)
#include "tst_record_queries.moc"
