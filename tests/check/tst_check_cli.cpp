// The quz-check executable as a user runs it: arguments, exit status, the
// text report and the JSON report.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kDemo = QString::fromUtf8(QUZ_DEMO_DATA_DIR);

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run run(const QStringList &arguments, const QString &workingDir = QString())
{
    QProcess process;
    if (!workingDir.isEmpty())
        process.setWorkingDirectory(workingDir);
    process.start(QString::fromUtf8(QUZ_CHECK_EXE), arguments);
    Run result;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return result;
    result.exitCode = process.exitCode();
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// A copy of the demonstration data whose header on line 12 has a trailing
// blank, and, in a folder of their own, a journal with one good and one
// damaged error entry and a clean one.
struct Broken {
    Broken()
    {
        QDirIterator it(kDemo, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString source = it.next();
            QFile in(source);
            QVERIFY(in.open(QIODevice::ReadOnly));
            QByteArray bytes = in.readAll();
            if (source.endsWith(QStringLiteral("vopros.txt")))
                bytes.replace("\xe1\xe8\xeb\xe5\xf2"
                              "01032\r\n",
                              "\xe1\xe8\xeb\xe5\xf2"
                              "01032 \r\n");
            writeFile(QDir(dir.path()).filePath(QDir(kDemo).relativeFilePath(source)), bytes);
        }
        writeFile(journal(),
                  "-> 05 \xe2\xee\xef\xf0\xee\xf1 12\r\n-> 5 \xe2\xee\xef\xf0\xee\xf1 12\r\n");
        writeFile(cleanJournal(), "-> 05 \xe2\xee\xef\xf0\xee\xf1 12\r\n\r\n");
    }
    QString journal() const { return QDir(other.path()).filePath(QStringLiteral("errors.quz")); }
    QString cleanJournal() const
    {
        return QDir(other.path()).filePath(QStringLiteral("clean.quz"));
    }
    QTemporaryDir dir;
    QTemporaryDir other; // the journals, away from the program directory
};

} // namespace

class TestCheckCli : public QObject {
    Q_OBJECT

private slots:
    void exitStatus_data();
    void exitStatus();
    void textReport();
    void jsonReport();
    void journalReport();
    void journalInProgramDirectory();
};

void TestCheckCli::exitStatus_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output"); // part of stdout or stderr
    static Broken broken;
    QTest::newRow("help") << QStringList{"--help"} << 0 << "Usage: quz-check";
    QTest::newRow("unknown option") << QStringList{"--fix"} << 2 << "unknown option --fix";
    QTest::newRow("missing path") << QStringList{"/no/such/dir"} << 2
                                  << "no such file or directory";
    QTest::newRow("two directories") << QStringList{kDemo, kDemo} << 2 << "one program directory";
    QTest::newRow("directory and journal")
        << QStringList{kDemo, broken.journal()} << 2 << "either a program directory";
    QTest::newRow("the program's own folder") << QStringList{} << 0 << "no problems found";
    QTest::newRow("demonstration data") << QStringList{kDemo} << 0 << "no problems found";
    QTest::newRow("broken directory")
        << QStringList{broken.dir.path()} << 1 << "1 problem in 1 file";
    QTest::newRow("clean journal")
        << QStringList{broken.cleanJournal()} << 0 << "no problems found";
    QTest::newRow("damaged journal") << QStringList{broken.journal()} << 1 << "1 problem";
}

void TestCheckCli::exitStatus()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    const Run result = run(arguments);
    QCOMPARE(result.exitCode, exitCode);
    QVERIFY2(result.out.contains(output) || result.err.contains(output),
             qPrintable(result.out + result.err));
}

void TestCheckCli::textReport()
{
    Broken broken;
    const Run result = run({QStringLiteral(".")}, broken.dir.path());
    QCOMPARE(result.exitCode, 1);
    const QStringList lines = result.out.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QVERIFY2(lines.at(0).startsWith(QStringLiteral("vopros.txt:12: the header line has 11 "
                                                   "characters instead of 10 (1 trailing blank)")),
             qPrintable(lines.at(0)));
    QCOMPARE(lines.at(1), QStringLiteral("quz-check: 1 problem in 1 file"));
}

void TestCheckCli::jsonReport()
{
    Broken broken;
    const Run result = run({QStringLiteral("--json"), broken.dir.path()});
    QCOMPARE(result.exitCode, 1);
    QJsonParseError error;
    const QJsonObject root = QJsonDocument::fromJson(result.out.toUtf8(), &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(root.value(QStringLiteral("problems")).toInt(), 1);
    QCOMPARE(root.value(QStringLiteral("notes")).toInt(), 0);
    const QJsonArray findings = root.value(QStringLiteral("findings")).toArray();
    QCOMPARE(findings.size(), 1);
    const QJsonObject finding = findings.at(0).toObject();
    QCOMPARE(finding.value(QStringLiteral("file")).toString(), QStringLiteral("vopros.txt"));
    QCOMPARE(finding.value(QStringLiteral("path")).toString(),
             QDir(broken.dir.path()).filePath(QStringLiteral("vopros.txt")));
    QCOMPARE(finding.value(QStringLiteral("line")).toInt(), 12);
    QCOMPARE(finding.value(QStringLiteral("severity")).toString(), QStringLiteral("problem"));
    QCOMPARE(finding.value(QStringLiteral("kind")).toString(),
             QStringLiteral("question.header-length"));
}

void TestCheckCli::journalReport()
{
    Broken broken;
    const Run result = run({broken.journal(), broken.cleanJournal()});
    QCOMPARE(result.exitCode, 1);
    const QStringList lines = result.out.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QVERIFY2(lines.at(0).startsWith(broken.journal()
                                    + QStringLiteral(":2: «-> 5 вопрос 12» is "
                                                     "not a well-formed error "
                                                     "entry")),
             qPrintable(lines.at(0)));
    // The program folder's question file tells what the answer mode shows.
    QVERIFY2(lines.at(0).contains(QStringLiteral("which no record has")), qPrintable(lines.at(0)));
}

void TestCheckCli::journalInProgramDirectory()
{
    Broken broken;
    QVERIFY(
        QFile::copy(broken.journal(), QDir(broken.dir.path()).filePath(QStringLiteral("j.quz"))));
    const Run result = run({QStringLiteral(".")}, broken.dir.path());
    QCOMPARE(result.exitCode, 1);
    QVERIFY2(result.out.contains(QStringLiteral("\nj.quz:2: «-> 5 вопрос 12»")),
             qPrintable(result.out));
    QVERIFY2(result.out.contains(QStringLiteral("2 problems in 2 files")), qPrintable(result.out));
}

QTEST_GUILESS_MAIN(TestCheckCli)
#include "tst_check_cli.moc"
