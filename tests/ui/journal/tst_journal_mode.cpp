// The journal answer mode on the real forms: entering from idle and during a
// run, the walk through a loaded journal answered with the real answer
// buttons, deletion after a right answer, wrong answers during the mode,
// leaving by "Хватит", by "Стоп" and by the end of the walk, and the list's
// state meanwhile.

#include "form_fixture.h"

#include "ui/journal/Unit3.h"
#include "ui/journal/list_box_widget.h"
#include "ui/platform/control_state.h"
#include "ui/practice/Unit1.h"

#include <QCheckBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QTest>
#include <QToolButton>

using namespace quz::test;
using namespace Qt::StringLiterals;

namespace {

const QString kStartEntry = u"Старт 07.12.2026 0:08:40 Билет 01"_s;
const QString kOldStart = u"Старт 01.02.2026 10:00:00 Билет 03"_s;
const QString kSuccess = u"Поздравляю!\r\nВы - Победитель!!!\r\n\r\nВсе ошибки исправлены =)"_s;
const QString kE13 = u"-> 01 вопрос 03"_s;
const QString kE25 = u"-> 02 вопрос 05"_s;
const QString kE37 = u"-> 03 вопрос 07"_s;
const QStringList kJournal{kOldStart, kE13, QString(), kE25, u"заметка"_s, kE37};

// The state of both windows in one line, for comparisons.
QString state(const FormFixture &fx)
{
    TForm3 *f3 = fx.f3();
    return QStringList{fx.f1()->isRunning() ? u"running"_s : u"idle"_s,
                       f3->answerModeOn() ? u"mode on"_s : u"mode off"_s,
                       f3->isShowing() ? u"journal shown"_s : u"journal hidden"_s,
                       f3->lbStat->isEnabled() ? u"list enabled"_s : u"list disabled"_s,
                       f3->lbStat->multiSelect() ? u"multi"_s : u"single"_s}
        .join(u", "_s);
}

const QString kModeState = u"running, mode on, journal hidden, list disabled, single"_s;
const QString kIdleState = u"idle, mode off, journal shown, list enabled, multi"_s;

QString asked(const FormFixture &fx)
{
    return fx.f1()->NumBilet->text() + u'/' + fx.f1()->NumVop->text();
}

// Loads `lines` through the load button, as the user would.
void load(FormFixture &fx, const QStringList &lines)
{
    QString text;
    for (const QString &line : lines)
        text += line + u"\r\n"_s;
    fx.dir.writeCp1251(u"j.quz"_s, text);
    fx.dir.dialogs.answers.push_back(fx.dir.path(u"j.quz"_s));
    fx.f3()->showWindow();
    fx.click(fx.f3()->SpeedButton2);
}

// Records, when the success message shows, what the user sees around it.
struct MessageWatch {
    QStringList seen;
    explicit MessageWatch(FormFixture &fx)
    {
        fx.dir.dialogs.onShow = [this, &fx](const FakeDialogs::Shown &shown) {
            seen << shown.text + u" | "_s + state(fx) + u" | question: "_s
                        + fx.f1()->questionView->Vopros->text();
        };
    }
};

} // namespace

class TestJournalMode : public QObject {
    Q_OBJECT
private slots:
    void fullWalk_data();
    void fullWalk();
    void focusLineOfSeveral();
    void doubleClickEnters();
    void wrongAnswerComesAgain();
    void leaving_data();
    void leaving();
    void duringRunOnlyStops();
    void loadDuringMode();
    void emptyListDoesNothing();
    void nothingToAnswerFromIdle();
    void hyphenLineWithoutLayout_data();
    void hyphenLineWithoutLayout();
    void withoutQuestionsNothingStarts_data();
    void withoutQuestionsNothingStarts();
    void answeredEntryStaysInView();
    void answersReportedWithTheirMode();
};

void TestJournalMode::fullWalk_data()
{
    QTest::addColumn<bool>("deleteAnswered");
    QTest::addColumn<bool>("fromRun");
    QTest::addColumn<QStringList>("after");
    const QStringList kept{kOldStart, QString(), u"заметка"_s, kStartEntry};
    QTest::newRow("deleting, from idle") << true << false << kept;
    QTest::newRow("deleting, from a run") << true << true << kept;
    QTest::newRow("keeping, from idle") << false << false << kJournal + QStringList{kStartEntry};
    QTest::newRow("keeping, from a run") << false << true << kJournal + QStringList{kStartEntry};
}

void TestJournalMode::fullWalk()
{
    QFETCH(bool, deleteAnswered);
    QFETCH(bool, fromRun);
    QFETCH(QStringList, after);
    FormFixture fx;
    load(fx, kJournal);
    fx.f3()->delErr->setChecked(deleteAnswered);
    if (fromRun) {
        fx.start();
        fx.f3()->showWindow();
        fx.click(fx.f3()->sbAnsver);
        QCOMPARE(state(fx), kIdleState);
    }
    selectRows(fx.f3()->lbStat, {1}, 1);
    MessageWatch watch(fx);

    fx.click(fx.f3()->sbAnsver);
    QStringList questions;
    QList<int> rows;
    while (fx.f3()->answerModeOn()) {
        QCOMPARE(state(fx), kModeState);
        questions << asked(fx);
        rows << selectedRows(fx.f3()->lbStat);
        QCOMPARE(fx.f3()->journalCursor(), rows.last());
        QVERIFY(questions.size() <= 3);
        fx.click(fx.button(2));
    }
    QCOMPARE(questions, (QStringList{u"01/03"_s, u"02/05"_s, u"03/07"_s}));
    QCOMPARE(rows, (deleteAnswered ? QList<int>{1, 2, 3} : QList<int>{1, 3, 5}));
    QCOMPARE(fx.f3()->lines(), after);
    QCOMPARE(watch.seen, QStringList{kSuccess + u" | "_s + kIdleState + u" | question: "_s});
    QCOMPARE(state(fx), kIdleState);
    QVERIFY(fx.f3()->sbClear->isEnabled());
}

void TestJournalMode::focusLineOfSeveral()
{
    FormFixture fx;
    load(fx, kJournal);
    selectRows(fx.f3()->lbStat, {1, 3, 5}, 3);
    fx.click(fx.f3()->sbAnsver);
    QCOMPARE(asked(fx), u"02/05"_s);
    QCOMPARE(selectedRows(fx.f3()->lbStat), QList<int>{3});
}

void TestJournalMode::doubleClickEnters()
{
    FormFixture fx;
    load(fx, kJournal);
    QVERIFY(QTest::qWaitForWindowExposed(fx.f3()));
    quz::journal::TListBox *list = fx.f3()->lbStat;
    const QPoint at = list->visualRect(list->model()->index(5, 0)).center();
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(state(fx), kModeState);
    QCOMPARE(asked(fx), u"03/07"_s);
}

void TestJournalMode::wrongAnswerComesAgain()
{
    FormFixture fx;
    load(fx, {kE13, kE25});
    fx.f3()->delErr->setChecked(true);
    selectRows(fx.f3()->lbStat, {0}, 0);
    fx.click(fx.f3()->sbAnsver);
    QCOMPARE(asked(fx), u"01/03"_s);
    fx.click(fx.button(1));
    // The start entry of the mode's run, then the new error entry.
    QCOMPARE(fx.f3()->lines(), (QStringList{kE13, kE25, kStartEntry, kE13}));
    QCOMPARE(asked(fx), u"01/03"_s);
    QStringList questions;
    while (fx.f3()->answerModeOn()) {
        questions << asked(fx);
        QVERIFY(questions.size() <= 3);
        fx.click(fx.button(2));
    }
    QCOMPARE(questions, (QStringList{u"01/03"_s, u"02/05"_s, u"01/03"_s}));
    QCOMPARE(fx.f3()->lines(), QStringList{kStartEntry});
    QCOMPARE(fx.dir.dialogs.texts(), QStringList{kSuccess});
}

void TestJournalMode::leaving_data()
{
    QTest::addColumn<bool>("byStop");
    QTest::newRow("Хватит") << false;
    QTest::newRow("Стоп") << true;
}

void TestJournalMode::leaving()
{
    QFETCH(bool, byStop);
    FormFixture fx;
    load(fx, kJournal);
    fx.f3()->delErr->setChecked(true);
    selectRows(fx.f3()->lbStat, {3}, 3);
    fx.click(fx.f3()->sbAnsver);
    QCOMPARE(asked(fx), u"02/05"_s);
    if (byStop) {
        fx.click(fx.f1()->Start);
    } else {
        fx.f1()->sbErrClick();
        QCOMPARE(fx.f3()->sbAnsver->text(), u"Хватит"_s);
        fx.click(fx.f3()->sbAnsver);
    }
    QCOMPARE(state(fx), kIdleState);
    QCOMPARE(fx.f3()->sbAnsver->text(), u"Ответить"_s);
    // The entry being answered stays selected; nothing was deleted. The
    // mode's run wrote its start entry for the ticket of the first question.
    QCOMPARE(selectedRows(fx.f3()->lbStat), QList<int>{3});
    QCOMPARE(fx.f3()->lines(), kJournal + QStringList{u"Старт 07.12.2026 0:08:40 Билет 02"_s});
    QVERIFY(fx.f1()->questionView->Vopros->text().isEmpty());
    QVERIFY(fx.dir.dialogs.shown.isEmpty());
    // The next entry resumes from the selected line.
    fx.click(fx.f3()->sbAnsver);
    QCOMPARE(asked(fx), u"02/05"_s);
}

void TestJournalMode::duringRunOnlyStops()
{
    FormFixture fx;
    load(fx, kJournal);
    fx.start();
    fx.f3()->showWindow();
    selectRows(fx.f3()->lbStat, {1, 3}, 1);
    const QStringList before = fx.f3()->lines();
    fx.click(fx.f3()->sbAnsver);
    QCOMPARE(state(fx), kIdleState);
    QCOMPARE(fx.f3()->lines(), before);
    QVERIFY(fx.dir.dialogs.shown.isEmpty());
    // The focus line alone stays selected.
    QCOMPARE(selectedRows(fx.f3()->lbStat), QList<int>{1});
}

// A file loaded while the mode is on is appended; the entry being answered
// stays the selected line, so the next right answer deletes that entry.
void TestJournalMode::loadDuringMode()
{
    FormFixture fx;
    load(fx, kJournal);
    fx.f3()->delErr->setChecked(true);
    selectRows(fx.f3()->lbStat, {3}, 3);
    fx.click(fx.f3()->sbAnsver);
    QCOMPARE(asked(fx), u"02/05"_s);
    fx.f1()->sbErrClick();
    fx.dir.dialogs.answers.push_back(fx.dir.path(u"j.quz"_s));
    fx.click(fx.f3()->SpeedButton2);
    QCOMPARE(fx.f3()->lines().size(), 2 * kJournal.size() + 1);
    QCOMPARE(selectedRows(fx.f3()->lbStat), QList<int>{3});
    fx.click(fx.button(2));
    QCOMPARE(asked(fx), u"03/07"_s);
    QCOMPARE(fx.f3()->lines().at(3), u"заметка"_s);
    QCOMPARE(state(fx), u"running, mode on, journal shown, list disabled, single"_s);
}

void TestJournalMode::emptyListDoesNothing()
{
    FormFixture fx;
    fx.f3()->showWindow();
    fx.click(fx.f3()->sbClear);
    fx.click(fx.f3()->sbAnsver);
    QTest::mouseDClick(fx.f3()->lbStat->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    QCOMPARE(state(fx), kIdleState);
    QVERIFY(fx.f3()->lines().isEmpty());
    QVERIFY(fx.dir.dialogs.shown.isEmpty());

    // Also during a run.
    fx.start();
    fx.f3()->showWindow();
    fx.f3()->sbClearClick();
    fx.click(fx.f3()->sbAnsver);
    QVERIFY(fx.f1()->isRunning());
    QVERIFY(!fx.f3()->answerModeOn());
}

// Nothing to answer at or below the selected line: the walk ends at once,
// its leave starts a run, the message shows, and the toggle's own steps stop
// that run and hide the journal window.
void TestJournalMode::nothingToAnswerFromIdle()
{
    FormFixture fx;
    fx.f3()->showWindow();
    MessageWatch watch(fx);
    fx.click(fx.f3()->sbAnsver);
    QCOMPARE(watch.seen, QStringList{kSuccess + u" | "_s
                                     + u"running, mode off, journal hidden, list enabled, multi"_s
                                     + u" | question: Вопрос 0101"_s});
    QCOMPARE(state(fx), u"idle, mode off, journal hidden, list enabled, multi"_s);
    QCOMPARE(fx.f3()->lines(), QStringList{kStartEntry});
    QVERIFY(fx.f1()->questionView->Vopros->text().isEmpty());
}

void TestJournalMode::hyphenLineWithoutLayout_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("question");
    QTest::addColumn<bool>("byStop");
    QTest::newRow("lone hyphen, Хватит") << u"-"_s << u"/"_s << false;
    QTest::newRow("lone hyphen, Стоп") << u"-"_s << u"/"_s << true;
    QTest::newRow("cut line") << u"-> 5"_s << u"5/"_s << false;
    QTest::newRow("letters") << u"-- аб вопрос вг"_s << u"аб/вг"_s << true;
}

// A hand-edited line that begins with '-' names whatever its characters say;
// the main window shows what its lookup finds, and the user can leave.
void TestJournalMode::hyphenLineWithoutLayout()
{
    QFETCH(QString, line);
    QFETCH(bool, byStop);
    FormFixture fx;
    load(fx, {line, kE13});
    selectRows(fx.f3()->lbStat, {0}, 0);
    fx.click(fx.f3()->sbAnsver);
    QCOMPARE(state(fx), kModeState);
    QTEST(asked(fx), "question");
    if (byStop) {
        fx.click(fx.f1()->Start);
    } else {
        fx.f3()->showWindow();
        fx.click(fx.f3()->sbAnsver);
    }
    QCOMPARE(state(fx), kIdleState);
}

void TestJournalMode::withoutQuestionsNothingStarts_data()
{
    QTest::addColumn<QStringList>("journal");
    QTest::newRow("an error entry to answer") << QStringList{kOldStart, kE13};
    QTest::newRow("nothing to answer") << QStringList{kOldStart, u"заметка"_s};
}

void TestJournalMode::withoutQuestionsNothingStarts()
{
    // No question file: a run cannot start, so the mode must not begin
    // either; the user hears why once, as from "Старт".
    QFETCH(QStringList, journal);
    FormFixture::Options options;
    options.questions.clear();
    FormFixture fx(options);
    load(fx, journal);
    selectRows(fx.f3()->lbStat, {0}, 0);
    const int before = fx.dir.dialogs.shown.size();
    fx.click(fx.f3()->sbAnsver);
    QCOMPARE(state(fx), kIdleState);
    QCOMPARE(fx.dir.dialogs.shown.size(), before + 1);
    QVERIFY(fx.dir.dialogs.shown.last().text.startsWith(u"Вопросы не загружены"_s));
    QCOMPARE(fx.f3()->lines(), journal);
}

void TestJournalMode::answeredEntryStaysInView()
{
    // A long journal: the entry being answered is at its top, new entries go
    // to its end. The disabled list cannot be scrolled by the user, so it
    // keeps the answered entry in view whenever it is shown.
    FormFixture fx;
    QStringList journal{kE13};
    for (int i = 0; i < 200; ++i)
        journal << kOldStart;
    load(fx, journal);
    selectRows(fx.f3()->lbStat, {0}, 0);
    fx.click(fx.f3()->sbAnsver);
    QCOMPARE(asked(fx), u"01/03"_s);
    fx.click(fx.button(1)); // wrong: an error entry is appended
    fx.click(fx.f1()->sbErr);
    QVERIFY(fx.f3()->isShowing());
    quz::journal::TListBox *list = fx.f3()->lbStat;
    const QRect row = list->visualRect(list->model()->index(0, 0));
    QVERIFY2(list->viewport()->rect().intersects(row), "the answered entry is out of view");

    // Leaving the mode shows the window again with the selected line in view.
    fx.click(fx.f3()->sbAnsver);
    QCOMPARE(state(fx), kIdleState);
    QCOMPARE(selectedRows(list), QList<int>{0});
    QVERIFY(list->viewport()->rect().intersects(list->visualRect(list->model()->index(0, 0))));
}

// Every answer, right or wrong, reaches the answer log with the mode that
// asked it; the journal answer mode's answers are told apart from practice.
void TestJournalMode::answersReportedWithTheirMode()
{
    FormFixture fx;
    FakeAnswerLog log;
    fx.f1()->setAnswerLog(&log);
    fx.start();
    fx.click(fx.button(1));
    fx.click(fx.button(2));
    fx.click(fx.f1()->Start);
    fx.click(fx.f3()->sbClear);
    load(fx, {kOldStart, kE25});
    fx.click(fx.f3()->sbAnsver);
    fx.click(fx.button(3));
    fx.click(fx.button(2));
    QCOMPARE(log.answers,
             (QStringList{u"01/01 1 2 wrong practice"_s, u"01/01 2 2 correct practice"_s,
                          u"02/05 3 2 wrong journal"_s, u"02/05 2 2 correct journal"_s}));
}

QTEST_MAIN(TestJournalMode)
#include "tst_journal_mode.moc"
