// The checker over hand-made broken program directories: every folder of
// tests/data/check but "base" is one case, built as a copy of "base" with the
// case's files put in place, and its expected.txt lists every finding the
// checker must report there, nothing more. Also: the demonstration data
// passes without a single finding.
//
// expected.txt, line by line:
//   # comment
//   scope <tickets> <questions>   (default 2 3, the scope of "base")
//   remove <path>                 (removed from the copy of "base")
//   raw <path>                    (copied byte for byte instead of converted)
//   <file>[:<line>] <kind> ["part of the message"]

#include "check/program_check.h"
#include "check/report_format.h"
#include "check/wording.h"

#include <QDir>
#include <QDirIterator>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using namespace quz::check;

namespace {

QString dataDir() { return QString::fromUtf8(QUZ_TEST_DATA_DIR) + QStringLiteral("/check"); }

struct Expected {
    Scope scope{2, 3};
    QStringList removed;
    QStringList raw;
    QStringList findings;             // "file:line kind" or "file kind"
    QMap<QString, QString> fragments; // finding -> part of its message
};

Expected readExpected(const QString &path)
{
    Expected expected;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return expected;
    static const QRegularExpression finding(
        QStringLiteral("^(\\S+)\\s+(\\S+)(?:\\s+\"(.*)\")?\\s*$"));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    for (const QString &line : lines) {
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList words = line.split(u' ', Qt::SkipEmptyParts);
        if (words.value(0) == QStringLiteral("scope")) {
            expected.scope = Scope{words.value(1).toInt(), words.value(2).toInt()};
        } else if (words.value(0) == QStringLiteral("remove")) {
            expected.removed << line.mid(7);
        } else if (words.value(0) == QStringLiteral("raw")) {
            expected.raw << line.mid(4);
        } else if (const auto match = finding.match(line); match.hasMatch()) {
            const QString key = match.captured(1) + u' ' + match.captured(2);
            expected.findings << key;
            if (!match.captured(3).isEmpty())
                expected.fragments.insert(key, match.captured(3));
        }
    }
    return expected;
}

// Copies one file of the case: text files from UTF-8 with LF line ends to
// Windows-1251 with CR LF, all others (and those named raw) as they are.
void put(const QString &from, const QString &to, bool raw)
{
    QDir().mkpath(QFileInfo(to).absolutePath());
    QFile in(from);
    QVERIFY(in.open(QIODevice::ReadOnly));
    QByteArray bytes = in.readAll();
    if (!raw && from.endsWith(QStringLiteral(".txt"))) {
        QStringEncoder encoder("windows-1251");
        bytes = encoder.encode(QString::fromUtf8(bytes).replace(u'\n', QStringLiteral("\r\n")));
    }
    QFile out(to);
    QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write(bytes);
}

void copyTree(const QString &from, const QString &to, const Expected &expected)
{
    QDirIterator it(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString relative = QDir(from).relativeFilePath(source);
        if (relative == QStringLiteral("expected.txt") || relative == QStringLiteral("README"))
            continue;
        put(source, QDir(to).filePath(relative), expected.raw.contains(relative));
    }
}

QString key(const Finding &finding)
{
    return finding.file + (finding.line > 0 ? u':' + QString::number(finding.line) : QString())
           + u' ' + finding.kind;
}

// The report on the program directory of case `name`: a copy of "base"
// with the case's files put in place. Journal files of the case lie in the
// program directory and are checked with it.
Report checkCase(const QString &name, const Expected &expected)
{
    const QString caseDir = QDir(dataDir()).filePath(name);
    QTemporaryDir dir;
    copyTree(QDir(dataDir()).filePath(QStringLiteral("base")), dir.path(), expected);
    for (const QString &removed : expected.removed) {
        const QString path = QDir(dir.path()).filePath(removed);
        QFileInfo(path).isDir() ? QDir(path).removeRecursively() : QFile::remove(path);
    }
    copyTree(caseDir, dir.path(), expected);
    return checkProgramDirectory(dir.path(), expected.scope);
}

// The words of `message` outside «quotes» and after a conversion command
// that are written in Latin letters and are not names of formats, programs
// or files.
QStringList latinWords(QString message)
{
    static const QRegularExpression quoted(
        QStringLiteral("«[^»]*»|quz-check|\\S+\\.(txt|bmp|jpg|quz)\\b"));
    message.remove(quoted);
    message = message.section(QStringLiteral("командой: "), 0, 0);
    static const QRegularExpression word(QStringLiteral("[A-Za-z]{3,}"));
    static const QStringList names{"UTF", "Windows", "JPEG", "BMP", "NUL", "JSON", "bmp", "jpg"};
    QStringList words;
    for (auto it = word.globalMatch(message); it.hasNext();)
        if (const QString w = it.next().captured(); !names.contains(w))
            words << w;
    return words;
}

} // namespace

class TestCheckCases : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void brokenDirectory_data();
    void brokenDirectory();
    void demonstrationDataPasses();
    void russianMessages();
    void translationsComplete();
};

// The messages as under the C locale: English, with its plural forms.
void TestCheckCases::initTestCase() { installTranslation(); }

void TestCheckCases::brokenDirectory_data()
{
    QTest::addColumn<QString>("name");
    const QStringList cases = QDir(dataDir()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QVERIFY(cases.size() > 30);
    for (const QString &name : cases)
        if (name != QStringLiteral("base"))
            QTest::newRow(qPrintable(name)) << name;
}

void TestCheckCases::brokenDirectory()
{
    QFETCH(QString, name);
    const QString caseDir = QDir(dataDir()).filePath(name);
    const Expected expected = readExpected(QDir(caseDir).filePath(QStringLiteral("expected.txt")));
    QVERIFY2(!expected.findings.isEmpty(), "a case expects at least one finding");
    const Report report = checkCase(name, expected);
    QStringList found;
    QString listing;
    for (const Finding &finding : report.findings) {
        found << key(finding);
        listing += QStringLiteral("\n  %1: %2").arg(key(finding), finding.message);
    }
    QStringList wanted = expected.findings;
    found.sort();
    wanted.sort();
    QVERIFY2(found == wanted, qPrintable(QStringLiteral("expected:\n  %1\nfound:%2")
                                             .arg(wanted.join(QStringLiteral("\n  ")), listing)));
    for (const Finding &finding : report.findings) {
        const QString fragment = expected.fragments.value(key(finding));
        QVERIFY2(finding.message.contains(fragment),
                 qPrintable(QStringLiteral("%1: «%2» not in: %3")
                                .arg(key(finding), fragment, finding.message)));
    }
}

void TestCheckCases::demonstrationDataPasses()
{
    const Report report = checkProgramDirectory(QString::fromUtf8(QUZ_DEMO_DATA_DIR));
    QString listing;
    for (const Finding &finding : report.findings)
        listing += QStringLiteral("\n  %1: %2").arg(key(finding), finding.message);
    QVERIFY2(report.findings.empty(), qPrintable(listing));
    QCOMPARE(report.questions.size(), size_t(800));
    for (const QuestionSummary &question : report.questions)
        QVERIFY2(question.good && question.variants >= 2 && question.variants <= 5,
                 qPrintable(question.ticket + question.question));
}

// Under a Russian locale every finding of every case, and the summary, is
// in Russian.
void TestCheckCases::russianMessages()
{
    installTranslation(QLocale(QLocale::Russian, QLocale::Russia));
    const auto restore = qScopeGuard([] { installTranslation(QLocale::c()); });
    const QStringList cases = QDir(dataDir()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &name : cases) {
        const QString caseDir = QDir(dataDir()).filePath(name);
        const Expected expected =
            readExpected(QDir(caseDir).filePath(QStringLiteral("expected.txt")));
        const Report report = checkCase(name, expected);
        QString text = QString::fromUtf8(formatText(report.findings));
        for (const Finding &finding : report.findings)
            text.remove(finding.shownPath());
        for (const QString &line : text.split(u'\n', Qt::SkipEmptyParts))
            QVERIFY2(latinWords(line).isEmpty(),
                     qPrintable(name + u':' + latinWords(line).join(u' ') + u'\n' + line));
    }
}

// The translation files leave nothing untranslated, and the Russian plural
// forms are three.
void TestCheckCases::translationsComplete()
{
    for (const char *language : {"ru", "en"}) {
        QFile file(QStringLiteral("%1/quz-check_%2.ts")
                       .arg(QString::fromUtf8(QUZ_CHECK_TRANSLATIONS), QLatin1String(language)));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString ts = QString::fromUtf8(file.readAll());
        QVERIFY2(!ts.contains(QStringLiteral("unfinished")), language);
        QVERIFY2(!ts.contains(QStringLiteral("<numerusform></numerusform>")), language);
    }
}

QTEST_GUILESS_MAIN(TestCheckCases)
#include "tst_check_cases.moc"
