// The command line of quz: what the parser makes of the arguments, and the
// executable answering --help, --version and mistakes where no display is
// reachable.

#include "app/common/command_line.h"
#include "app/quz/arguments.h"

#include <QProcess>
#include <QTest>

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

struct Run {
    bool exited = false;
    int status = -1;
    QByteArray out;
    QByteArray err;
};

// Runs quz with no display of any kind and no platform chosen, as from a
// text console or over ssh.
Run runWithoutDisplay(const QStringList &arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(QUZ_EXE), arguments);
    Run run;
    run.exited = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit;
    run.status = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
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

    const QByteArray cp1251 = "\xce\xf8\xe8\xe1\xea\xe8.quz"; // "Ошибки.quz" in Windows-1251
    const QByteArray utf8 = QStringLiteral(u"Ошибки.quz").toUtf8();
    QTest::newRow("no arguments") << QList<QByteArray>{} << Outcome::Run << QByteArray();
    QTest::newRow("journal file") << QList<QByteArray>{"errors.quz"} << Outcome::Run
                                  << QByteArray("errors.quz");
    QTest::newRow("only the first file counts")
        << QList<QByteArray>{"a.quz", "b.quz"} << Outcome::Run << QByteArray("a.quz");
    QTest::newRow("empty first argument") << QList<QByteArray>{""} << Outcome::Run << QByteArray();
    QTest::newRow("lone dash is a file")
        << QList<QByteArray>{"-"} << Outcome::Run << QByteArray("-");
    QTest::newRow("non-UTF-8 name kept byte for byte")
        << QList<QByteArray>{cp1251} << Outcome::Run << cp1251;
    QTest::newRow("UTF-8 name kept") << QList<QByteArray>{utf8} << Outcome::Run << utf8;
    QTest::newRow("-- lets --help through as a file")
        << QList<QByteArray>{"--", "--help"} << Outcome::Run << QByteArray("--help");
    QTest::newRow("-- lets a dash name through")
        << QList<QByteArray>{"--", "-v.quz"} << Outcome::Run << QByteArray("-v.quz");
    QTest::newRow("Qt option with its value before the file")
        << QList<QByteArray>{"-platform", "offscreen", "j.quz"} << Outcome::Run
        << QByteArray("j.quz");
    QTest::newRow("Qt option with = in two-dash form")
        << QList<QByteArray>{"--style=fusion", "j.quz"} << Outcome::Run << QByteArray("j.quz");
    QTest::newRow("Qt switch") << QList<QByteArray>{"-reverse", "j.quz"} << Outcome::Run
                               << QByteArray("j.quz");

    QTest::newRow("-h") << QList<QByteArray>{"-h"} << Outcome::Help << QByteArray();
    QTest::newRow("--help") << QList<QByteArray>{"--help"} << Outcome::Help << QByteArray();
    QTest::newRow("help after a file")
        << QList<QByteArray>{"j.quz", "--help"} << Outcome::Help << QByteArray();
    QTest::newRow("help beside an unknown option")
        << QList<QByteArray>{"--bogus", "--help"} << Outcome::Help << QByteArray();
    QTest::newRow("-v") << QList<QByteArray>{"-v"} << Outcome::Version << QByteArray();
    QTest::newRow("--version") << QList<QByteArray>{"--version"} << Outcome::Version
                               << QByteArray();

    QTest::newRow("unknown long option")
        << QList<QByteArray>{"--bogus"} << Outcome::Error << QByteArray();
    QTest::newRow("unknown short option")
        << QList<QByteArray>{"-x"} << Outcome::Error << QByteArray();
    QTest::newRow("dash name without --")
        << QList<QByteArray>{"-errors.quz"} << Outcome::Error << QByteArray();
    QTest::newRow("Qt option without its value")
        << QList<QByteArray>{"-platform"} << Outcome::Error << QByteArray();
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
    QTest::addColumn<QList<QByteArray>>("outHas"); // each in stdout
    QTest::addColumn<QList<QByteArray>>("errHas"); // each in stderr; empty: stderr empty

    QTest::newRow("--help") << QStringList{QStringLiteral("--help")} << 0
                            << QList<QByteArray>{"[journal-file]", "--version", "quz ["}
                            << QList<QByteArray>{};
    QTest::newRow("--version") << QStringList{QStringLiteral("--version")} << 0
                               << QList<QByteArray>{"quz " QUZ_VERSION "\n"} << QList<QByteArray>{};
    QTest::newRow("unknown option")
        << QStringList{QStringLiteral("--bogus"), QStringLiteral("j.quz")} << 2
        << QList<QByteArray>{} << QList<QByteArray>{"quz: ", "'bogus'", "quz --help"};
}

void TstQuzCli::answersWithoutDisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QList<QByteArray>, outHas);
    QFETCH(QList<QByteArray>, errHas);

    const Run run = runWithoutDisplay(arguments);
    QVERIFY2(run.exited, run.err.constData());
    QCOMPARE(run.status, status);
    for (const QByteArray &text : outHas)
        QVERIFY2(run.out.contains(text), run.out.constData());
    if (outHas.isEmpty())
        QCOMPARE(run.out, QByteArray());
    for (const QByteArray &text : errHas)
        QVERIFY2(run.err.contains(text), run.err.constData());
    if (errHas.isEmpty())
        QCOMPARE(run.err, QByteArray());
}

QTEST_GUILESS_MAIN(TstQuzCli)
#include "tst_quz_cli.moc"
