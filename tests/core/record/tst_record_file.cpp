// The record's database file: a record of version 1 brought to the current
// version with its answers counted; a record of a newer version left exactly
// as it was; whatever else stands at the file's name (random bytes, a folder,
// links, a pipe, an empty file, another program's database, a damaged
// record) neither hangs nor crashes anything, and nothing of it is lost.

#include "core/record/database_file.h"
#include "core/record/history.h"
#include "core/record/record_store.h"
#include "core/record/schema.h"
#include "core/record/sqlite_connection.h"
#include "record_answers.h"
#include "test_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace quz::record;
using namespace Qt::StringLiterals;

using quz::test::practice;
using quz::test::readAll;
using quz::test::writeAll;

namespace {

// Runs statements on a database of the test's own.
void runSql(const QString &path, const QStringList &statements)
{
    auto c = Connection::open(path, {});
    QVERIFY(c.ok());
    for (const QString &sql : statements)
        QVERIFY2((*c)->exec(sql).ok(), qPrintable(sql));
}

QVariant valueOf(const QString &path, const QString &sql)
{
    auto c = Connection::open(path, {true, 1000});
    if (!c)
        return {};
    const quz::Outcome<QVariant> v = (*c)->value(sql);
    return v ? *v : QVariant();
}

// The files of the folder other than the record's own new one.
QStringList setAside(const QDir &dir)
{
    return dir.entryList({u"*.damaged-*"_s}, QDir::AllEntries | QDir::System);
}

} // namespace

class TestRecordFile : public QObject {
    Q_OBJECT
private slots:
    void migratesVersionOne();
    void newerVersionIsLeftAlone();
    void summariesRepairedAfterHandDeletion();
    void readOnlyFileIsSaidAtOnce();
    void hostileFile_data();
    void hostileFile();
};

void TestRecordFile::migratesVersionOne()
{
    QTemporaryDir dir;
    const QString path = databasePath(dir.path());
    const qint64 day = QDateTime(QDate(2026, 3, 1), QTime(9, 0)).toMSecsSinceEpoch();
    // A record as the first version wrote it: answers and exams, no summaries.
    runSql(path,
           {u"CREATE TABLE answers (id INTEGER PRIMARY KEY, answered_at INTEGER, day TEXT,"
            " program TEXT NOT NULL, mode TEXT NOT NULL, ticket INTEGER NOT NULL,"
            " question INTEGER NOT NULL, given INTEGER, right_answer INTEGER,"
            " correct INTEGER NOT NULL, exam_id INTEGER)"_s,
            u"CREATE TABLE exams (id INTEGER PRIMARY KEY, started_at INTEGER NOT NULL,"
            " program TEXT NOT NULL, rule TEXT NOT NULL, ticket INTEGER NOT NULL,"
            " time_used_ms INTEGER NOT NULL, passed INTEGER NOT NULL, reason TEXT NOT NULL,"
            " asked INTEGER NOT NULL, errors INTEGER NOT NULL)"_s,
            u"PRAGMA application_id = %1"_s.arg(kApplicationId), u"PRAGMA user_version = 1"_s,
            u"INSERT INTO answers VALUES (1, %1, '2026-03-01', 'quz', 'practice', 5, 12,"
            " 3, 2, 0, NULL)"_s.arg(day),
            u"INSERT INTO answers VALUES (2, %1, '2026-03-01', 'quz', 'practice', 5, 12,"
            " 2, 2, 1, NULL)"_s.arg(day + 1000),
            u"INSERT INTO exams VALUES (1, %1, 'quz-exam', '2004', 7, 60000, 1, 'ok', 20, 0)"_s.arg(
                day)});

    Store store({path, Program::Quz, 1000});
    QCOMPARE(store.open(QDateTime::currentDateTime()).kind, RecordState::Kind::Ready);
    QCOMPARE(valueOf(path, u"PRAGMA user_version"_s).toInt(), kSchemaVersion);
    QVERIFY(store.writeAnswer(practice(5, 12, false)));

    const quz::Outcome<History> history = readHistory(path, QDate(2026, 3, 2));
    QVERIFY2(history.ok(), qPrintable(history.error()));
    const QuestionStat &q = history->questions[size_t(questionIndex({5, 12}))];
    QCOMPARE(q.asked, 3);
    QCOMPARE(q.wrong, 2);
    QCOMPARE(history->summary.questionsRight, 1);
    QCOMPARE(history->summary.exams, 1);
    QCOMPARE(history->days.front().answers, 2);
}

void TestRecordFile::newerVersionIsLeftAlone()
{
    QTemporaryDir dir;
    const QString path = databasePath(dir.path());
    runSql(path,
           {u"CREATE TABLE answers (x)"_s, u"PRAGMA application_id = %1"_s.arg(kApplicationId),
            u"PRAGMA user_version = %1"_s.arg(kSchemaVersion + 1)});
    const QByteArray before = readAll(path);

    Store store({path, Program::Quz, 1000});
    const RecordState state = store.open(QDateTime::currentDateTime());
    QCOMPARE(state.kind, RecordState::Kind::Newer);
    QVERIFY(state.text.contains(u"более новой версией"_s));
    QVERIFY(!store.writeAnswer(practice(1, 1, true)));
    const quz::Outcome<History> history = readHistory(path, QDate::currentDate());
    QVERIFY(!history.ok());
    QVERIFY(history.error().contains(u"более новой версией"_s));
    QCOMPARE(readAll(path), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QFileInfo(path).fileName()});
}

// Someone deleted answers with the sqlite3 tool: the next program start
// counts the summaries anew.
void TestRecordFile::summariesRepairedAfterHandDeletion()
{
    QTemporaryDir dir;
    const QString path = databasePath(dir.path());
    {
        Store store({path, Program::Quz, 1000});
        QCOMPARE(store.open(QDateTime::currentDateTime()).kind, RecordState::Kind::Ready);
        QVERIFY(store.writeAnswers(
            {practice(1, 1, false), practice(1, 1, true), practice(2, 2, false)}));
    }
    runSql(path, {u"DELETE FROM answers WHERE ticket = 1 AND correct = 1"_s});
    Store store({path, Program::Quz, 1000});
    QCOMPARE(store.open(QDateTime::currentDateTime()).kind, RecordState::Kind::Ready);
    const quz::Outcome<History> history = readHistory(path, QDate::currentDate());
    QVERIFY(history.ok());
    QCOMPARE(history->summary.answers, 2);
    QCOMPARE(history->summary.questionsRight, 0);
    QCOMPARE(history->questions[0].state(), CellState::LastWrong);
    QCOMPARE(history->days.front().answers, 2);
}

void TestRecordFile::readOnlyFileIsSaidAtOnce()
{
    if (::geteuid() == 0)
        QSKIP("the superuser may write any file");
    QTemporaryDir dir;
    const QString path = databasePath(dir.path());
    {
        Store store({path, Program::Quz, 1000});
        QCOMPARE(store.open(QDateTime::currentDateTime()).kind, RecordState::Kind::Ready);
        QVERIFY(store.writeAnswer(practice(1, 1, true)));
    }
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
    Store store({path, Program::Quz, 1000});
    const RecordState state = store.open(QDateTime::currentDateTime());
    QCOMPARE(state.kind, RecordState::Kind::Unavailable);
    QVERIFY(state.text.contains(u"нет права записи"_s));
    QCOMPARE(readHistory(path, QDate::currentDate())->summary.answers, 1);
}

void TestRecordFile::hostileFile_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("movedAside");
    const int ready = int(RecordState::Kind::Ready);
    const int unavailable = int(RecordState::Kind::Unavailable);
    QTest::newRow("random bytes") << u"random"_s << ready << true;
    QTest::newRow("empty file") << u"empty"_s << ready << false;
    QTest::newRow("another program's database") << u"foreign"_s << ready << true;
    QTest::newRow("damaged record") << u"damaged"_s << ready << true;
    QTest::newRow("link to a text file") << u"link"_s << ready << true;
    QTest::newRow("link to nowhere") << u"dangling"_s << unavailable << false;
    QTest::newRow("folder") << u"folder"_s << unavailable << false;
    QTest::newRow("pipe") << u"fifo"_s << unavailable << false;
    QTest::newRow("pipe as write-ahead log") << u"fifo-wal"_s << unavailable << false;
}

void TestRecordFile::hostileFile()
{
    QFETCH(QString, what);
    QFETCH(int, kind);
    QFETCH(bool, movedAside);
    QTemporaryDir dir;
    const QString path = databasePath(dir.path());
    const QString notes = dir.filePath(u"notes.txt"_s);
    writeAll(notes, "the user's own notes\n");
    QByteArray original;
    if (what == u"random") {
        original = QByteArray(8192, '\0');
        for (char &b : original)
            b = char(QRandomGenerator::global()->bounded(256));
        writeAll(path, original);
    } else if (what == u"empty") {
        writeAll(path, {});
    } else if (what == u"foreign") {
        runSql(path, {u"CREATE TABLE contacts (name TEXT)"_s});
        original = readAll(path);
    } else if (what == u"damaged") {
        Store writer({path, Program::Quz, 1000});
        QCOMPARE(writer.open(QDateTime::currentDateTime()).kind, RecordState::Kind::Ready);
        std::vector<Answer> many(400, practice(3, 4, true));
        QVERIFY(writer.writeAnswers(many));
        writer.close();
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.seek(3 * 4096));
        f.write(QByteArray(4096, '\xa5'));
        f.close();
        original = readAll(path);
    } else if (what == u"link") {
        QVERIFY(QFile::link(notes, path));
    } else if (what == u"dangling") {
        QVERIFY(QFile::link(dir.filePath(u"gone/nowhere"_s), path));
    } else if (what == u"folder") {
        QVERIFY(QDir().mkdir(path));
    } else if (what == u"fifo" || what == u"fifo-wal") {
        const QString pipe = what == u"fifo" ? path : companionPaths(path).front();
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    }

    Store store({path, Program::Quz, 1000});
    const RecordState state = store.open(QDateTime::currentDateTime());
    QCOMPARE(int(state.kind), kind);
    const quz::Outcome<History> history = readHistory(path, QDate::currentDate());
    QCOMPARE(history.ok(), kind == int(RecordState::Kind::Ready));
    QCOMPARE(readAll(notes), QByteArray("the user's own notes\n"));

    const QStringList aside = setAside(QDir(dir.path()));
    QCOMPARE(aside.size(), movedAside ? 1 : 0);
    if (movedAside) {
        QVERIFY(state.text.contains(aside.front()));
        QVERIFY(store.writeAnswer(practice(1, 1, true)));
        if (!original.isEmpty())
            QCOMPARE(readAll(dir.filePath(aside.front())), original);
    }
    if (what == u"folder")
        QVERIFY(QFileInfo(path).isDir());
    if (what == u"fifo")
        QVERIFY(!QFileInfo(path).isFile() && QFileInfo::exists(path));
}

QTEST_GUILESS_MAIN(TestRecordFile)
#include "tst_record_file.moc"
