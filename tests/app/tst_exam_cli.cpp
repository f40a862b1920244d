// The command line of quz-exam: what the shared reader and the exam's checks
// make of the arguments, and the executable answering --help, --version and
// mistakes where no display is reachable.

#include "app/quz-exam/arguments.h"

#include <QProcess>
#include <QTest>

using namespace Qt::StringLiterals;
using quz::app::CommandLine;

namespace {

// What a line gives, as one text: "run <rule> <ticket> <seed> <stats>" (0 or
// -1 for an option not given), "help", "version", or "error: <message>".
QString readLine(const QList<QByteArray> &arguments)
{
    CommandLine commandLine(u"quz-exam"_s, u"1.0"_s);
    quz::app::describeExamArguments(commandLine);
    commandLine.parse(QList<QByteArray>{"quz-exam"} + arguments);
    const std::optional<quz::exam::ExamOptions> o = quz::app::readExamArguments(commandLine);
    switch (commandLine.outcome()) {
    case CommandLine::Outcome::Help: return u"help"_s;
    case CommandLine::Outcome::Version: return u"version"_s;
    case CommandLine::Outcome::Error: return u"error: "_s + commandLine.errorText();
    case CommandLine::Outcome::Run: break;
    }
    if (!o)
        return u"run without options"_s;
    return u"run %1 %2 %3 %4"_s.arg(o->rule ? quz::exam::ruleYear(*o->rule) : 0)
        .arg(o->ticket.value_or(0))
        .arg(o->seed ? qint64(*o->seed) : qint64(-1))
        .arg(int(o->stats));
}

} // namespace

class TstExamCli : public QObject {
    Q_OBJECT
private slots:
    void parsing_data();
    void parsing();
    void answersWithoutDisplay_data();
    void answersWithoutDisplay();
};

void TstExamCli::parsing_data()
{
    QTest::addColumn<QList<QByteArray>>("arguments");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char *name, const QList<QByteArray> &arguments,
                        const QString &expected) { QTest::newRow(name) << arguments << expected; };
    row("nothing", {}, u"run 0 0 -1 0"_s);
    row("every value", {"--rule", "2004", "--ticket=05", "--seed", "4294967295", "--stats"},
        u"run 2004 5 4294967295 1"_s);
    row("rule 2016 and a Qt option", {"-platform", "offscreen", "--rule=2016"},
        u"run 2016 0 -1 0"_s);
    row("help beside a bad value", {"--ticket", "99", "-h"}, u"help"_s);
    row("version", {"--version"}, u"version"_s);

    row("rule of another year", {"--rule", "2010"},
        u"error: invalid value '2010' for --rule: use 2004 or 2016"_s);
    row("rule without a value", {"--rule"}, u"error: Missing value after '--rule'."_s);
    row("ticket 41", {"--ticket=41"}, u"error: invalid ticket '41': use a number from 1 to 40"_s);
    row("ticket 0", {"--ticket", "0"}, u"error: invalid ticket '0': use a number from 1 to 40"_s);
    row("ticket with a sign", {"--ticket", "+7"},
        u"error: invalid ticket '+7': use a number from 1 to 40"_s);
    row("seed past 32 bits", {"--seed", "4294967296"},
        u"error: invalid seed '4294967296': use a whole number from 0 to 4294967295"_s);
    row("unknown option", {"--fast"}, u"error: Unknown option 'fast'."_s);
    row("an argument that is no option", {"errors.quz"},
        u"error: unexpected argument 'errors.quz'"_s);
}

void TstExamCli::parsing()
{
    QFETCH(QList<QByteArray>, arguments);
    QTEST(readLine(arguments), "expected");
}

void TstExamCli::answersWithoutDisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("out"); // in stdout; empty: stdout stays empty
    QTest::addColumn<QByteArray>("err"); // the same for stderr

    QTest::newRow("--help") << QStringList{u"--help"_s} << 0 << QByteArray("--rule <2004|2016>")
                            << QByteArray();
    QTest::newRow("--version") << QStringList{u"--version"_s} << 0
                               << QByteArray("quz-exam " QUZ_VERSION "\n") << QByteArray();
    QTest::newRow("bad value") << QStringList{u"--rule"_s, u"2004"_s, u"--seed"_s, u"-1"_s} << 2
                               << QByteArray()
                               << QByteArray("quz-exam: invalid seed '-1': use a whole number "
                                             "from 0 to 4294967295\nTry 'quz-exam --help'");
}

// quz-exam with no display of any kind and no platform chosen, as from a text
// console or over ssh.
void TstExamCli::answersWithoutDisplay()
{
    QFETCH(QStringList, arguments);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(QUZ_EXAM_EXE), arguments);
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QTEST(process.exitCode(), "status");
    const QByteArray stdOut = process.readAllStandardOutput();
    const QByteArray stdErr = process.readAllStandardError();
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    QVERIFY2(out.isEmpty() ? stdOut.isEmpty() : stdOut.contains(out), stdOut.constData());
    QVERIFY2(err.isEmpty() ? stdErr.isEmpty() : stdErr.contains(err), stdErr.constData());
}

QTEST_GUILESS_MAIN(TstExamCli)
#include "tst_exam_cli.moc"
