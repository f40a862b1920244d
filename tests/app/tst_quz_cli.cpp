// The command line of quz: what the parser makes of the arguments, and the
// executable answering --help, --version and mistakes where no display is
// reachable.

#include "app/common/command_line.h"
#include "app/quz/arguments.h"

#include <QProcess>
#include <QTest>

#include <tuple>

using quz::app::CommandLine;
using Outcome = CommandLine::Outcome;

Q_DECLARE_METATYPE(Outcome)

namespace {

struct Parsed {
    Outcome outcome;
    QByteArray file;
    QString error;
};

Parsed parseQuz(const QList<QByteArray> &arguments)
{
    CommandLine commandLine(QStringLiteral("quz"), QStringLiteral("1.0"));
    quz::app::describeQuzArguments(commandLine);
    Parsed parsed;
    parsed.outcome = commandLine.parse(QList<QByteArray>{"quz"} + arguments);
    if (parsed.outcome == Outcome::Run)
        parsed.file = commandLine.positional(0);
    else if (parsed.outcome == Outcome::Error)
        parsed.error = commandLine.errorText();
    return parsed;
}

// Runs quz with no display of any kind and no platform chosen, as from a
// text console or over ssh; the exit status, stdout and stderr.
std::tuple<int, QByteArray, QByteArray> runWithoutDisplay(const QStringList &arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(QUZ_EXE), arguments);
    const bool exited =
        process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit;
    return {exited ? process.exitCode() : -1, process.readAllStandardOutput(),
            process.readAllStandardError()};
}

} // namespace

class TstQuzCli : public QObject {
    Q_OBJECT

private slots:
    void parsing_data();
    void parsing();
    void errorNamesTheArgumentAsGiven();
    void answersWithoutDisplay_data();
    void answersWithoutDisplay();
};

void TstQuzCli::parsing_data()
{
    QTest::addColumn<QList<QByteArray>>("arguments");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<QByteArray>("file");
    const auto row = [](const char *name, const QList<QByteArray> &arguments, Outcome outcome,
                        const QByteArray &file = QByteArray()) {
        QTest::newRow(name) << arguments << outcome << file;
    };
    const QByteArray cp1251 = "\xce\xf8\xe8\xe1\xea\xe8.quz"; // "Ошибки.quz" in Windows-1251

    row("no arguments", {}, Outcome::Run);
    row("journal file", {"errors.quz"}, Outcome::Run, "errors.quz");
    row("only the first file counts", {"a.quz", "b.quz"}, Outcome::Run, "a.quz");
    row("empty first argument", {""}, Outcome::Run);
    row("lone dash is a file", {"-"}, Outcome::Run, "-");
    row("non-UTF-8 name kept byte for byte", {cp1251}, Outcome::Run, cp1251);
    row("-- lets --help through as a file", {"--", "--help"}, Outcome::Run, "--help");
    row("Qt option and its value", {"-platform", "offscreen", "j.quz"}, Outcome::Run, "j.quz");
    row("Qt option, two dashes and =", {"--style=fusion", "j.quz"}, Outcome::Run, "j.quz");
    row("Qt switch", {"-reverse", "j.quz"}, Outcome::Run, "j.quz");

    row("-h", {"-h"}, Outcome::Help);
    row("help after a file", {"j.quz", "--help"}, Outcome::Help);
    row("help beside an unknown option", {"--bogus", "--help"}, Outcome::Help);
    row("-v", {"-v"}, Outcome::Version);
    row("--version", {"--version"}, Outcome::Version);

    row("unknown option", {"--bogus"}, Outcome::Error);
    row("dash name without --", {"-errors.quz"}, Outcome::Error);
    row("Qt option without its value", {"-platform"}, Outcome::Error);
}

void TstQuzCli::parsing()
{
    QFETCH(QList<QByteArray>, arguments);
    QFETCH(Outcome, outcome);
    QFETCH(QByteArray, file);

    const Parsed parsed = parseQuz(arguments);
    QCOMPARE(parsed.outcome, outcome);
    QCOMPARE(parsed.file, file);
    QCOMPARE(parsed.error.isEmpty(), outcome != Outcome::Error);
}

void TstQuzCli::errorNamesTheArgumentAsGiven()
{
    const QString option = QStringLiteral(u"ключ");
    const Parsed parsed = parseQuz({"--" + option.toUtf8()});
    QCOMPARE(parsed.outcome, Outcome::Error);
    QVERIFY2(parsed.error.contains(QLatin1Char('\'') + option + QLatin1Char('\'')),
             qPrintable(parsed.error));
}

void TstQuzCli::answersWithoutDisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("out"); // in stdout; empty: stdout stays empty
    QTest::addColumn<QByteArray>("err"); // the same for stderr

    QTest::newRow("--help") << QStringList{QStringLiteral("--help")} << 0
                            << QByteArray("Usage: quz [options] [journal-file]\n") << QByteArray();
    QTest::newRow("--version") << QStringList{QStringLiteral("--version")} << 0
                               << QByteArray("quz " QUZ_VERSION "\n") << QByteArray();
    QTest::newRow("unknown option")
        << QStringList{QStringLiteral("--bogus"), QStringLiteral("j.quz")} << 2 << QByteArray()
        << QByteArray("quz: Unknown option 'bogus'.\nTry 'quz --help'");
}

void TstQuzCli::answersWithoutDisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);

    const auto [exitStatus, stdOut, stdErr] = runWithoutDisplay(arguments);
    QCOMPARE(exitStatus, status);
    QVERIFY2(out.isEmpty() ? stdOut.isEmpty() : stdOut.contains(out), stdOut.constData());
    QVERIFY2(err.isEmpty() ? stdErr.isEmpty() : stdErr.contains(err), stdErr.constData());
}

QTEST_GUILESS_MAIN(TstQuzCli)
#include "tst_quz_cli.moc"
