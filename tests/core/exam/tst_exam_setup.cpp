// What quz-exam takes before an exam starts: its own section of the settings
// file that it shares with quz. (Its command line: tests/app/tst_exam_cli.)

#include "core/exam/exam_settings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace quz;
using namespace quz::exam;
using namespace Qt::StringLiterals;

class TestExamSetup : public QObject {
    Q_OBJECT
private slots:
    void settings_data();
    void settings();
};

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
