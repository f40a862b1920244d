// The comment window on the offscreen platform: closing by any key, a
// double-click or the close button, the geometry written at every hide and
// the focus handed back to the main window, the move by a drag in the text,
// and the main window's triggers (F1, a double-click on the picture).

#include "form_fixture.h"

#include "core/settings/settings_batch.h"
#include "ui/comment/Unit2.h"
#include "ui/links/main_window_link.h"
#include "ui/practice/Unit1.h"
#include "ui/question/picture_widget.h"

#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>
#include <QWheelEvent>

using namespace quz::test;

namespace {

struct RecordingMainWindow : quz::links::MainWindowLink {
    int activations = 0;
    void activateMainWindow() override { ++activations; }
};

// A comment window on its own, with a main window that records being given
// the focus.
struct CommentWindow {
    explicit CommentWindow(const QString &settings = QString())
    {
        if (!settings.isEmpty())
            dir.writeSettings(settings);
        form = std::make_unique<TForm2>(dir.services);
        form->setMainWindow(&main);
    }
    quz::settings::Geometry written() const
    {
        return quz::settings::SettingsBatch(dir.settingsFile())
            .read(quz::settings::keys::commentWindow);
    }
    void showAt(const QRect &outer) const
    {
        form->showWindow();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        const QSize frame = form->frameGeometry().size() - form->size();
        form->setGeometry(QRect(outer.topLeft(), outer.size() - frame));
        form->move(outer.topLeft());
        QTRY_COMPARE(form->frameGeometry(), outer);
    }

    ProgramDir dir;
    RecordingMainWindow main;
    std::unique_ptr<TForm2> form;
};

QRect asRect(const quz::settings::Geometry &g) { return QRect(g.left, g.top, g.width, g.height); }

} // namespace

class TestForm2 : public QObject {
    Q_OBJECT

private slots:
    void createdFromSettings_data();
    void createdFromSettings();
    void closing_data();
    void closing();
    void minimumKeepsTextAndScrollBar();
    void showingRestoresMinimised_data();
    void showingRestoresMinimised();
    void refusedWriteKeepsFocusHere();
    void otherButtonsDoubleClickKeepsWindow();
    void showActivatesTextArea();
    void dragByTextThenNextStart();
    void textAreaScrollsAndWraps();
    void f1TwiceShowsAndCloses();
    void pictureDoubleClickRefillsOpenWindow();
};

void TestForm2::createdFromSettings_data()
{
    QTest::addColumn<QString>("settings");
    QTest::addColumn<QRect>("expected"); // outer rectangle once shown

    QTest::newRow("defaults") << QString() << QRect(0, 473, 800, 97);
    QTest::newRow("stored") << u"[SCR]\r\nleft2=120\r\ntop2=200\r\nheight2=150\r\nwidth2=400\r\n"_qs
                            << QRect(120, 200, 400, 150);
    // A stored size below the smallest usable one grows to it (minimumSize).
    QTest::newRow("smaller than the minimum")
        << u"[SCR]\r\nleft2=10\r\ntop2=20\r\nheight2=10\r\nwidth2=40\r\n"_qs << QRect(10, 20, 0, 0);
}

void TestForm2::createdFromSettings()
{
    QFETCH(QString, settings);
    QFETCH(QRect, expected);
    CommentWindow w(settings);
    QVERIFY(!w.form->isVisible());
    QCOMPARE(w.form->windowTitle(), u"Комментарий"_qs);
    QVERIFY(w.form->Koment->toPlainText().isEmpty());
    w.form->showWindow();
    QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
    if (expected.isEmpty())
        expected.setSize(w.form->minimumSize() + w.form->frameGeometry().size() - w.form->size());
    QTRY_COMPARE(w.form->frameGeometry(), expected);
}

// The window cannot be made smaller than a line of text beside a scroll bar
// whose arrows and slider all show; a hide stores that size, not less.
void TestForm2::minimumKeepsTextAndScrollBar()
{
    CommentWindow w;
    w.showAt(QRect(40, 150, 500, 120));
    w.form->resize(1, 1);
    QTRY_COMPARE(w.form->size(), w.form->minimumSize());
    QTextEdit *text = w.form->Koment;
    const QScrollBar *bar = text->verticalScrollBar();
    QVERIFY(bar->isVisible());
    QVERIFY(bar->height() >= bar->minimumSizeHint().height());
    const int textWidth = text->viewport()->width();
    QVERIFY2(textWidth >= 10 * text->fontMetrics().averageCharWidth(),
             qPrintable(QString::number(textWidth)));
    QVERIFY(text->viewport()->height() >= text->fontMetrics().lineSpacing());
    w.form->hide();
    QCOMPARE(asRect(w.written()).size(), w.form->frameGeometry().size());
}

// A window the window manager has minimised comes back whenever it is shown.
void TestForm2::showingRestoresMinimised_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("F1") << u"F1"_qs;
    QTest::newRow("help button") << u"?"_qs;
    QTest::newRow("double click on the picture") << u"picture"_qs;
}

void TestForm2::showingRestoresMinimised()
{
    QFETCH(QString, how);
    FormFixture fx;
    fx.dir.writeCp1251(u"Help.txt"_qs, u"Справка\r\n"_qs);
    fx.f2()->showWindow();
    QVERIFY(QTest::qWaitForWindowExposed(fx.f2()));
    fx.f2()->setWindowState(Qt::WindowMinimized);
    QTRY_VERIFY(fx.f2()->isMinimized());
    fx.f1()->activateWindow();
    if (how == u"F1"_qs) {
        QTest::keyClick(fx.f1(), Qt::Key_F1);
    } else if (how == u"?"_qs) {
        FormFixture::click(fx.f1()->sbHelp);
    } else {
        QTest::mouseDClick(fx.f1()->questionView->Image1, Qt::LeftButton);
        QTest::mouseRelease(fx.f1()->questionView->Image1, Qt::LeftButton);
    }
    QTRY_VERIFY(!fx.f2()->isMinimized());
    QVERIFY(fx.f2()->isVisible());
    QTRY_VERIFY(fx.f2()->isActiveWindow());
}

void TestForm2::closing_data()
{
    QTest::addColumn<QString>("how");
    for (const char *how : {"letter key", "digit key", "escape", "enter", "function key",
                            "shift alone", "double click", "close button", "hidden by the program"})
        QTest::newRow(how) << QString::fromLatin1(how);
}

void TestForm2::closing()
{
    QFETCH(QString, how);
    CommentWindow w;
    const QRect outer(40, 150, 500, 120);
    w.showAt(outer);
    QTextEdit *text = w.form->Koment;
    const QHash<QString, Qt::Key> keys = {
        {u"letter key"_qs, Qt::Key_A},    {u"digit key"_qs, Qt::Key_3},
        {u"escape"_qs, Qt::Key_Escape},   {u"enter"_qs, Qt::Key_Return},
        {u"function key"_qs, Qt::Key_F5}, {u"shift alone"_qs, Qt::Key_Shift},
    };
    if (keys.contains(how))
        QTest::keyPress(text, keys.value(how));
    else if (how == u"double click")
        QTest::mouseDClick(text->viewport(), Qt::LeftButton, {}, QPoint(30, 30));
    else if (how == u"close button")
        QVERIFY(w.form->close());
    else
        w.form->hide();

    QVERIFY(!w.form->isVisible());
    QCOMPARE(asRect(w.written()), outer);
    QCOMPARE(w.main.activations, 1);
    QVERIFY(w.dir.dialogs.shown.isEmpty());
    if (how == u"double click")
        QTest::mouseRelease(text->viewport(), Qt::LeftButton, {}, QPoint(30, 30));
}

void TestForm2::refusedWriteKeepsFocusHere()
{
    CommentWindow w;
    // The settings file would live in a folder that is a plain file.
    w.dir.write(u"blocked"_qs, QByteArray("x"));
    w.dir.services.exePath = w.dir.path(u"blocked/quz"_qs);
    w.showAt(QRect(40, 150, 500, 120));
    QTest::keyPress(w.form->Koment, Qt::Key_Space);
    QVERIFY(!w.form->isVisible());
    QCOMPARE(w.dir.dialogs.errors().size(), 1);
    QVERIFY2(w.dir.dialogs.errors().front().contains(w.dir.path(u"blocked/quz.ini"_qs)),
             qPrintable(w.dir.dialogs.errors().front()));
    QCOMPARE(w.main.activations, 0);
}

void TestForm2::showActivatesTextArea()
{
    CommentWindow w;
    QWidget other;
    other.setGeometry(600, 20, 100, 100);
    other.show();
    other.activateWindow();
    QTRY_VERIFY(other.isActiveWindow());
    w.form->showWindow();
    QTRY_VERIFY(w.form->isActiveWindow());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w.form->Koment));
    // Shown again while visible: to the front and active again.
    other.activateWindow();
    QTRY_VERIFY(other.isActiveWindow());
    w.form->showWindow();
    QTRY_VERIFY(w.form->isActiveWindow());
}

void TestForm2::dragByTextThenNextStart()
{
    CommentWindow w;
    w.showAt(QRect(100, 60, 500, 120));
    QWidget *area = w.form->Koment->viewport();
    QTest::mousePress(area, Qt::LeftButton, {}, QPoint(50, 40));
    QTest::mouseMove(area, QPoint(80, 70));
    const QRect moved(130, 90, 500, 120);
    QTRY_COMPARE(w.form->frameGeometry(), moved);
    QTest::mouseRelease(area, Qt::LeftButton, {}, area->mapFromGlobal(QCursor::pos()));
    QVERIFY(w.form->isVisible());
    QVERIFY(!w.form->Koment->textCursor().hasSelection());
    QTest::keyPress(w.form->Koment, Qt::Key_Escape);
    QCOMPARE(asRect(w.written()), moved);

    // The next start, with the same settings file, puts it there.
    w.form = std::make_unique<TForm2>(w.dir.services);
    w.form->showWindow();
    QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
    QTRY_COMPARE(w.form->frameGeometry(), moved);
}

void TestForm2::textAreaScrollsAndWraps()
{
    CommentWindow w;
    w.showAt(QRect(40, 150, 300, 120));
    QTextEdit *text = w.form->Koment;
    // Short text: the vertical scroll bar is there all the same.
    text->setPlainText(u"Коротко."_qs);
    QVERIFY(text->verticalScrollBar()->isVisible());
    // A long line wraps at the window's width: nothing to scroll sideways.
    QString longText;
    for (int i = 0; i < 60; ++i)
        longText += u"Длинный комментарий к вопросу. "_qs;
    text->setPlainText(longText);
    QCOMPARE(text->horizontalScrollBar()->maximum(), 0);
    QVERIFY(text->verticalScrollBar()->maximum() > 0);
    // The wheel scrolls the text.
    const QPoint at(40, 40);
    QWheelEvent wheel(at, text->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(text->viewport(), &wheel);
    QVERIFY(text->verticalScrollBar()->value() > 0);
    QVERIFY(w.form->isVisible());
}

void TestForm2::f1TwiceShowsAndCloses()
{
    FormFixture fx;
    fx.f1()->activateWindow();
    QTRY_VERIFY(fx.f1()->isActiveWindow());
    QTest::keyClick(fx.f1(), Qt::Key_F1);
    QVERIFY(fx.f2()->isVisible());
    QCOMPARE(fx.f2()->windowTitle(), u"Комментарий к билету №01, вопрос №01"_qs);
    QCOMPARE(fx.f2()->Koment->toPlainText(), u"1. Один"_qs);
    QTRY_VERIFY(fx.f2()->isActiveWindow());
    // The second F1 goes where the focus now is: the comment window.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    QVERIFY(!fx.f2()->isVisible());
    QTRY_VERIFY(fx.f1()->isActiveWindow());
}

void TestForm2::pictureDoubleClickRefillsOpenWindow()
{
    FormFixture fx;
    fx.dir.writeCp1251(u"Help.txt"_qs, u"Справка\r\n"_qs);
    FormFixture::click(fx.f1()->sbHelp);
    QCOMPARE(fx.f2()->Koment->toPlainText(), u"Справка"_qs);
    QCOMPARE(fx.f2()->windowTitle(), u"Комментарий"_qs);
    fx.f1()->activateWindow();
    QTRY_VERIFY(fx.f1()->isActiveWindow());

    QTest::mouseDClick(fx.f1()->questionView->Image1, Qt::LeftButton);
    QTest::mouseRelease(fx.f1()->questionView->Image1, Qt::LeftButton);
    QCOMPARE(fx.f2()->Koment->toPlainText(), u"1. Один"_qs);
    QCOMPARE(fx.f2()->windowTitle(), u"Комментарий к билету №01, вопрос №01"_qs);
    QTRY_VERIFY(fx.f2()->isActiveWindow());
}

void TestForm2::otherButtonsDoubleClickKeepsWindow()
{
    CommentWindow w;
    w.form->showWindow();
    QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
    for (const Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        QTest::mouseDClick(w.form->Koment->viewport(), button, {}, QPoint(30, 30));
        QVERIFY(w.form->isVisible());
    }
    QTest::mouseDClick(w.form->Koment->viewport(), Qt::LeftButton, {}, QPoint(30, 30));
    QVERIFY(!w.form->isVisible());
}

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
