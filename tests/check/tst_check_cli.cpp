// The quz-check executable as a user runs it: arguments, exit status, the
// text report and the JSON report.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kDemo = QString::fromUtf8(QUZ_DEMO_DATA_DIR);

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs `program` with `arguments` in `workingDir` (the current folder when
// empty) with `environment` added to this process's environment.
Run start(const QString &program, const QStringList &arguments, const QString &workingDir,
          const QStringList &environment = {})
{
    QProcess process;
    if (!workingDir.isEmpty())
        process.setWorkingDirectory(workingDir);
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
    for (const QString &variable : environment)
        variables.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
    process.setProcessEnvironment(variables);
    process.start(program, arguments);
    Run result;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return result;
    result.exitCode = process.exitCode();
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

Run run(const QStringList &arguments, const QString &workingDir = QString())
{
    return start(QString::fromUtf8(QUZ_CHECK_EXE), arguments, workingDir);
}

// Runs `script` in bash in `workingDir`, with $QUZ_CHECK naming the checker:
// the way to hand it names that are not UTF-8.
Run runShell(const QString &script, const QString &workingDir)
{
    return start(QStringLiteral("/bin/bash"), {QStringLiteral("-c"), script}, workingDir,
                 {QStringLiteral("QUZ_CHECK=") + QString::fromUtf8(QUZ_CHECK_EXE)});
}

// Writes `bytes` to the file whose name is the bytes `name` in `dir`.
bool writeNative(const QString &dir, const QByteArray &name, const QByteArray &bytes)
{
    const QByteArray path = QFile::encodeName(dir) + '/' + name;
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    const bool written = ::write(fd, bytes.constData(), static_cast<size_t>(bytes.size()))
                         == static_cast<ssize_t>(bytes.size());
    ::close(fd);
    return written;
}

// The bytes of the file named by the bytes `name` in `dir`, empty when none.
QByteArray readNative(const QString &dir, const QByteArray &name)
{
    QByteArray bytes;
    const int fd = ::open((QFile::encodeName(dir) + '/' + name).constData(), O_RDONLY);
    if (fd < 0)
        return bytes;
    char buffer[4096];
    for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, got);
    ::close(fd);
    return bytes;
}

// The entries of `dir`, names that are not UTF-8 included (Qt skips them).
int entryCount(const QString &dir)
{
    int n = 0;
    DIR *folder = ::opendir(QFile::encodeName(dir).constData());
    while (const dirent *entry = folder ? ::readdir(folder) : nullptr)
        n += std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0;
    if (folder)
        ::closedir(folder);
    return n;
}

// The command at the end of the finding's line, after "convert it: ".
QString adviceOf(const QString &out)
{
    const QString marker = QStringLiteral("convert it: ");
    for (const QString &line : out.split(u'\n'))
        if (const qsizetype at = line.indexOf(marker); at >= 0)
            return line.mid(at + marker.size());
    return {};
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
    void adviceWorksWhenPasted_data();
    void adviceWorksWhenPasted();
    void adviceLeavesNothingWhenItFails();
    void namesShownSafely();
    void namesNotInUtf8();
    void usageErrorAsJson_data();
    void usageErrorAsJson();
    void pipeInProgramDirectory();
    void pathTooLong();
    void fileKinds_data();
    void fileKinds();
    void encodingFirst();
    void version();
    void russianLocale();
};

void TestCheckCli::exitStatus_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output"); // part of stdout or stderr
    static Broken broken;
    QTest::newRow("help") << QStringList{"--help"} << 0 << "Usage: quz-check [options] DIR";
    QTest::newRow("-h") << QStringList{"-h"} << 0 << "-v, --version";
    QTest::newRow("-v") << QStringList{"-v"} << 0 << "quz-check " QUZ_VERSION;
    QTest::newRow("unknown option") << QStringList{"--fix"} << 2 << "unknown option --fix";
    QTest::newRow("unknown option behind one dash")
        << QStringList{"-fix", kDemo} << 2 << "unknown option -fix";
    QTest::newRow("--kind without its value") << QStringList{"--kind"} << 2 << "--kind";
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

void TestCheckCli::adviceWorksWhenPasted_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("content");
    const QByteArray entry = QString::fromUtf8("-> 05 вопрос 12\r\nСтарт\r\n").toUtf8();
    const QString wide = QString::fromUtf8("Старт\r\n");
    const QByteArray utf16(reinterpret_cast<const char *>(wide.utf16()), wide.size() * 2);
    QTest::newRow("quote and command in the name")
        << QByteArray("x'$(touch INJECTED)'.quz") << entry;
    QTest::newRow("name beginning with a dash") << QByteArray("-n.quz") << entry;
    QTest::newRow("control characters in the name") << QByteArray("a\x1b[2J\x07\nb.quz") << entry;
    QTest::newRow("Windows-1251 name") << QByteArray("\xce\xf8\xe8\xe1\xea\xe8.quz") << entry;
    QTest::newRow("UTF-8 with byte-order mark")
        << QByteArray("bom.quz") << QByteArray("\xef\xbb\xbf") + entry;
    QTest::newRow("UTF-16 without byte-order mark") << QByteArray("wide.quz") << utf16;
}

// The conversion command, pasted where the check ran, converts the very file
// it names to Windows-1251, whatever its name, and runs nothing else.
void TestCheckCli::adviceWorksWhenPasted()
{
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, content);
    QTemporaryDir work;
    QVERIFY(QDir(work.path()).mkdir(QStringLiteral("own")));
    const QString own = QDir(work.path()).filePath(QStringLiteral("own"));
    QVERIFY(writeNative(own, name, content));

    const Run check = run({QStringLiteral("own")}, work.path());
    const QString advice = adviceOf(check.out);
    QVERIFY2(!advice.isEmpty(), qPrintable(check.out));
    const Run pasted = runShell(advice, work.path());
    QVERIFY2(pasted.exitCode == 0, qPrintable(advice + u'\n' + pasted.err));

    QStringEncoder cp1251("windows-1251");
    QString text = content.startsWith("\xef\xbb\xbf") ? QString::fromUtf8(content.mid(3))
                   : content.contains('\0')
                       ? QString::fromUtf16(reinterpret_cast<const char16_t *>(content.constData()),
                                            content.size() / 2)
                       : QString::fromUtf8(content);
    QCOMPARE(readNative(own, name), QByteArray(cp1251.encode(text)));
    QVERIFY(!QFileInfo::exists(QDir(work.path()).filePath(QStringLiteral("INJECTED"))));
    QCOMPARE(entryCount(own), 1);
}

void TestCheckCli::adviceLeavesNothingWhenItFails()
{
    QTemporaryDir work;
    // A character Windows-1251 does not have: the conversion fails.
    const QByteArray content = QString::fromUtf8("Старт \u4e2d\r\n").toUtf8();
    QVERIFY(writeNative(work.path(), "j.quz", content));
    const Run check = run({QStringLiteral("j.quz")}, work.path());
    const QString advice = adviceOf(check.out);
    QVERIFY2(!advice.isEmpty(), qPrintable(check.out));
    const Run pasted = runShell(advice, work.path());
    QVERIFY(pasted.exitCode != 0);
    QCOMPARE(readNative(work.path(), "j.quz"), content);
    QCOMPARE(entryCount(work.path()), 1);
}

// A name cannot reach the terminal as control characters or split a finding;
// the JSON report keeps it exactly.
void TestCheckCli::namesShownSafely()
{
    Broken broken;
    const QByteArray name("e\x1b]0;title\x07\nx.txt:1: forged\r.quz");
    QVERIFY(writeNative(broken.dir.path(), name, "-> 5 \xe2\xee\xef\xf0\xee\xf1 12\r\n"));
    const Run text = run({broken.dir.path()});
    QCOMPARE(text.exitCode, 1);
    for (const QChar c : text.out)
        QVERIFY2(c == u'\n' || c.unicode() >= 0x20, qPrintable(QString::number(c.unicode())));
    QCOMPARE(text.out.count(QStringLiteral("forged")), 1);
    QVERIFY2(text.out.contains(QStringLiteral("x.txt:1: forged")), qPrintable(text.out));
    QCOMPARE(text.out.split(u'\n', Qt::SkipEmptyParts).size(), 3);

    const Run json = run({QStringLiteral("--json"), broken.dir.path()});
    const QJsonArray findings = QJsonDocument::fromJson(json.out.toUtf8())
                                    .object()
                                    .value(QStringLiteral("findings"))
                                    .toArray();
    QStringList files;
    for (const QJsonValue &finding : findings)
        files << finding.toObject().value(QStringLiteral("file")).toString();
    QVERIFY2(files.contains(QString::fromUtf8(name)), qPrintable(files.join(u'|')));
}

// Windows-1251 names, as archives made on Windows carry them: checked in a
// folder and as an argument, shown in Cyrillic.
void TestCheckCli::namesNotInUtf8()
{
    Broken broken;
    const QByteArray name("\xce\xf8\xe8\xe1\xea\xe8.quz"); // «Ошибки.quz»
    QVERIFY(writeNative(broken.dir.path(), name, "-> 5 \xe2\xee\xef\xf0\xee\xf1 12\r\n"));
    const Run folder = run({broken.dir.path()});
    QCOMPARE(folder.exitCode, 1);
    QVERIFY2(folder.out.contains(QStringLiteral("Ошибки.quz:1: «-> 5 вопрос 12»")),
             qPrintable(folder.out));
    const Run argument = runShell(
        QStringLiteral("\"$QUZ_CHECK\" $'\\xce\\xf8\\xe8\\xe1\\xea\\xe8.quz'"), broken.dir.path());
    QCOMPARE(argument.exitCode, 1);
    QVERIFY2(argument.out.contains(QStringLiteral("Ошибки.quz:1: «-> 5 вопрос 12»")),
             qPrintable(argument.out + argument.err));
}

void TestCheckCli::usageErrorAsJson_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("error");
    QTest::newRow("unknown option after --json")
        << QStringList{"--json", "--fix"} << "unknown option --fix";
    QTest::newRow("unknown option before --json")
        << QStringList{"--fix", "--json"} << "unknown option --fix";
    QTest::newRow("missing path") << QStringList{"--json", "/no/such/dir"}
                                  << "no such file or directory";
}

void TestCheckCli::usageErrorAsJson()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, error);
    const Run result = run(arguments);
    QCOMPARE(result.exitCode, 2);
    QJsonParseError parse;
    const QJsonObject root = QJsonDocument::fromJson(result.out.toUtf8(), &parse).object();
    QCOMPARE(parse.error, QJsonParseError::NoError);
    QVERIFY2(root.value(QStringLiteral("error")).toString().contains(error),
             qPrintable(result.out));
}

// A pipe named like a journal neither blocks the check nor passes unsaid.
void TestCheckCli::pipeInProgramDirectory()
{
    Broken broken;
    const QByteArray pipe = QFile::encodeName(QDir(broken.dir.path()).filePath("pipe.quz"));
    QVERIFY(::mkfifo(pipe.constData(), 0644) == 0);
    const Run result = run({broken.dir.path()});
    QCOMPARE(result.exitCode, 1);
    QVERIFY2(result.out.contains(QStringLiteral("pipe.quz: ")), qPrintable(result.out));
}

void TestCheckCli::pathTooLong()
{
    const QString path = QStringLiteral("/tmp/") + QString(5000, u'a');
    const Run result = run({path});
    QCOMPARE(result.exitCode, 2);
    QVERIFY2(!result.err.contains(QStringLiteral("no such file")), qPrintable(result.err));
    QVERIFY2(result.err.contains(QStringLiteral("too long")), qPrintable(result.err));
    QVERIFY(result.err.size() < 500);
}

void TestCheckCli::fileKinds_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("finding"); // part of the first line
    // A header with a trailing blank, in a set of one ticket.
    const QByteArray questions("\xe1\xe8\xeb\xe5\xf2"
                               "01012 \r\nQ?\r\na\r\nb\r\n\xe1\xe8\xeb\xe5\xf2 end\r\n");
    const QByteArray comments("title\r\n\xe1\xe8\xeb\xe5\xf2"
                              "01\r\n1. one\r\n1. again\r\n3. ----\r\n");
    QTest::newRow("question file by its name")
        << "vopros.txt" << QStringList{} << questions << "vopros.txt:1: the header line has 11";
    QTest::newRow("question file by --kind") << "mine.txt" << QStringList{"--kind", "question"}
                                             << questions << "mine.txt:1: the header line has 11";
    QTest::newRow("comment file by its name")
        << "koment.txt" << QStringList{} << comments << "koment.txt:4: this line begins with «1. »";
    QTest::newRow("picture by its content")
        << "photo" << QStringList{} << QByteArray("\xff\xd8\xff\xe0garbage")
        << "photo: libjpeg refuses it";
    QTest::newRow("anything else: a journal")
        << "notes.txt" << QStringList{} << QByteArray("-> 5 x\r\n") << "notes.txt:1: «-> 5 x»";
}

// A file named on the command line is checked as what it is.
void TestCheckCli::fileKinds()
{
    QFETCH(QString, name);
    QFETCH(QStringList, options);
    QFETCH(QByteArray, content);
    QFETCH(QString, finding);
    QTemporaryDir work;
    QVERIFY(writeNative(work.path(), name.toUtf8(), content));
    const Run result = run(options << name, work.path());
    QCOMPARE(result.exitCode, 1);
    QVERIFY2(result.out.contains(finding), qPrintable(result.out + result.err));
}

// One pass: a UTF-8 file's encoding first, then what it still holds once
// converted, each on its line.
void TestCheckCli::encodingFirst()
{
    QTemporaryDir work;
    const QByteArray journal = QString::fromUtf8("Старт\n-> 5 вопрос 12\n").toUtf8();
    QVERIFY(writeNative(work.path(), "j.quz", journal));
    const Run result = run({QStringLiteral("j.quz")}, work.path());
    const QStringList lines = result.out.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 3);
    QVERIFY2(lines.at(0).startsWith(QStringLiteral("j.quz:1: the file is UTF-8 text")),
             qPrintable(result.out));
    QVERIFY2(lines.at(1).startsWith(QStringLiteral("j.quz:2: «-> 5 вопрос 12»")),
             qPrintable(result.out));
}

void TestCheckCli::version()
{
    const Run result = run({QStringLiteral("--version")});
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out, QStringLiteral("quz-check %1\n").arg(QString::fromUtf8(QUZ_VERSION)));
}

// Under a Russian locale the report and the usage errors are in Russian.
void TestCheckCli::russianLocale()
{
    const QStringList russian{QStringLiteral("LC_ALL="), QStringLiteral("LC_MESSAGES="),
                              QStringLiteral("LANG=ru_RU.UTF-8")};
    const Run clean = start(QString::fromUtf8(QUZ_CHECK_EXE), {kDemo}, QString(), russian);
    QCOMPARE(clean.exitCode, 0);
    QCOMPARE(clean.out, QStringLiteral("quz-check: ошибок не найдено\n"));
    const Run usage =
        start(QString::fromUtf8(QUZ_CHECK_EXE), {QStringLiteral("--fix")}, QString(), russian);
    QCOMPARE(usage.exitCode, 2);
    QVERIFY2(usage.err.contains(QStringLiteral("неизвестный параметр --fix")),
             qPrintable(usage.err));
    const Run help =
        start(QString::fromUtf8(QUZ_CHECK_EXE), {QStringLiteral("--help")}, QString(), russian);
    QCOMPARE(help.exitCode, 0);
    QVERIFY2(help.out.contains(QStringLiteral("Показать эту справку и выйти.")),
             qPrintable(help.out));
}

QTEST_GUILESS_MAIN(TestCheckCli)
#include "tst_check_cli.moc"
