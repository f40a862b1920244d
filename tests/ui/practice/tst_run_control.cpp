// The main window's run control on the real forms: Start/Stop and the
// journal, the answer check with its colours and sounds, the advance to the
// next question and ticket, the keyboard during a run and the number editor.

#include "form_fixture.h"

#include "ui/comment/Unit2.h"
#include "ui/journal/Unit3.h"
#include "ui/journal/list_box_widget.h"
#include "ui/platform/control_state.h"
#include "ui/platform/look.h"
#include "ui/practice/Unit1.h"

#include <QCheckBox>
#include <QLabel>
#include <QSpinBox>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

using namespace quz::test;

namespace {

const QString kStartEntry = QStringLiteral("Старт 07.12.2026 0:08:40 Билет 01");
const QColor kMoneyGreen(192, 220, 192);
const QColor kRed(255, 0, 0);

using Fixture = FormFixture;

QStringList errorLines(const QStringList &lines)
{
    QStringList errors;
    for (const QString &l : lines)
        if (l.startsWith(QStringLiteral("->")))
            errors << l;
    return errors;
}

} // namespace

class TestRunControl : public QObject {
    Q_OBJECT
private slots:
    void startAndStop();
    void clearStartsANewJournal();
    void wrongThenRightAnswer();
    void advanceAtRangeEnd_data();
    void advanceAtRangeEnd();
    void randomNextTicket();
    void keysDuringRun_data();
    void keysDuringRun();
    void anyKeyAfterWrongAnswerTakesWindowColour();
    void keysWhileIdleLeaveJournal();
    void numberEditorStopsRunAndCommits_data();
    void numberEditorStopsRunAndCommits();
    void numberEditorEscapeKeepsNumber();
    void refusedStartWithoutQuestions();
};

void TestRunControl::startAndStop()
{
    Fixture fx;
    QCOMPARE(fx.f3()->lines().size(), 28);
    QVERIFY(!fx.f1()->isRunning());
    fx.f3()->showWindow();
    QVERIFY(fx.f3()->isShowing());

    fx.start();
    QCOMPARE(fx.f3()->lines(), QStringList{kStartEntry});
    QVERIFY(!fx.f3()->isShowing());
    QVERIFY(!fx.f3()->sbClear->isEnabled());
    QCOMPARE(fx.f1()->questionView->Vopros->text(), QStringLiteral("Вопрос 0101"));
    QVERIFY(fx.button(2)->isVisible());

    fx.click(fx.f1()->Start);
    QVERIFY(!fx.f1()->isRunning());
    QVERIFY(fx.f1()->questionView->Vopros->text().isEmpty());
    QVERIFY(fx.f1()->questionView->Memo1->toPlainText().isEmpty());
    for (QToolButton *b : fx.f1()->questionView->sb)
        QVERIFY(b->isHidden());
    QVERIFY(fx.f3()->isShowing());
    QVERIFY(fx.f3()->sbClear->isEnabled());
    QCOMPARE(fx.f1()->questionView->variantColor(), kMoneyGreen);

    // The start entry is written once per journal.
    fx.start();
    QCOMPARE(fx.f3()->lines(), QStringList{kStartEntry});
    QVERIFY(!fx.f3()->isShowing());
}

void TestRunControl::clearStartsANewJournal()
{
    Fixture fx;
    fx.start();
    fx.click(fx.button(1));
    fx.click(fx.f1()->Start);
    QCOMPARE(fx.f3()->lines(), (QStringList{kStartEntry, QStringLiteral("-> 01 вопрос 01")}));
    QCOMPARE(fx.f1()->startLogged(), true);
    fx.f3()->setJournalCursor(1); // the journal cursor on the error entry

    fx.click(fx.f3()->sbClear);
    QVERIFY(fx.f3()->lines().isEmpty());
    QCOMPARE(fx.f3()->journalCursor(), 0);
    QCOMPARE(fx.f1()->startLogged(), false);
    QCOMPARE(fx.f3()->placeholderShown(), false); // the placeholder does not come back

    // The next start begins the new journal with its start entry.
    fx.dir.clock.text = QStringLiteral("08.12.2026 9:15:00");
    fx.start();
    QCOMPARE(fx.f3()->lines(), QStringList{QStringLiteral("Старт 08.12.2026 9:15:00 Билет 01")});
    QCOMPARE(fx.f1()->startLogged(), true);
}

void TestRunControl::wrongThenRightAnswer()
{
    Fixture fx;
    fx.start();
    QCOMPARE(fx.f1()->Otvet->text(), QStringLiteral("2"));

    fx.click(fx.button(1));
    QCOMPARE(fx.f3()->lines(), (QStringList{kStartEntry, QStringLiteral("-> 01 вопрос 01")}));
    QCOMPARE(fx.f1()->questionView->variantColor(), kRed);
    QCOMPARE(fx.dir.sound.calls, QStringList{QStringLiteral("tone 200 100")});
    QVERIFY(fx.button(1)->isHidden());
    QCOMPARE(fx.f1()->NumVop->text(), QStringLiteral("01"));

    // A second wrong answer to the same question writes no duplicate.
    fx.click(fx.button(3));
    QCOMPARE(errorLines(fx.f3()->lines()).size(), 1);
    QVERIFY(fx.button(3)->isHidden());
    QCOMPARE(fx.dir.sound.calls.size(), 2);

    fx.click(fx.button(2));
    QCOMPARE(fx.f1()->NumVop->text(), QStringLiteral("02"));
    QCOMPARE(fx.f1()->NumBilet->text(), QStringLiteral("01"));
    QCOMPARE(fx.dir.sound.calls.last(), QStringLiteral("tone 700 100"));
    QCOMPARE(fx.f1()->questionView->variantColor(), kMoneyGreen);
    QCOMPARE(fx.f1()->questionView->Vopros->text(), QStringLiteral("Вопрос 0102"));
    // The new question shows all its buttons again.
    QVERIFY(fx.button(1)->isVisible() && fx.button(3)->isVisible());
    QCOMPARE(errorLines(fx.f3()->lines()).size(), 1);
}

void TestRunControl::advanceAtRangeEnd_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<QString>("ticket");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("nextTicket");
    QTest::addColumn<QString>("nextQuestion");
    QTest::newRow("inside range") << 1 << 20 << "12"
                                  << "07"
                                  << "12"
                                  << "08";
    QTest::newRow("range end to next ticket") << 3 << 9 << "12"
                                              << "09"
                                              << "13"
                                              << "03";
    QTest::newRow("single question range") << 5 << 5 << "07"
                                           << "05"
                                           << "08"
                                           << "05";
    QTest::newRow("ticket 40 wraps to 01") << 20 << 20 << "40"
                                           << "20"
                                           << "01"
                                           << "20";
    QTest::newRow("ticket 40 wraps, range start") << 4 << 11 << "40"
                                                  << "11"
                                                  << "01"
                                                  << "04";
}

void TestRunControl::advanceAtRangeEnd()
{
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(QString, ticket);
    QFETCH(QString, question);
    QFETCH(QString, nextTicket);
    QFETCH(QString, nextQuestion);
    Fixture fx;
    fx.f1()->setRange({first, last});
    fx.f1()->setPosition({ticket, question});
    fx.start();
    QCOMPARE(fx.f1()->questionView->Vopros->text(),
             QStringLiteral("Вопрос %1%2").arg(ticket, question));

    fx.click(fx.button(2));
    QCOMPARE(fx.f1()->NumBilet->text(), nextTicket);
    QCOMPARE(fx.f1()->NumVop->text(), nextQuestion);
    QCOMPARE(fx.f1()->questionView->Vopros->text(),
             QStringLiteral("Вопрос %1%2").arg(nextTicket, nextQuestion));
}

void TestRunControl::randomNextTicket()
{
    Fixture fx;
    fx.f1()->rnd->setChecked(true);
    // Range start up to 20 pulls the end along.
    for (int i = 0; i < 25; ++i)
        fx.f1()->SpinButton1UpClick();
    QCOMPARE(fx.f1()->laSt->text(), QStringLiteral("20"));
    QCOMPARE(fx.f1()->laEn->text(), QStringLiteral("20"));
    QCOMPARE(fx.f1()->NumVop->text(), QStringLiteral("20"));
    QCOMPARE(fx.f1()->NumBilet->text(), QStringLiteral("01"));
    fx.start();

    // The first draws are 0, 1, 35, 8, ...: 0 and the current ticket skipped.
    fx.click(fx.button(2));
    QCOMPARE(fx.f1()->NumBilet->text(), QStringLiteral("35"));
    QCOMPARE(fx.f1()->NumVop->text(), QStringLiteral("20"));
    fx.click(fx.button(2));
    QCOMPARE(fx.f1()->NumBilet->text(), QStringLiteral("08"));
}

void TestRunControl::keysDuringRun_data()
{
    QTest::addColumn<char>("key");
    QTest::addColumn<QString>("question");
    QTest::addColumn<int>("errors");
    QTest::newRow("right digit answers") << '2' << "02" << 0;
    QTest::newRow("wrong digit answers") << '1' << "01" << 1;
    QTest::newRow("digit without a button") << '6' << "01" << 0;
    QTest::newRow("nine") << '9' << "01" << 0;
    QTest::newRow("letter") << 'a' << "01" << 0;
    QTest::newRow("space") << ' ' << "01" << 0;
}

void TestRunControl::keysDuringRun()
{
    QFETCH(char, key);
    QFETCH(QString, question);
    QFETCH(int, errors);
    Fixture fx;
    fx.start();
    const QString variants = fx.f1()->questionView->Memo1->toPlainText();
    QTest::keyClick(fx.f1(), key);
    QCOMPARE(fx.f1()->NumVop->text(), question);
    QCOMPARE(errorLines(fx.f3()->lines()).size(), errors);
    QVERIFY(fx.f1()->isRunning());
    if (errors == 0 && question == QStringLiteral("01")) {
        QCOMPARE(fx.f1()->questionView->Memo1->toPlainText(), variants);
        QVERIFY(fx.dir.sound.calls.isEmpty());
        QCOMPARE(fx.f1()->questionView->variantColor(), kMoneyGreen);
    }
}

void TestRunControl::anyKeyAfterWrongAnswerTakesWindowColour()
{
    Fixture fx;
    fx.start();
    QTest::keyClick(fx.f1(), '3');
    QCOMPARE(fx.f1()->questionView->variantColor(), kRed);
    QVERIFY(fx.button(3)->isHidden());

    // The hidden button's digit is no answer any more, but it still clears red.
    QTest::keyClick(fx.f1(), '3');
    QCOMPARE(fx.f1()->questionView->variantColor(), quz::platform::look::windowColor());
    QVERIFY(fx.f1()->questionView->variantColor() != kMoneyGreen);
    QCOMPARE(fx.f1()->NumVop->text(), QStringLiteral("01"));
    QCOMPARE(fx.dir.sound.calls.size(), 1);

    QTest::keyClick(fx.f1(), '2');
    QCOMPARE(fx.f1()->NumVop->text(), QStringLiteral("02"));
    QCOMPARE(fx.f1()->questionView->variantColor(), kMoneyGreen);
}

void TestRunControl::keysWhileIdleLeaveJournal()
{
    Fixture fx;
    const QStringList before = fx.f3()->lines();
    for (char key : {'1', '2', '3', 'x'})
        QTest::keyClick(fx.f1(), key);
    QCOMPARE(fx.f3()->lines(), before);
    QVERIFY(!fx.f1()->isRunning());
    QCOMPARE(fx.f1()->NumVop->text(), QStringLiteral("01"));
    QVERIFY(fx.dir.sound.calls.isEmpty());

    // After a run, idle keys still answer nothing.
    fx.start();
    fx.click(fx.f1()->Start);
    const QStringList afterRun = fx.f3()->lines();
    QTest::keyClick(fx.f1(), '1');
    QCOMPARE(fx.f3()->lines(), afterRun);
}

void TestRunControl::numberEditorStopsRunAndCommits_data()
{
    QTest::addColumn<bool>("ticket");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("ticket one digit") << true << "7"
                                      << "07";
    QTest::newRow("ticket two digits") << true << "35"
                                       << "35";
    QTest::newRow("question one digit") << false << "3"
                                        << "03";
    QTest::newRow("question two digits") << false << "15"
                                         << "15";
}

void TestRunControl::numberEditorStopsRunAndCommits()
{
    QFETCH(bool, ticket);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    Fixture fx;
    QLabel *label = ticket ? fx.f1()->NumBilet : fx.f1()->NumVop;
    QLabel *other = ticket ? fx.f1()->NumVop : fx.f1()->NumBilet;
    fx.start();
    fx.click(label);
    QVERIFY(!fx.f1()->isRunning());
    QVERIFY(fx.f3()->isShowing());
    QVERIFY(fx.f1()->edbv->isVisible());
    QCOMPARE(fx.f1()->edbv->maximum(), ticket ? 40 : 20);
    QCOMPARE(fx.f1()->edbv->value(), 1);

    QTest::keyClicks(fx.f1()->edbv, typed);
    QTest::keyClick(fx.f1()->edbv, Qt::Key_Return);
    QVERIFY(fx.f1()->edbv->isHidden());
    QCOMPARE(label->text(), expected);
    QCOMPARE(other->text(), QStringLiteral("01"));
    // No run was started by the editor.
    QVERIFY(!fx.f1()->isRunning());

    // The next run shows the committed position.
    fx.start();
    const QString key = ticket ? expected + QStringLiteral("01") : QStringLiteral("01") + expected;
    QCOMPARE(fx.f1()->questionView->Vopros->text(), QStringLiteral("Вопрос ") + key);
}

void TestRunControl::numberEditorEscapeKeepsNumber()
{
    Fixture fx;
    fx.click(fx.f1()->NumBilet);
    QVERIFY(fx.f1()->edbv->isVisible());
    QVERIFY(!fx.f1()->isRunning());
    QTest::keyClicks(fx.f1()->edbv, QStringLiteral("9"));
    QTest::keyClick(fx.f1()->edbv, Qt::Key_Escape);
    QVERIFY(fx.f1()->edbv->isHidden());
    QCOMPARE(fx.f1()->NumBilet->text(), QStringLiteral("01"));

    // A start does not commit the cancelled edit either.
    fx.start();
    QCOMPARE(fx.f1()->NumBilet->text(), QStringLiteral("01"));
    QCOMPARE(fx.f3()->lines(), QStringList{kStartEntry});
}

void TestRunControl::refusedStartWithoutQuestions()
{
    Fixture::Options options;
    options.questions.clear();
    Fixture fx(options);
    QCOMPARE(fx.dir.dialogs.errors(),
             QStringList{QStringLiteral("Cannot open file \"%1\". No such file or directory.")
                             .arg(fx.dir.path(QStringLiteral("vopros.txt")))});
    const QStringList journal = fx.f3()->lines();
    const int shownBefore = fx.dir.dialogs.shown.size();

    fx.click(fx.f1()->Start);
    QVERIFY(!fx.f1()->isRunning());
    QCOMPARE(fx.dir.dialogs.shown.size(), shownBefore + 1);
    QCOMPARE(fx.dir.dialogs.shown.last().kind, FakeDialogs::Shown::Message);
    QCOMPARE(fx.dir.dialogs.shown.last().text,
             QStringLiteral("Вопросы не загружены: нет файла \"vopros.txt\" или он пуст. "
                            "Начать нельзя."));
    QCOMPARE(fx.f3()->lines(), journal);
    QVERIFY(fx.f3()->sbClear->isEnabled());
    QTest::keyClick(fx.f1(), '2');
    QCOMPARE(fx.f3()->lines(), journal);
}

QTEST_MAIN(TestRunControl)
#include "tst_run_control.moc"
