// The checker never disagrees with the program: over a copy of the
// demonstration data with damage of every kind the question file can have,
// every question is displayed by the real main window, and each record the
// checker calls good shows exactly its variant lines as answer buttons, with
// the answer digit the checker names; for every question the checker finds,
// the window holds the answer digit the checker reports.

#include "check/program_check.h"
#include "core/files/text_file.h"
#include "form_fixture.h"
#include "ui/practice/Unit1.h"

#include <QDir>
#include <QDirIterator>
#include <QLabel>
#include <QTest>
#include <QToolButton>

using namespace quz::check;

namespace {

QString demoPath(const QString &name)
{
    return QDir(QString::fromUtf8(QUZ_DEMO_DATA_DIR)).filePath(name);
}

QByteArray readDemo(const QString &name)
{
    QFile file(demoPath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The line that starts with `prefix`, -1 when there is none.
qsizetype lineStarting(const QStringList &lines, const QString &prefix)
{
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (lines.at(i).startsWith(prefix))
            return i;
    return -1;
}

} // namespace

class TestCheckDisplay : public QObject {
    Q_OBJECT

private slots:
    void goodRecordsAreShownAsTheCheckerSays();
};

void TestCheckDisplay::goodRecordsAreShownAsTheCheckerSays()
{
    quz::test::ProgramDir dir;
    QDirIterator it(QString::fromUtf8(QUZ_DEMO_DATA_DIR), QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString relative =
            QDir(QString::fromUtf8(QUZ_DEMO_DATA_DIR)).relativeFilePath(it.next());
        dir.write(relative, readDemo(relative));
    }

    QStringList lines =
        quz::files::linesFromCp1251(readDemo(QStringLiteral("vopros.txt")).toStdString());
    const auto at = [&](const char *prefix) {
        const qsizetype i = lineStarting(lines, QString::fromUtf8(prefix));
        if (i < 0)
            qFatal("no line starting with %s", prefix);
        return i;
    };
    lines[at("билет0103")] += u' ';                             // trailing blank
    lines[at("билет0104")].replace(9, 1, u'7');                 // answer digit out of range
    lines[at("билет0207")].replace(7, 2, QStringLiteral("06")); // duplicate key
    lines[at("билет0301")].replace(0, 1, QStringLiteral("Б"));  // damaged header
    lines.removeAt(at("билет0405"));                            // header deleted
    lines.insert(at("билет0506"), QString());                   // blank lines before a header
    lines.insert(at("билет0506"), QString());
    lines.insert(at("билет0601") + 1, QString());             // blank line after the header
    lines.insert(at("билет0801") + 3, QString());             // blank line among the variants
    lines[at("билет0901") + 2] += QStringLiteral(" (билет)"); // ticket word in a variant
    qsizetype joined = at("билет1002");                       // header joined to a variant
    if (lines.at(joined - 1).isEmpty())
        lines.removeAt(--joined);
    lines[joined - 1] += lines.takeAt(joined);
    lines.removeAt(at("билет конец")); // no terminator
    dir.writeCp1251(QStringLiteral("vopros.txt"),
                    lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));

    const Report report = checkProgramDirectory(dir.path(QString()));
    QVERIFY(report.problems() >= 10);
    int good = 0;
    for (const QuestionSummary &q : report.questions)
        good += q.good;
    QVERIFY(good > 700 && good < 800);

    dir.writeSettings(QStringLiteral("[prg]\r\nfirst=0\r\n"));
    quz::test::Forms forms(dir);
    TForm1 *f1 = forms.form1.get();
    f1->show();
    for (const QuestionSummary &q : report.questions) {
        f1->setPosition({q.ticket, q.question});
        f1->ChangeBilet();
        int shown = 0;
        for (QToolButton *button : f1->questionView->sb)
            shown += !button->isHidden();
        const QString where =
            q.ticket + q.question + QStringLiteral(" line ") + QString::number(q.line);
        QVERIFY2(f1->Otvet->text() == q.answer, qPrintable(where));
        if (q.good)
            QVERIFY2(shown == q.variants,
                     qPrintable(QStringLiteral("%1: %2 buttons, checker says %3 variants")
                                    .arg(where)
                                    .arg(shown)
                                    .arg(q.variants)));
    }
}

QTEST_MAIN(TestCheckDisplay)
#include "tst_check_display.moc"
