// What quz-exam takes before an exam starts: its command line and its own
// section of the settings file that it shares with quz.

#include "core/exam/command_line.h"
#include "core/exam/exam_settings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace quz;
using namespace quz::exam;
using namespace Qt::StringLiterals;

using Action = ParsedCommandLine::Action;

class TestExamSetup : public QObject {
    Q_OBJECT
private slots:
    void commandLine_data();
    void commandLine();
    void settings_data();
    void settings();
};

void TestExamSetup::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    // What the line gives: the options of a run as "rule ticket seed stats"
    // (0 or -1 for none), or the start of the text printed.
    QTest::addColumn<QString>("expected");

    QTest::newRow("nothing") << QStringList{} << u"run 0 0 -1 0"_s;
    QTest::newRow("every value") << QStringList{u"--rule"_s, u"2004"_s,       u"--ticket=05"_s,
                                                u"--seed"_s, u"4294967295"_s, u"--stats"_s}
                                 << u"run 2004 5 4294967295 1"_s;
    QTest::newRow("help beside a bad value")
        << QStringList{u"--ticket"_s, u"99"_s, u"-h"_s} << u"Использование: quz-exam"_s;
    QTest::newRow("version") << QStringList{u"--version"_s} << u"quz-exam 9.9\n"_s;

    const auto bad = [](const char *name, const QStringList &args, const QString &message) {
        QTest::newRow(name) << args
                            << u"quz-exam: "_s + message + u"\nПодробнее: quz-exam --help\n"_s;
    };
    bad("rule of another year", {u"--rule"_s, u"2010"_s},
        u"неверное значение --rule «2010»: допустимо 2004 или 2016"_s);
    bad("rule without a value", {u"--rule"_s}, u"у параметра --rule нет значения"_s);
    bad("ticket 41", {u"--ticket=41"_s}, u"неверный номер билета «41»: допустимо от 1 до 40"_s);
    bad("ticket with a sign", {u"--ticket"_s, u"+7"_s},
        u"неверный номер билета «+7»: допустимо от 1 до 40"_s);
    bad("seed past 32 bits", {u"--seed"_s, u"4294967296"_s},
        u"неверное значение --seed «4294967296»: допустимо целое число от 0 до 4294967295"_s);
    bad("unknown option", {u"--fast"_s}, u"неизвестный параметр --fast"_s);
    bad("an argument that is no option", {u"errors.quz"_s}, u"лишний аргумент «errors.quz»"_s);
}

void TestExamSetup::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, expected);
    const ParsedCommandLine parsed =
        parseCommandLine(QStringList{u"/opt/quz/quz-exam"_s} + arguments, u"9.9"_s);
    QCOMPARE(parsed.exitStatus, parsed.action == Action::Error ? kUsageError : 0);
    if (parsed.action != Action::Run) {
        QVERIFY2(parsed.text.startsWith(expected), qPrintable(parsed.text));
        QCOMPARE(parsed.action == Action::Error, expected.startsWith(u"quz-exam:"_s));
        return;
    }
    const CommandLine &o = parsed.options;
    QCOMPARE(u"run %1 %2 %3 %4"_s.arg(o.rule ? ruleYear(*o.rule) : 0)
                 .arg(o.ticket.value_or(0))
                 .arg(o.seed ? qint64(*o.seed) : qint64(-1))
                 .arg(int(o.stats)),
             expected);
}

void TestExamSetup::settings_data()
{
    // The exam's section as a hand may have left it, and what is read.
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QString>("expected"); // rule, random, ticket, width
    QTest::newRow("no section") << QByteArray() << u"2016 1 1 720"_s;
    QTest::newRow("sound values, other letter case")
        << QByteArray("[Exam]\r\nRULE=2004\r\nrandomTicket=0\r\nticket=12\r\nwidth=900\r\n")
        << u"2004 0 12 900"_s;
    QTest::newRow("another year, ticket too large, no numbers")
        << QByteArray("[exam]\r\nrule=2010\r\nticket=99\r\nrandomTicket=yes\r\nwidth=x\r\n")
        << u"2016 1 40 720"_s;
}

void TestExamSetup::settings()
{
    // quz's keys and lines that are no settings come first and stay as they
    // are when the exam writes its section back.
    QFETCH(QByteArray, section);
    QTemporaryDir dir;
    const QString path = settingsFilePath(dir.path());
    QCOMPARE(path, dir.filePath(u"quz.ini"_s));
    const QByteArray quzPart = "[SCR]\r\nwidth=12\r\n; a note\r\n[prg]\r\nnBilet=07\r\n";
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(quzPart + section);
    file.close();

    const ExamSettings read = readExamSettings(settings::SettingsBatch(path));
    QTEST(u"%1 %2 %3 %4"_s.arg(ruleYear(read.rule))
              .arg(int(read.randomTicket))
              .arg(read.ticket)
              .arg(read.window.width),
          "expected");

    ExamSettings changed{Rule::Rules2004, false, 33, {-20, 40, 610, 800}};
    settings::SettingsBatch batch(path);
    writeExamSettings(batch, changed);
    QVERIFY(batch.flush().ok());
    const ExamSettings back = readExamSettings(settings::SettingsBatch(path));
    QCOMPARE(u"%1 %2 %3 %4 %5 %6 %7"_s.arg(ruleYear(back.rule))
                 .arg(int(back.randomTicket))
                 .arg(back.ticket)
                 .arg(back.window.left)
                 .arg(back.window.top)
                 .arg(back.window.height)
                 .arg(back.window.width),
             u"2004 0 33 -20 40 610 800"_s);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().startsWith(quzPart));
}

QTEST_GUILESS_MAIN(TestExamSetup)
#include "tst_exam_setup.moc"
