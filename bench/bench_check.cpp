// The data checker on the demonstration program directory: the whole check
// (800 question lookups, 800 comment lookups, the pictures decoded, the
// notes and the placeholder read), its two bank checks alone, a directory
// with a picture for every one of the 800 questions, and the quz-check
// executable as a user starts it beside the floor, a Qt program that only
// reads the same files (bench/check_floor.cpp), run in turn with it. The
// floor of the in-process figures: well under a second for the
// demonstration directory.
//
// Run: <build>/bench/bench_check [-iterations 20]
#include "check/bank_index.h"
#include "check/comment_check.h"
#include "check/program_check.h"
#include "check/question_check.h"
#include "core/files/text_file.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kDemo = QString::fromUtf8(QUZ_DEMO_DATA_DIR);
constexpr qint64 kFloorMs = 1000;

std::string bankOf(const QString &name)
{
    QFile file(QDir(kDemo).filePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    return quz::files::normaliseLines(std::string_view(bytes.constData(), bytes.size()));
}

} // namespace

class BenchCheck : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void firstCheck();
    void demonstrationDirectory();
    void questionFileOnly();
    void commentFileOnly();
    void pictureForEveryQuestion();
    void executable();
    void cleanupTestCase();

private:
    QTemporaryDir m_full;
};

void BenchCheck::initTestCase()
{
    qInfo("floor: the whole check of the demonstration directory well under %lld ms", kFloorMs);
    // The demonstration data with a picture for each of the 800 questions.
    QDirIterator it(kDemo, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = QDir(m_full.path()).filePath(QDir(kDemo).relativeFilePath(source));
        QDir().mkpath(QFileInfo(target).absolutePath());
        QVERIFY(QFile::copy(source, target));
    }
    const QString picture = QDir(kDemo).filePath(QStringLiteral("bmp/Quz_1_10.jpg"));
    for (int t = 1; t <= 40; ++t)
        for (int q = 1; q <= 20; ++q)
            QFile::copy(
                picture,
                QDir(m_full.path()).filePath(QStringLiteral("bmp/Quz_%1_%2.jpg").arg(t).arg(q)));
}

void BenchCheck::firstCheck()
{
    // The first check of a process, with the code page tables still to be made.
    QElapsedTimer once;
    once.start();
    const quz::check::Report report = quz::check::checkProgramDirectory(kDemo);
    qInfo("first check of %s: %lld ms (floor %lld ms), %d findings", qPrintable(kDemo),
          once.elapsed(), kFloorMs, static_cast<int>(report.findings.size()));
    QVERIFY(report.findings.empty());
}

void BenchCheck::demonstrationDirectory()
{
    quz::check::Report report;
    QBENCHMARK {
        report = quz::check::checkProgramDirectory(kDemo);
    }
    QVERIFY(report.findings.empty());
}

void BenchCheck::questionFileOnly()
{
    const quz::check::BankText bank(bankOf(QStringLiteral("vopros.txt")));
    size_t questions = 0;
    QBENCHMARK {
        questions =
            quz::check::checkQuestions(QStringLiteral("vopros.txt"), bank, {}).questions.size();
    }
    QCOMPARE(questions, size_t(800));
}

void BenchCheck::commentFileOnly()
{
    const quz::check::BankText bank(bankOf(QStringLiteral("koment.txt")));
    size_t findings = 1;
    QBENCHMARK {
        findings =
            quz::check::checkComments(QStringLiteral("koment.txt"), bank, {}).findings.size();
    }
    QCOMPARE(findings, size_t(0));
}

void BenchCheck::pictureForEveryQuestion()
{
    quz::check::Report report;
    QBENCHMARK {
        report = quz::check::checkProgramDirectory(m_full.path());
    }
    QVERIFY(report.findings.empty());
}

namespace {

// Start to exit of `program` with `arguments`, in microseconds, as a user
// runs it; -1 when it fails.
qint64 wholeProcess(const QString &program, const QStringList &arguments)
{
    QElapsedTimer timer;
    timer.start();
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return -1;
    return timer.nsecsElapsed() / 1000;
}

qint64 median(std::vector<qint64> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

void BenchCheck::executable()
{
    // quz-check on the demonstration directory and the two floors, the Qt
    // programs that only read the same files (the second linked to Qt GUI,
    // which quz-check no longer loads), started in turn so that a drift of
    // the machine's speed touches all three alike.
    constexpr int kRuns = 31;
    std::vector<qint64> check, floor, floorGui;
    for (int i = 0; i < kRuns; ++i) {
        check.push_back(wholeProcess(QString::fromUtf8(QUZ_CHECK_EXE), {kDemo}));
        floor.push_back(wholeProcess(QString::fromUtf8(QUZ_CHECK_FLOOR_EXE), {kDemo}));
        floorGui.push_back(wholeProcess(QString::fromUtf8(QUZ_CHECK_FLOOR_GUI_EXE), {kDemo}));
        QVERIFY(check.back() > 0 && floor.back() > 0 && floorGui.back() > 0);
    }
    const qint64 c = median(check);
    const qint64 f = median(floor);
    const qint64 g = median(floorGui);
    qInfo("quz-check on the demonstration directory, start to exit, median of %d: %.1f ms; "
          "floor (Qt Core, reads the same files) %.1f ms, %.2fx (goal 2x); with Qt GUI linked "
          "%.1f ms, %.2fx",
          kRuns, c / 1000.0, f / 1000.0, double(c) / double(f), g / 1000.0, double(c) / double(g));
}

void BenchCheck::cleanupTestCase() {}

QTEST_GUILESS_MAIN(BenchCheck)
#include "bench_check.moc"
