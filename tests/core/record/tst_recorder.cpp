// The recorder the programs call: answers and exams handed over reach the
// file in order; the switch in quz.ini stops and resumes recording, also when
// another program flips it; a file held by another program makes answers
// wait, not vanish; a full file is reported and the program goes on;
// journals are added and the history emptied through the writer.

#include "core/record/database_file.h"
#include "core/record/history.h"
#include "core/record/recorder.h"
#include "core/record/sqlite_connection.h"
#include "core/settings/settings_batch.h"
#include "core/settings/settings_keys.h"
#include "record_answers.h"

#include <QSignalSpy>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace quz::record;
using namespace Qt::StringLiterals;

using quz::test::practice;

namespace {

qint64 recorded(const QString &path)
{
    const quz::Outcome<History> history = readHistory(path, QDate::currentDate());
    return history ? history->summary.answers : -1;
}

void setSwitch(const QString &settings, bool on)
{
    quz::settings::SettingsBatch batch(settings);
    batch.write(quz::settings::keys::recordAnswers, on);
    QVERIFY(batch.flush());
}

} // namespace

class TestRecorder : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void answersAndExamsReachTheFile();
    void switchInSettings();
    void busyFileMakesAnswersWait();
    void fullFileIsReported();
    void journalsAndClearing();
    void closingWritesWhatWasHandedOver();
    void damageFoundAfterTheStart();

private:
    std::unique_ptr<Recorder> make(int busyMs = 2000, qint64 sizeLimit = 0);
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
    QString m_settings;
};

void TestRecorder::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_path = databasePath(m_dir->path());
    m_settings = m_dir->filePath(u"quz.ini"_s);
}

void TestRecorder::cleanup() { m_dir.reset(); }

std::unique_ptr<Recorder> TestRecorder::make(int busyMs, qint64 sizeLimit)
{
    return std::make_unique<Recorder>(
        Recorder::Options{m_path, m_settings, Program::Quz, busyMs, sizeLimit, 0});
}

void TestRecorder::answersAndExamsReachTheFile()
{
    auto recorder = make();
    QVERIFY(recorder->recordAnswer(practice(1, 1, true)));
    QVERIFY(!recorder->recordAnswer(practice(41, 1, true)));
    QVERIFY(!recorder->recordAnswer(practice(1, 0, true)));
    Exam exam{QDateTime::currentMSecsSinceEpoch(), u"2004"_s, 3, 1000, false, u"Время вышло"_s, {}};
    exam.answers = {practice(3, 1, true), practice(3, 2, false)};
    QVERIFY(recorder->recordExam(exam));
    QVERIFY(recorder->waitForWrites(5000));
    QCOMPARE(recorder->state().kind, RecordState::Kind::Ready);
    const quz::Outcome<History> history = readHistory(m_path, QDate::currentDate());
    QVERIFY(history.ok());
    QCOMPARE(history->summary.answers, 3);
    QCOMPARE(history->summary.exams, 1);
    QCOMPARE(history->exams.front().errors, 1);
}

void TestRecorder::switchInSettings()
{
    setSwitch(m_settings, false);
    auto recorder = make();
    QVERIFY(recorder->recordAnswer(practice(1, 1, true)));
    QVERIFY(recorder->waitForWrites(5000));
    QCOMPARE(recorder->state().kind, RecordState::Kind::Off);
    QCOMPARE(recorded(m_path), 0);

    // Another program (or the page) switches it on: the next answer counts.
    setSwitch(m_settings, true);
    QVERIFY(recorder->recordAnswer(practice(1, 2, true)));
    QVERIFY(recorder->waitForWrites(5000));
    QVERIFY(recorder->isEnabled());
    QCOMPARE(recorded(m_path), 1);
}

void TestRecorder::busyFileMakesAnswersWait()
{
    auto recorder = make(50);
    QVERIFY(recorder->waitForWrites(5000));
    auto other = Connection::open(m_path, {false, 50});
    QVERIFY(other.ok());
    QVERIFY((*other)->exec(u"BEGIN EXCLUSIVE"_s));

    QVERIFY(recorder->recordAnswer(practice(2, 2, false)));
    QTRY_COMPARE(recorder->state().kind, RecordState::Kind::Busy);
    QVERIFY((*other)->exec(u"COMMIT"_s));
    QTRY_COMPARE(recorder->state().kind, RecordState::Kind::Ready);
    QVERIFY(recorder->waitForWrites(5000));
    QCOMPARE(recorded(m_path), 1);
}

void TestRecorder::fullFileIsReported()
{
    auto recorder = make(2000, 64 * 1024);
    QVERIFY(recorder->waitForWrites(5000));
    QSignalSpy changed(recorder.get(), &Recorder::stateChanged);
    for (int i = 0; i < 4000 && recorder->state().kind == RecordState::Kind::Ready; ++i) {
        QVERIFY(recorder->recordAnswer(practice(1 + i % 40, 1 + i % 20, true)));
        QVERIFY(recorder->waitForWrites(5000));
    }
    const RecordState state = recorder->state();
    QCOMPARE(state.kind, RecordState::Kind::Failed);
    QVERIFY(state.text.contains(u"диск заполнен"_s));
    QVERIFY(state.when.isValid());
    QVERIFY(!changed.isEmpty());
    // What was written before stays readable.
    QVERIFY(recorded(m_path) > 0);
}

void TestRecorder::journalsAndClearing()
{
    auto recorder = make();
    const QByteArray journal = "\xd1\xf2\xe0\xf0\xf2 1\r\n-> 02 \xe2\xee\xef\xf0\xee\xf1 03\r\n";
    auto added = recorder->addJournals({{u"a.quz"_s, journal}, {u"b.quz"_s, journal}});
    const std::vector<ImportReport> reports = added.get();
    QCOMPARE(reports.size(), size_t(2));
    QCOMPARE(reports[0].added, 1);
    QVERIFY(reports[1].already);
    QVERIFY(recorder->recordAnswer(practice(1, 1, true)));
    QVERIFY(recorder->waitForWrites(5000));
    QCOMPARE(recorded(m_path), 2);

    QVERIFY(recorder->clearHistory().get().ok());
    const quz::Outcome<History> history = readHistory(m_path, QDate::currentDate());
    QVERIFY(history.ok());
    QCOMPARE(history->summary.answers, 0);
    QCOMPARE(history->events.size(), size_t(1));
    QCOMPARE(history->events.front().text, u"История очищена."_s);
}

void TestRecorder::closingWritesWhatWasHandedOver()
{
    {
        auto recorder = make();
        for (int q = 1; q <= 20; ++q)
            QVERIFY(recorder->recordAnswer(practice(7, q, q % 2 == 0)));
    }
    QCOMPARE(recorded(m_path), 20);
}

// The writer opens a damaged record without reading every page, then finds
// the damage once it is idle: the file goes aside, a new one takes the
// answers.
void TestRecorder::damageFoundAfterTheStart()
{
    {
        auto recorder = make();
        for (int i = 0; i < 300; ++i)
            QVERIFY(recorder->recordAnswer(practice(1 + i % 40, 1 + i % 20, true)));
    }
    QFile f(m_path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.seek(3 * 4096));
    f.write(QByteArray(4096, '\x5a'));
    f.close();

    auto recorder = make();
    QTRY_VERIFY(recorder->state().text.contains(u"перенесён"_s));
    QCOMPARE(recorder->state().kind, RecordState::Kind::Ready);
    QVERIFY(recorder->recordAnswer(practice(2, 2, true)));
    QVERIFY(recorder->waitForWrites(5000));
    QCOMPARE(recorded(m_path), 1);
}

QTEST_GUILESS_MAIN(TestRecorder)
#include "tst_recorder.moc"
