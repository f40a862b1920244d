// The main and journal windows by keyboard and by screen reader, on the real
// forms: F5 and F6 from both windows, the journal's keys, the Tab order and
// the press keys while idle, the digits during a run whatever has the focus,
// the names that screen readers read and what the variant area announces.

#include "form_fixture.h"

#include "ui/comment/Unit2.h"
#include "ui/journal/Unit3.h"
#include "ui/journal/list_box_widget.h"
#include "ui/practice/Unit1.h"
#include "ui/practice/spin_button_widget.h"
#include "ui/question/question_view.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QHash>
#include <QLabel>
#include <QSpinBox>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

using namespace quz::test;

namespace {

// Gives `window` the keyboard and types `key` to its focused control, as the
// desktop would deliver it.
bool activate(QWidget *window)
{
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

void press(QWidget *window, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QVERIFY(activate(window));
    QWidget *focus = window->focusWidget() ? window->focusWidget() : window;
    QTest::keyClick(focus, static_cast<Qt::Key>(key), modifiers);
}

// Tab from the window's focus until `control` has it; false when the Tab
// order passes it by.
bool tabTo(QWidget *window, QWidget *control)
{
    if (!activate(window))
        return false;
    for (int i = 0; i < 40 && QApplication::focusWidget() != control; ++i)
        press(window, Qt::Key_Tab);
    return QApplication::focusWidget() == control;
}

QAccessibleInterface *a11y(QObject *object) { return QAccessible::queryAccessibleInterface(object); }

// A control of the main window by its name in the window's code.
QWidget *control(TForm1 *f1, const QString &name)
{
    const QHash<QString, QWidget *> controls = {
        {QStringLiteral("sbErr"), f1->sbErr},         {QStringLiteral("Start"), f1->Start},
        {QStringLiteral("rnd"), f1->rnd},             {QStringLiteral("chbKoment"), f1->chbKoment},
        {QStringLiteral("NumBilet"), f1->NumBilet},   {QStringLiteral("NumVop"), f1->NumVop},
        {QStringLiteral("up"), f1->SpinButton1->upButton()}};
    return controls.value(name);
}

// A journal after one run with one wrong answer to 0101: start and error
// entry; the journal window shows.
void runWithOneError(FormFixture &fx)
{
    fx.start();
    press(fx.f1(), Qt::Key_1);
    fx.click(fx.f1()->Start);
    QCOMPARE(fx.f3()->lines().size(), 2);
}

} // namespace

class TestKeyboardAccess : public QObject {
    Q_OBJECT
private slots:
    void runAndJournalKeys_data();
    void runAndJournalKeys();
    void journalKeys_data();
    void journalKeys();
    void tabOrderWhileIdle();
    void pressKeys_data();
    void pressKeys();
    void focusShownOnlyAfterKeys();
    void digitsDuringRunWhateverHasFocus_data();
    void digitsDuringRunWhateverHasFocus();
    void namesPersonWouldSay();
    void numberLabelAction();
    void windowRolesAndJournalLines();
    void announcements();
};

void TestKeyboardAccess::runAndJournalKeys_data()
{
    QTest::addColumn<bool>("fromJournal");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("running");
    QTest::addColumn<bool>("runningAfter");
    QTest::addColumn<bool>("journalAfter");
    QTest::newRow("main F5 starts") << false << int(Qt::Key_F5) << false << true << false;
    QTest::newRow("main F5 stops") << false << int(Qt::Key_F5) << true << false << true;
    QTest::newRow("journal F5 starts") << true << int(Qt::Key_F5) << false << true << false;
    QTest::newRow("journal F5 stops") << true << int(Qt::Key_F5) << true << false << true;
    QTest::newRow("main F6 shows") << false << int(Qt::Key_F6) << false << false << true;
    QTest::newRow("main F6 shows in run") << false << int(Qt::Key_F6) << true << true << true;
    QTest::newRow("journal F6 hides") << true << int(Qt::Key_F6) << false << false << false;
    QTest::newRow("journal F6 hides in run") << true << int(Qt::Key_F6) << true << true << false;
}

void TestKeyboardAccess::runAndJournalKeys()
{
    QFETCH(bool, fromJournal);
    QFETCH(int, key);
    QFETCH(bool, running);
    QFETCH(bool, runningAfter);
    QFETCH(bool, journalAfter);
    FormFixture fx;
    if (running)
        fx.start();
    if (fromJournal)
        fx.f3()->showWindow();
    else
        fx.f3()->hideWindow();
    press(fromJournal ? static_cast<QWidget *>(fx.f3()) : fx.f1(), key);
    QCOMPARE(fx.f1()->isRunning(), runningAfter);
    QCOMPARE(fx.f3()->isShowing(), journalAfter);
    // A key that hides the journal leaves the keyboard with the main window,
    // where the answers are typed.
    if (fromJournal && !journalAfter)
        QVERIFY(QTest::qWaitForWindowActive(fx.f1()));
}

void TestKeyboardAccess::journalKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("answerMode");
    QTest::newRow("Ctrl+S saves") << int(Qt::Key_S) << int(Qt::ControlModifier) << false;
    QTest::newRow("Ctrl+O loads") << int(Qt::Key_O) << int(Qt::ControlModifier) << false;
    QTest::newRow("Delete deletes") << int(Qt::Key_Delete) << 0 << false;
    QTest::newRow("Delete in answer mode") << int(Qt::Key_Delete) << 0 << true;
    QTest::newRow("Return answers") << int(Qt::Key_Return) << 0 << false;
    QTest::newRow("Enter answers") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << false;
}

void TestKeyboardAccess::journalKeys()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, answerMode);
    FormFixture fx;
    runWithOneError(fx);
    const QStringList run = fx.f3()->lines();
    const QString path = fx.dir.path(QStringLiteral("j.quz"));
    fx.dir.dialogs.answers.push_back(path);
    if (key == Qt::Key_O) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("loaded\r\n");
    }
    fx.f3()->lbStat->setFocus();
    selectRows(fx.f3()->lbStat, {1}, 1);
    if (answerMode) {
        fx.click(fx.f3()->sbAnsver);
        fx.f3()->showWindow();
    }
    press(fx.f3(), key, Qt::KeyboardModifiers(modifiers));

    switch (key) {
    case Qt::Key_S:
        QCOMPARE(fx.dir.dialogs.requests.size(), 1);
        QVERIFY(QFile(path).size() > 0);
        break;
    case Qt::Key_O: QCOMPARE(fx.f3()->lines(), run + QStringList{QStringLiteral("loaded")}); break;
    case Qt::Key_Delete:
        QCOMPARE(fx.f3()->lines(), answerMode ? run : QStringList{run.first()});
        break;
    default:
        // The walk starts at the selected error entry, in the main window.
        QCOMPARE(fx.f3()->sbAnsver->text(), QStringLiteral("Хватит"));
        QVERIFY(fx.f1()->isRunning());
        QCOMPARE(fx.f1()->NumVop->text(), QStringLiteral("01"));
        QVERIFY(QTest::qWaitForWindowActive(fx.f1()));
        break;
    }
}

void TestKeyboardAccess::tabOrderWhileIdle()
{
    FormFixture fx;
    TForm1 *f1 = fx.f1();
    // Every control that shows: the number labels, the range arrows, the
    // buttons and options of the control strip and the three small buttons.
    QList<QWidget *> expected = {f1->NumBilet, f1->NumVop};
    for (QAbstractButton *b : f1->findChildren<QAbstractButton *>())
        if (b->isVisible())
            expected << b;
    QList<QWidget *> forward;
    for (int i = 0; i < expected.size(); ++i) {
        press(f1, Qt::Key_Tab);
        forward << QApplication::focusWidget();
    }
    QCOMPARE(forward.first(), f1->NumBilet);
    QCOMPARE(QSet<QWidget *>(forward.begin(), forward.end()),
             QSet<QWidget *>(expected.begin(), expected.end()));
    // Reading order: the numbers, the range, Start before the small buttons.
    QVERIFY(forward.indexOf(f1->SpinButton1->upButton()) < forward.indexOf(f1->Start));
    QVERIFY(forward.indexOf(f1->Start) < forward.indexOf(f1->sbHelp));
    // Round again, and back the same way.
    press(f1, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), f1->NumBilet);
    for (qsizetype i = forward.size() - 1; i >= 0; --i) {
        press(f1, Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), forward.at(i));
    }

    // The journal window: list, option, then its buttons left to right.
    TForm3 *f3 = fx.f3();
    f3->showWindow();
    QVERIFY(QTest::qWaitForWindowActive(f3));
    f3->lbStat->setFocus();
    QList<QWidget *> journal;
    for (int i = 0; i < 7; ++i) {
        press(f3, Qt::Key_Tab);
        journal << QApplication::focusWidget();
    }
    const QList<QWidget *> order = {f3->delErr,  f3->SpeedButton1, f3->SpeedButton2, f3->sbClear,
                                    f3->sbAnsver, f3->sbClose,      f3->lbStat};
    QCOMPARE(journal, order);
}

void TestKeyboardAccess::pressKeys_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("key");
    QTest::newRow("button Space") << "sbErr" << int(Qt::Key_Space);
    QTest::newRow("button Return") << "sbErr" << int(Qt::Key_Return);
    QTest::newRow("Start Return") << "Start" << int(Qt::Key_Return);
    QTest::newRow("option Return") << "rnd" << int(Qt::Key_Return);
    QTest::newRow("range arrow Space") << "up" << int(Qt::Key_Space);
    QTest::newRow("ticket Space") << "NumBilet" << int(Qt::Key_Space);
    QTest::newRow("question Return") << "NumVop" << int(Qt::Key_Return);
}

void TestKeyboardAccess::pressKeys()
{
    QFETCH(QString, control);
    QFETCH(int, key);
    FormFixture fx;
    TForm1 *f1 = fx.f1();
    QWidget *target = ::control(f1, control);
    QVERIFY(target);
    QVERIFY(tabTo(f1, target));
    press(f1, key);
    if (control == QLatin1String("sbErr"))
        QVERIFY(fx.f3()->isShowing());
    else if (control == QLatin1String("Start"))
        QVERIFY(f1->isRunning());
    else if (control == QLatin1String("rnd"))
        QVERIFY(f1->rnd->isChecked());
    else if (control == QLatin1String("up"))
        QCOMPARE(f1->laSt->text().toInt(), 2);
    else {
        // The number editor opens over the label, takes the number and gives
        // the focus back to the label.
        QVERIFY(f1->edbv->isVisible());
        QCOMPARE(QApplication::focusWidget(), f1->edbv);
        QTest::keyClicks(f1->edbv, QStringLiteral("7"));
        QTest::keyClick(f1->edbv, Qt::Key_Return);
        QVERIFY(f1->edbv->isHidden());
        QCOMPARE(static_cast<QLabel *>(target)->text(), QStringLiteral("07"));
        QCOMPARE(QApplication::focusWidget(), target);
        QCOMPARE(a11y(target)->text(QAccessible::Name).right(2), QStringLiteral("07"));
    }
}

void TestKeyboardAccess::focusShownOnlyAfterKeys()
{
    FormFixture fx;
    TForm1 *f1 = fx.f1();
    // A mouse click gives no control the focus.
    for (QWidget *w : std::initializer_list<QWidget *>{f1->sbErr, f1->rnd, f1->NumVop}) {
        fx.click(w);
        QVERIFY(QApplication::focusWidget() != w);
        if (f1->edbv->isVisible())
            QTest::keyClick(f1->edbv, Qt::Key_Escape);
        f1->rnd->setChecked(false);
        fx.f3()->hideWindow();
    }
    // Tab shows where the focus is, on a label as on a button.
    QVERIFY(activate(f1));
    for (QWidget *w : std::initializer_list<QWidget *>{f1->NumBilet, f1->Start}) {
        const QImage before = w->grab().toImage();
        QVERIFY(tabTo(f1, w));
        QVERIFY(w->grab().toImage() != before);
        press(f1, Qt::Key_Tab);
        QCOMPARE(w->grab().toImage(), before);
    }
}

void TestKeyboardAccess::digitsDuringRunWhateverHasFocus_data()
{
    QTest::addColumn<QString>("focus");
    QTest::newRow("window") << QString();
    QTest::newRow("Start") << "Start";
    QTest::newRow("option") << "chbKoment";
    QTest::newRow("question label") << "NumVop";
}

void TestKeyboardAccess::digitsDuringRunWhateverHasFocus()
{
    QFETCH(QString, focus);
    FormFixture fx;
    TForm1 *f1 = fx.f1();
    QVERIFY(tabTo(f1, focus.isEmpty() ? f1 : control(f1, focus)));
    QWidget *focused = QApplication::focusWidget();
    const bool comment = f1->chbKoment->isChecked();
    press(f1, Qt::Key_F5);
    QVERIFY(f1->isRunning());
    // Keys that would press or leave the control do nothing during a run.
    for (int key : {int(Qt::Key_Space), int(Qt::Key_Return), int(Qt::Key_Tab), int(Qt::Key_9)})
        press(f1, key);
    QCOMPARE(QApplication::focusWidget(), focused);
    QVERIFY(f1->isRunning());
    QVERIFY(f1->edbv->isHidden());
    QCOMPARE(f1->chbKoment->isChecked(), comment);
    QCOMPARE(f1->NumVop->text(), QStringLiteral("01"));
    press(f1, Qt::Key_1);
    QVERIFY(fx.button(1)->isHidden());
    press(f1, Qt::Key_2);
    QCOMPARE(f1->NumVop->text(), QStringLiteral("02"));
}

void TestKeyboardAccess::namesPersonWouldSay()
{
    FormFixture fx;
    TForm1 *f1 = fx.f1();
    fx.start();
    // Each answer button is read with its digit and its variant's text.
    const QStringList variants = {QStringLiteral("Первый"), QStringLiteral("Второй"),
                                  QStringLiteral("Третий")};
    for (int digit = 1; digit <= 3; ++digit)
        QCOMPARE(a11y(fx.button(digit))->text(QAccessible::Name),
                 QStringLiteral("Ответ %1: %2").arg(digit).arg(variants.at(digit - 1)));
    fx.click(f1->Start);

    // Every control that Tab reaches, also on the sound panel, has a name of
    // words, not a sign or a digit, and a description of its own (not the
    // tooltip); the arrows say what they change.
    for (bool soundPanel : {false, true}) {
        if (soundPanel) {
            fx.click(f1->SpeedButton1);
            QVERIFY(f1->beepErr->isVisible());
        }
        for (QWidget *w = nullptr; w != f1->NumBilet;) {
            press(f1, Qt::Key_Tab);
            w = QApplication::focusWidget();
            const QString name = a11y(w)->text(QAccessible::Name);
            QVERIFY2(name.size() > 3, qPrintable(name));
            QVERIFY2(!w->accessibleDescription().isEmpty(), qPrintable(name));
        }
    }
    const QString up = a11y(f1->SpinButton2->upButton())->text(QAccessible::Name);
    QVERIFY(up.contains(f1->laEn->text()));
    f1->SpinButton2DownClick();
    QVERIFY(a11y(f1->SpinButton2->upButton())->text(QAccessible::Name) != up);
    QVERIFY(a11y(f1->SpinButton2->upButton())->text(QAccessible::Name).contains(f1->laEn->text()));
    QCOMPARE(a11y(f1->NumBilet)->text(QAccessible::Name), QStringLiteral("Билет 01"));
    QCOMPARE(a11y(f1->NumVop)->text(QAccessible::Name), QStringLiteral("Вопрос 01"));
}

void TestKeyboardAccess::numberLabelAction()
{
    FormFixture fx;
    TForm1 *f1 = fx.f1();
    fx.start();
    QAccessibleInterface *label = a11y(f1->NumVop);
    QCOMPARE(label->role(), QAccessible::Button);
    QVERIFY(label->state().focusable);
    QAccessibleActionInterface *action = label->actionInterface();
    QVERIFY(action);
    QVERIFY(action->actionNames().contains(QAccessibleActionInterface::pressAction()));
    // As a click: the run stops and the editor opens for the question.
    action->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(!f1->isRunning());
    QVERIFY(f1->edbv->isVisible());
    QCOMPARE(f1->edbv->maximum(), 20);
}

void TestKeyboardAccess::windowRolesAndJournalLines()
{
    FormFixture fx;
    for (QWidget *w : std::initializer_list<QWidget *>{fx.f1(), fx.f2(), fx.f3()}) {
        const QAccessible::Role role = a11y(w)->role();
        QVERIFY(role == QAccessible::Window || role == QAccessible::Dialog);
    }
    runWithOneError(fx);
    QAccessibleInterface *list = a11y(fx.f3()->lbStat);
    QCOMPARE(list->role(), QAccessible::List);
    QCOMPARE(list->childCount(), 2);
    for (int row = 0; row < 2; ++row) {
        QAccessibleInterface *line = list->child(row);
        QCOMPARE(line->role(), QAccessible::ListItem);
        QCOMPARE(line->text(QAccessible::Name), fx.f3()->lines().at(row));
        QCOMPARE(list->indexOfChild(line), row);
        QVERIFY(line->tableCellInterface()->columnHeaderCells().isEmpty());
    }
    QCOMPARE(list->tableInterface()->columnCount(), 1);
    selectRows(fx.f3()->lbStat, {1}, 1);
    QCOMPARE(list->tableInterface()->selectedRows(), QList<int>{1});
    QVERIFY(list->child(1)->state().selected);
    // Lines that go are no longer read.
    fx.click(fx.f3()->sbClear);
    QCOMPARE(list->childCount(), 0);
}

void TestKeyboardAccess::announcements()
{
    // Screen readers are told of a description change of the variant area
    // (not observable offscreen, where no reader listens); the descriptions
    // are what they read.
    FormFixture fx;
    TForm1 *f1 = fx.f1();
    const auto told = [f1] {
        return a11y(f1->questionView->Memo1)->text(QAccessible::Description);
    };
    fx.start();
    QVERIFY(told().contains(QStringLiteral("вопрос 01: Вопрос 0101")));
    // A wrong answer is told with its digit, each one, while the question
    // stays; the next question is told when it comes.
    press(f1, Qt::Key_1);
    QVERIFY(told().contains(QStringLiteral("1 неверный")));
    press(f1, Qt::Key_3);
    QVERIFY(told().contains(QStringLiteral("3 неверный")));
    QVERIFY(told().contains(QStringLiteral("вопрос 01")));
    press(f1, Qt::Key_2);
    QVERIFY(told().contains(QStringLiteral("вопрос 02: Вопрос 0102")));
    QVERIFY(!told().contains(QStringLiteral("неверный")));
}

QTEST_MAIN(TestKeyboardAccess)
#include "tst_keyboard_access.moc"
