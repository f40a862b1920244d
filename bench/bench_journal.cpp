// Big journals: reading, writing and walking journals of 10,000 and 1,000,000
// lines and a 20 MB journal, in the core and through the journal window
// (the command-line load with its first paint, wrong answers, right answers
// in the answer mode with and without deletion). Each figure is printed with
// the floor it must stay under; the 20 MB journal with the floor of reading
// its file and finding its lines, and its peak memory as a multiple of the
// file. The whole process, start to first window, is bench/first_window.py.
//
// Run: QT_QPA_PLATFORM=offscreen <build>/bench/bench_journal

#include "core/files/file_io.h"
#include "core/journal/journal_entries.h"
#include "core/journal/journal_file.h"
#include "core/journal/journal_walk.h"
#include "silent_dialogs.h"
#include "ui/journal/Unit3.h"
#include "ui/journal/list_box_widget.h"
#include "ui/links/practice_link.h"
#include "ui/platform/control_state.h"

#include "bench_timing.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <algorithm>
#include <cstring>
#include <functional>

using quz::journal::TForm3;

namespace {

using quz::bench::SilentDialogs;

class FixedClock : public quz::Clock {
public:
    QString nowText() const override { return QStringLiteral("07.12.2026 0:08:40"); }
};

// The main window as far as the journal needs it: a run that starts and
// stops, and a count of the questions asked.
class Practice : public quz::links::PracticeLink {
public:
    TForm3 *journal = nullptr;
    bool running = false;
    qsizetype asked = 0;
    void StartClick() override
    {
        if (!running) {
            running = true;
            journal->dropPlaceholder();
            journal->hide();
            return;
        }
        journal->leaveAnswerMode();
        running = false;
    }
    bool isRunning() const override { return running; }
    bool canStartRun() const override { return true; }
    void showQuestion(const QString &, const QString &) override { ++asked; }
    void resetStartLogged() override {}
};

// A journal of `lines` lines as a run writes them: a start entry, then error
// entries of every ticket and question.
quz::journal::JournalLines makeJournal(qsizetype lines)
{
    quz::journal::JournalLines journal;
    journal.reserve(lines * 17, lines);
    for (qsizetype i = 0; i < lines; ++i) {
        if (i % 1000 == 0)
            journal.append(quz::journal::startEntry(QStringLiteral("07.12.2026 0:08:40"),
                                                    QStringLiteral("01")));
        else
            journal.append(
                quz::journal::errorEntry(QStringLiteral("%1").arg(i % 40 + 1, 2, 10, QChar(u'0')),
                                         QStringLiteral("%1").arg(i % 20 + 1, 2, 10, QChar(u'0'))));
    }
    return journal;
}

// The best of `runs` timings of `work`, in milliseconds.
template <class Fn>
double bestOf(int runs, Fn &&work)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    return best;
}

void report(const char *what, qsizetype lines, double ms, const char *floor)
{
    qInfo("%-44s %9lld lines %10.3f ms   (floor: %s)", what, static_cast<long long>(lines), ms,
          floor);
}

struct Window {
    QTemporaryDir dir;
    QString title = QStringLiteral("quz");
    SilentDialogs dialogs;
    FixedClock clock;
    quz::Services services;
    Practice practice;
    std::unique_ptr<TForm3> form;

    explicit Window(const QString &commandLineFile = QString())
    {
        services.programDir = dir.path();
        services.exePath = dir.filePath(QStringLiteral("quz"));
        services.commandLineFile = commandLineFile;
        services.appTitle = &title;
        services.dialogs = &dialogs;
        services.clock = &clock;
        form = std::make_unique<TForm3>(services);
        form->setPracticeWindow(&practice);
        practice.journal = form.get();
    }
};

} // namespace

class BenchJournal : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void core_data();
    void core();
    void window_data();
    void window();
    void twentyMegabytes();

private:
    QTemporaryDir m_dir;
};

void BenchJournal::initTestCase() { QVERIFY(m_dir.isValid()); }

void BenchJournal::core_data()
{
    QTest::addColumn<qsizetype>("lines");
    QTest::newRow("10,000 lines") << qsizetype(10'000);
    QTest::newRow("1,000,000 lines") << qsizetype(1'000'000);
}

void BenchJournal::core()
{
    QFETCH(qsizetype, lines);
    const QString path = m_dir.filePath(QStringLiteral("core.quz"));
    const quz::journal::JournalLines journal = makeJournal(lines);

    const double save =
        bestOf(3, [&] { QVERIFY(quz::journal::writeJournalFile(path, journal).ok()); });
    report("save (write through the atomic writer)", lines, save, "linear");

    qsizetype loaded = 0;
    const double load = bestOf(3, [&] {
        const auto read = quz::journal::readJournalFile(path);
        QVERIFY(read.ok());
        loaded = read->size();
    });
    QCOMPARE(loaded, lines);
    report("load (read and split)", lines, load, "linear");

    qsizetype entries = 0;
    const double walk = bestOf(3, [&] {
        entries = 0;
        for (auto step = quz::journal::walk(journal, -1); step.found;
             step = quz::journal::walk(journal, step.cursor))
            ++entries;
    });
    QVERIFY(entries > 0);
    report("walk over every line", lines, walk, "linear");

    const double duplicate = bestOf(5, [&] {
        for (int i = 0; i < 1000; ++i)
            (void)quz::journal::isDuplicateError(journal.last(), QStringLiteral("12"));
    });
    report("duplicate test, per wrong answer", lines, duplicate / 1000,
           "the same for 10 lines or a million");
}

void BenchJournal::window_data() { core_data(); }

void BenchJournal::window()
{
    QFETCH(qsizetype, lines);
    const QString path = m_dir.filePath(QStringLiteral("window.quz"));
    QVERIFY(quz::journal::writeJournalFile(path, makeJournal(lines)).ok());

    Window w(path);
    QElapsedTimer timer;
    timer.start();
    w.form->showWindow();
    QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
    w.form->repaint();
    const double appear = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    QCOMPARE(w.form->journal().size(), lines);
    report("command-line journal appears (load, paint)", lines, appear, "1000 ms for 20 MB");

    // Wrong answers while the window shows: each is a duplicate test and,
    // for a new question, one appended line.
    int question = 0;
    const double wrong = bestOf(5, [&] {
        for (int i = 0; i < 100; ++i, ++question)
            w.form->addErrorEntry(QStringLiteral("01"), QString::number(10 + question % 2));
        QCoreApplication::processEvents();
    });
    report("wrong answer (journal showing)", lines, wrong / 100,
           "the same for 10 lines or a million");
    w.form->hide();
    const double wrongHidden = bestOf(5, [&] {
        for (int i = 0; i < 100; ++i, ++question)
            w.form->addErrorEntry(QStringLiteral("01"), QString::number(10 + question % 2));
        QCoreApplication::processEvents();
    });
    report("wrong answer (journal hidden, as in a run)", lines, wrongHidden / 100,
           "the same for 10 lines or a million");

    // The answer mode from the first line: right answers without and with
    // deletion, each with its walk to the next error entry.
    w.form->lbStat->selectOnly(0);
    w.form->delErr->setChecked(false);
    w.form->sbAnsverClick();
    QVERIFY(w.form->answerModeOn());
    const double keep = bestOf(3, [&] {
        for (int i = 0; i < 200; ++i)
            w.form->rightAnswerInMode();
    });
    report("right answer in the mode, keeping", lines, keep / 200, "the same for any size");
    w.form->delErr->setChecked(true);
    const double remove = bestOf(3, [&] {
        for (int i = 0; i < 200; ++i)
            w.form->rightAnswerInMode();
    });
    report("right answer in the mode, deleting", lines, remove / 200,
           "one move of the line records below");
    QVERIFY(w.practice.asked > 1000);
    w.form->sbAnsverClick();
    QVERIFY(!w.form->answerModeOn());
}

void BenchJournal::twentyMegabytes()
{
    const qsizetype lines = 20 * 1024 * 1024 / 17;
    const QString path = m_dir.filePath(QStringLiteral("20mb.quz"));
    QVERIFY(quz::journal::writeJournalFile(path, makeJournal(lines)).ok());
    const qint64 fileSize = QFileInfo(path).size();
    qInfo("journal file of %lld bytes", static_cast<long long>(fileSize));

    // Memory first, while the process holds nothing of earlier runs.
    const qint64 peak = quz::bench::peakMemoryAbove([&] {
        Window w(path);
        w.form->showWindow();
        QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
        w.form->repaint();
    });
    qInfo("%-44s %9lld lines %10.2f x the file (floor: 1.0 x, the file's bytes; goal 2.5 x)",
          "20 MB command-line journal, peak memory", static_cast<long long>(lines),
          static_cast<double>(peak) / static_cast<double>(fileSize));

    // The floor: reading the file and finding its lines.
    qsizetype found = 0;
    const double floor = bestOf(5, [&] {
        const auto bytes = quz::files::readFileBytes(path, quz::files::FileKind::Journal);
        QVERIFY(bytes.ok());
        found = 0;
        for (const char *at = bytes->constData(), *end = at + bytes->size();
             (at = static_cast<const char *>(std::memchr(at, '\n', size_t(end - at)))); ++at)
            ++found;
    });
    QCOMPARE(found, lines);
    double best = 1e300;
    for (int run = 0; run < 5; ++run) {
        Window w(path);
        QElapsedTimer timer;
        timer.start();
        w.form->showWindow();
        QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
        w.form->repaint();
        best = std::min(best, static_cast<double>(timer.nsecsElapsed()) / 1e6);
        QCOMPARE(w.form->journal().size(), lines);
    }
    qInfo("%-44s %9lld lines %10.3f ms   (floor: %.3f ms reading and splitting, %.1f x)",
          "20 MB command-line journal appears", static_cast<long long>(lines), best, floor,
          best / floor);
}

QTEST_MAIN(BenchJournal)
#include "bench_journal.moc"
