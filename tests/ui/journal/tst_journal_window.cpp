// The journal window on the real forms: saving and loading through the
// chooser and real files, drops from the file manager, the command-line
// journal, the popup menu's deletion, the size limits, and what the list
// shows to accessibility.

#include "form_fixture.h"

#include "core/files/text_file.h"
#include "core/journal/journal_entries.h"
#include "core/journal/journal_file.h"
#include "ui/journal/Unit3.h"
#include "ui/journal/list_box_widget.h"
#include "ui/platform/control_state.h"
#include "ui/platform/window_geometry.h"
#include "ui/practice/Unit1.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QFile>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QMenu>
#include <QMimeData>
#include <QScopeGuard>
#include <QTest>
#include <QToolButton>
#include <QUrl>

#include <fcntl.h>
#include <sys/stat.h>

using namespace quz::test;
using namespace Qt::StringLiterals;

namespace {

const QString kStartEntry = u"Старт 07.12.2026 0:08:40 Билет 01"_s;
const QStringList kSaved{u"Старт 01.02.2026 10:00:00 Билет 03"_s, u"-> 03 вопрос 04"_s, QString(),
                         u"-> 03 вопрос 09"_s};

// Writes a journal file into the program directory and returns its path.
QString journalFile(ProgramDir &dir, const QString &name, const QStringList &lines,
                    const QString &lineEnd = u"\r\n"_s)
{
    QString text;
    for (const QString &line : lines)
        text += line + lineEnd;
    dir.writeCp1251(name, text);
    return dir.path(name);
}

// Drags `urls` over the list and drops them; returns whether the drop was
// taken.
bool drop(TForm3 *form, const QList<QUrl> &urls)
{
    QWidget *target = form->lbStat->viewport();
    const QPoint at(10, 10);
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent dropped(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &dropped);
    // The drop is taken up once the drag has ended.
    QCoreApplication::processEvents();
    return dropped.isAccepted();
}

} // namespace

class TestJournalWindow : public QObject {
    Q_OBJECT
private slots:
    void saveAndLoadRoundTrip();
    void startEntryOutsideCodePage();
    void saveRefused_data();
    void saveRefused();
    void cancelledChooser_data();
    void cancelledChooser();
    void failedSaveKeepsOldFile();
    void failedLoad();
    void loadAppendsAndClearsSelection();
    void lineEndsOfLoadedFile_data();
    void lineEndsOfLoadedFile();
    void drops_data();
    void drops();
    void commandLine_data();
    void commandLine();
    void namesThatAreNotUtf8_data();
    void namesThatAreNotUtf8();
    void popupMenu();
    void clearResetsJournal();
    void newEntryInView_data();
    void newEntryInView();
    void widthRule_data();
    void widthRule();
    void minimumSizeAndFrame();
    void hideWritesSettings();
    void showingRestoresMinimised_data();
    void showingRestoresMinimised();
    void listIsAccessible();
};

void TestJournalWindow::saveAndLoadRoundTrip()
{
    FormFixture fx;
    fx.start();
    fx.click(fx.button(1));
    fx.click(fx.button(2));
    fx.click(fx.button(3));
    fx.click(fx.f1()->Start);
    const QStringList journal{kStartEntry, u"-> 01 вопрос 01"_s, u"-> 01 вопрос 02"_s};
    QCOMPARE(fx.f3()->lines(), journal);
    selectRows(fx.f3()->lbStat, {1}, 1);

    const QString path = fx.dir.path(u"run.quz"_s);
    fx.dir.dialogs.answers.push_back(path);
    fx.click(fx.f3()->SpeedButton1);
    QCOMPARE(fx.dir.dialogs.requests.size(), 1);
    const quz::OpenFileRequest request = fx.dir.dialogs.requests.at(0);
    QCOMPARE(request.title, u"Укажите файл."_s);
    QCOMPARE(request.filter, u"Ошибки QUZ|*.quz"_s);
    QCOMPARE(request.defaultSuffix, u"quz"_s);
    QCOMPARE(fx.dir.dialogs.texts(), QStringList{u"Записано!\n\r"_s + path});
    QCOMPARE(fx.dir.read(u"run.quz"_s), cp1251(journal.join(u"\r\n"_s) + u"\r\n"_s));
    // Saving changes neither the list nor its selection.
    QCOMPARE(fx.f3()->lines(), journal);
    QCOMPARE(selectedRows(fx.f3()->lbStat), QList<int>{1});

    fx.click(fx.f3()->sbClear);
    QVERIFY(fx.f3()->lines().isEmpty());
    fx.dir.dialogs.answers.push_back(path);
    fx.f3()->N2->trigger();
    QCOMPARE(fx.f3()->lines(), journal);
    // The chooser opens on the last chosen file.
    QCOMPARE(fx.dir.dialogs.requests.last().initialFile, path);
    QCOMPARE(fx.dir.dialogs.shown.size(), 1);
}

// A date format with characters the code page lacks: the start entry shows
// '?' for them, and the journal saves whole.
void TestJournalWindow::startEntryOutsideCodePage()
{
    FormFixture fx;
    fx.dir.clock.text = u"2026/12/7 上午0:08:40"_s;
    fx.start();
    fx.click(fx.button(1));
    fx.click(fx.f1()->Start);
    const QStringList journal{u"Старт 2026/12/7 ??0:08:40 Билет 01"_s, u"-> 01 вопрос 01"_s};
    QCOMPARE(fx.f3()->lines(), journal);
    fx.dir.dialogs.answers.push_back(fx.dir.path(u"j.quz"_s));
    fx.f3()->N1Click();
    QCOMPARE(fx.dir.dialogs.texts().size(), 1);
    QVERIFY(fx.dir.dialogs.texts().at(0).startsWith(u"Записано!"_s));
    QCOMPARE(fx.dir.read(u"j.quz"_s), cp1251(journal.join(u"\r\n"_s) + u"\r\n"_s));
}

void TestJournalWindow::saveRefused_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<bool>("refused");
    QTest::newRow("empty journal") << 0 << true;
    QTest::newRow("only the start entry") << 1 << true;
    QTest::newRow("two lines") << 2 << false;
    QTest::newRow("placeholder text") << 28 << false;
}

void TestJournalWindow::saveRefused()
{
    QFETCH(int, lines);
    QFETCH(bool, refused);
    FormFixture fx;
    if (lines < 28) {
        fx.f3()->sbClearClick();
        for (int i = 0; i < lines; ++i)
            fx.f3()->addStartEntry(u"01"_s);
    }
    QCOMPARE(fx.f3()->lines().size(), lines);
    fx.dir.dialogs.answers.push_back(fx.dir.path(u"j.quz"_s));
    fx.f3()->N1->trigger();
    if (refused) {
        QCOMPARE(fx.dir.dialogs.texts(), QStringList{u"Как мне кажется, нечего сохранять =("_s});
        QVERIFY(fx.dir.dialogs.requests.isEmpty());
        QVERIFY(!fx.dir.exists(u"j.quz"_s));
    } else {
        QCOMPARE(fx.dir.dialogs.requests.size(), 1);
        QCOMPARE(quz::journal::parseJournal(fx.dir.read(u"j.quz"_s)).size(), lines);
    }
}

void TestJournalWindow::cancelledChooser_data()
{
    QTest::addColumn<bool>("save");
    QTest::addColumn<bool>("placeholder");
    QTest::addColumn<int>("linesAfter");
    QTest::newRow("save") << true << true << 28;
    QTest::newRow("load with the placeholder shown") << false << true << 0;
    QTest::newRow("load after a run") << false << false << 1;
}

void TestJournalWindow::cancelledChooser()
{
    QFETCH(bool, save);
    QFETCH(bool, placeholder);
    FormFixture fx;
    if (!placeholder) {
        fx.start();
        fx.click(fx.f1()->Start);
    }
    fx.dir.dialogs.answers.push_back(std::nullopt);
    fx.click(save ? fx.f3()->SpeedButton1 : fx.f3()->SpeedButton2);
    QCOMPARE(fx.dir.dialogs.requests.size(), 1);
    QVERIFY(fx.dir.dialogs.shown.isEmpty());
    QTEST(static_cast<int>(fx.f3()->lines().size()), "linesAfter");
    // The placeholder flag falls with the load's first step, cancelled or not.
    QCOMPARE(fx.f3()->placeholderShown(), save && placeholder);
}

void TestJournalWindow::failedSaveKeepsOldFile()
{
    FormFixture fx;
    const QString path = journalFile(fx.dir, u"old.quz"_s, kSaved);
    const QByteArray old = fx.dir.read(u"old.quz"_s);
    QVERIFY(::chmod(QFile::encodeName(path).constData(), 0444) == 0);
    fx.dir.dialogs.answers.push_back(path);
    fx.f3()->N1Click();
    QCOMPARE(fx.dir.dialogs.errors().size(), 1);
    QVERIFY2(fx.dir.dialogs.errors().at(0).contains(path), qPrintable(fx.dir.dialogs.errors()[0]));
    QVERIFY(fx.dir.dialogs.texts().isEmpty());
    QCOMPARE(fx.dir.read(u"old.quz"_s), old);
    QCOMPARE(fx.f3()->lines(), quz::journal::placeholderLines());
}

void TestJournalWindow::failedLoad()
{
    FormFixture fx;
    const QString missing = fx.dir.path(u"missing.quz"_s);
    fx.dir.dialogs.answers.push_back(missing);
    fx.f3()->N2Click();
    QCOMPARE(fx.dir.dialogs.errors().size(), 1);
    QVERIFY(fx.dir.dialogs.errors().at(0).contains(missing));
    // The placeholder step happened before the failure.
    QVERIFY(fx.f3()->lines().isEmpty());
    QCOMPARE(fx.f3()->placeholderShown(), false);
}

void TestJournalWindow::loadAppendsAndClearsSelection()
{
    FormFixture fx;
    const QString path = journalFile(fx.dir, u"j.quz"_s, kSaved);
    fx.dir.dialogs.answers = {path, path};
    fx.f3()->N2Click();
    selectRows(fx.f3()->lbStat, {0, 2}, 2);
    fx.f3()->N2Click();
    QCOMPARE(fx.f3()->lines(), kSaved + kSaved);
    QVERIFY(selectedRows(fx.f3()->lbStat).isEmpty());
    QVERIFY(fx.dir.dialogs.shown.isEmpty());
}

void TestJournalWindow::lineEndsOfLoadedFile_data()
{
    QTest::addColumn<QString>("lineEnd");
    QTest::newRow("CR LF") << u"\r\n"_s;
    QTest::newRow("LF") << u"\n"_s;
    QTest::newRow("CR") << u"\r"_s;
}

void TestJournalWindow::lineEndsOfLoadedFile()
{
    QFETCH(QString, lineEnd);
    FormFixture fx;
    fx.dir.dialogs.answers.push_back(journalFile(fx.dir, u"j.quz"_s, kSaved, lineEnd));
    fx.f3()->N2Click();
    QCOMPARE(fx.f3()->lines(), kSaved);
}

void TestJournalWindow::drops_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("errors");
    QTest::addColumn<QStringList>("lines");
    const QStringList placeholder = quz::journal::placeholderLines();
    QTest::newRow("one file") << QStringList{u"a.quz"_s} << true << QStringList{} << 0 << kSaved;
    QTest::newRow("three files: message, then the first")
        << QStringList{u"a.quz"_s, u"b.quz"_s, u"c.quz"_s} << true
        << QStringList{u"Кто сказал что можно тащить 2 объекта?"_s} << 0 << kSaved;
    QTest::newRow("any extension")
        << QStringList{u"a.txt"_s} << true << QStringList{} << 0 << kSaved;
    QTest::newRow("no extension: nothing at all")
        << QStringList{u"plain"_s} << true << QStringList{} << 0 << placeholder;
    QTest::newRow("dot only in a folder name")
        << QStringList{u"dir.d/plain"_s} << true << QStringList{} << 0 << placeholder;
    QTest::newRow("missing file: error after the placeholder step")
        << QStringList{u"gone.quz"_s} << true << QStringList{} << 1 << QStringList{};
    QTest::newRow("no local file: refused")
        << QStringList{} << false << QStringList{} << 0 << placeholder;
}

void TestJournalWindow::drops()
{
    QFETCH(QStringList, files);
    QFETCH(bool, taken);
    FormFixture fx;
    fx.f3()->showWindow();
    journalFile(fx.dir, u"a.quz"_s, kSaved);
    journalFile(fx.dir, u"a.txt"_s, kSaved);
    journalFile(fx.dir, u"b.quz"_s, {u"b"_s});
    journalFile(fx.dir, u"c.quz"_s, {u"c"_s});
    journalFile(fx.dir, u"plain"_s, {u"plain"_s});
    journalFile(fx.dir, u"dir.d/plain"_s, {u"plain"_s});
    QList<QUrl> urls;
    for (const QString &name : files)
        urls << QUrl::fromLocalFile(fx.dir.path(name));
    if (files.isEmpty())
        urls << QUrl(u"https://example.org/a.quz"_s);

    QCOMPARE(drop(fx.f3(), urls), taken);
    QTEST(fx.dir.dialogs.texts(), "messages");
    QTEST(static_cast<int>(fx.dir.dialogs.errors().size()), "errors");
    QTEST(fx.f3()->lines(), "lines");
    QVERIFY(fx.dir.dialogs.requests.isEmpty());
}

void TestJournalWindow::commandLine_data()
{
    QTest::addColumn<bool>("readable");
    QTest::newRow("file replaces the placeholder") << true;
    QTest::newRow("unreadable file leaves the placeholder") << false;
}

void TestJournalWindow::commandLine()
{
    QFETCH(bool, readable);
    ProgramDir prepared;
    const QString name = readable ? u"cmd.quz"_s : u"missing.quz"_s;
    FormFixture::Options options;
    options.commandLineFile = prepared.path(name);
    if (readable)
        journalFile(prepared, name, kSaved);
    FormFixture fx(options);
    // Shown at start-up, where the file was read.
    QVERIFY(fx.f3()->isShowing());
    QCOMPARE(fx.f3()->commandLineJournalPending(), false);
    QCOMPARE(fx.f3()->placeholderShown(), false);
    const QStringList first = readable ? kSaved : quz::journal::placeholderLines();
    QCOMPARE(fx.f3()->lines(), first);
    QCOMPARE(fx.dir.dialogs.errors().size(), readable ? 0 : 1);
    if (!readable)
        QVERIFY(fx.dir.dialogs.errors().at(0).contains(options.commandLineFile));

    // Read once only.
    fx.f3()->hide();
    fx.f3()->showWindow();
    QCOMPARE(fx.f3()->lines(), first);

    // A run keeps those lines, as the placeholder flag is down.
    fx.start();
    fx.click(fx.f1()->Start);
    QCOMPARE(fx.f3()->lines(), first + QStringList{kStartEntry});

    // A loaded file is appended.
    fx.dir.dialogs.answers.push_back(journalFile(fx.dir, u"more.quz"_s, {u"more"_s}));
    fx.f3()->N2Click();
    QCOMPARE(fx.f3()->lines(), first + QStringList({kStartEntry, u"more"_s}));
}

// A journal whose name is in Windows-1251 (from an archive made on Windows)
// loads from the command line, the chooser and a drop alike; its name is
// given in its readable form.
void TestJournalWindow::namesThatAreNotUtf8_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("command line") << u"command line"_s;
    QTest::newRow("file chooser") << u"chooser"_s;
    QTest::newRow("drop") << u"drop"_s;
}

void TestJournalWindow::namesThatAreNotUtf8()
{
    QFETCH(QString, how);
    ProgramDir prepared;
    const QByteArray native =
        QFile::encodeName(prepared.dir.path()) + "/\xe6\xf3\xf0\xed\xe0\xeb.quz";
    {
        QFile file;
        const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        QVERIFY(fd >= 0);
        QVERIFY(file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle));
        file.write(cp1251(kSaved.join(u"\r\n"_s) + u"\r\n"_s));
    }
    // The temporary folder cannot remove a name it cannot read.
    const auto removeFile = qScopeGuard([&] { ::unlink(native.constData()); });
    const QString readable = prepared.path(u"журнал.quz"_s);
    FormFixture::Options options;
    if (how == u"command line"_s)
        options.commandLineFile = readable;
    FormFixture fx(options);
    if (how == u"chooser"_s) {
        fx.dir.dialogs.answers.push_back(readable);
        fx.f3()->N2Click();
    } else if (how == u"drop"_s) {
        fx.f3()->showWindow();
        QVERIFY(drop(fx.f3(), {QUrl::fromEncoded("file://" + native.toPercentEncoding("/"))}));
    }
    QVERIFY2(fx.dir.dialogs.shown.isEmpty(), qPrintable(fx.dir.dialogs.errors().join(u'\n')));
    QCOMPARE(fx.f3()->lines(), kSaved);
}

void TestJournalWindow::popupMenu()
{
    FormFixture fx;
    fx.f3()->showWindow();
    QVERIFY(QTest::qWaitForWindowExposed(fx.f3()));
    quz::journal::TListBox *list = fx.f3()->lbStat;
    QCOMPARE(fx.f3()->N1->text(), u"Сохранить"_s);
    QCOMPARE(quz::platform::hint(fx.f3()->N1), u"Сохранить список в файл"_s);
    QCOMPARE(quz::platform::hint(fx.f3()->N2), u"Загрузить список из файла"_s);
    QCOMPARE(fx.f3()->N5->text(), u"Удалить выделенное"_s);
    QVERIFY(quz::platform::hint(fx.f3()->N5).isEmpty());

    // 1: the menu opened with its deletion enabled, 0: disabled, -1: no menu.
    const auto openPopup = [&](int row) {
        const QPoint at = list->visualRect(list->model()->index(row, 0)).center();
        QTest::mousePress(list->viewport(), Qt::RightButton, {}, at);
        QTest::mouseRelease(list->viewport(), Qt::RightButton, {}, at);
        QContextMenuEvent menu(QContextMenuEvent::Mouse, at, list->viewport()->mapToGlobal(at));
        QCoreApplication::sendEvent(list->viewport(), &menu);
        if (!QTest::qWaitFor([&] { return fx.f3()->PopupMenu1->isVisible(); }))
            return -1;
        const int enabled = fx.f3()->N5->isEnabled() ? 1 : 0;
        fx.f3()->PopupMenu1->close();
        return enabled;
    };

    list->selectionModel()->clearSelection();
    QCOMPARE(openPopup(3), 0);
    // The right button leaves the selection as it was.
    QVERIFY(selectedRows(list).isEmpty());

    selectRows(list, {1, 2, 7}, 7);
    QCOMPARE(openPopup(5), 1);
    QCOMPARE(selectedRows(list), (QList<int>{1, 2, 7}));
    fx.f3()->N5->trigger();
    QStringList expected = quz::journal::placeholderLines();
    expected.removeAt(7);
    expected.removeAt(2);
    expected.removeAt(1);
    QCOMPARE(fx.f3()->lines(), expected);
    // Deleting touches neither the placeholder flag nor the cursor.
    QCOMPARE(fx.f3()->placeholderShown(), true);
    QCOMPARE(fx.f3()->journalCursor(), 0);
    QCOMPARE(openPopup(0), 0);
}

void TestJournalWindow::clearResetsJournal()
{
    FormFixture fx;
    fx.start();
    // Disabled for the run, and it looks it.
    QVERIFY(!fx.f3()->sbClear->isEnabled());
    QVERIFY(fx.f3()->sbClear->palette().color(QPalette::Disabled, QPalette::ButtonText)
            != QColor(255, 0, 0));
    QCOMPARE(fx.f3()->sbClear->palette().color(QPalette::Active, QPalette::ButtonText),
             QColor(255, 0, 0));
    fx.click(fx.f1()->Start);
    fx.f3()->setJournalCursor(5);
    fx.click(fx.f3()->sbClear);
    QVERIFY(fx.f3()->lines().isEmpty());
    QCOMPARE(fx.f3()->journalCursor(), 0);
    // The next run writes a start entry again.
    fx.start();
    QCOMPARE(fx.f3()->lines(), QStringList{kStartEntry});
}

void TestJournalWindow::newEntryInView_data()
{
    QTest::addColumn<bool>("hidden");
    QTest::newRow("journal showing") << false;
    QTest::newRow("written while hidden, seen when shown") << true;
}

void TestJournalWindow::newEntryInView()
{
    QFETCH(bool, hidden);
    FormFixture fx;
    QStringList many;
    for (int i = 0; i < 300; ++i)
        many << u"-> 01 вопрос %1"_s.arg(i % 20 + 1, 2, 10, QChar(u'0'));
    fx.dir.dialogs.answers.push_back(journalFile(fx.dir, u"many.quz"_s, many));
    fx.f3()->showWindow();
    QVERIFY(QTest::qWaitForWindowExposed(fx.f3()));
    fx.f3()->N2Click();
    quz::journal::TListBox *list = fx.f3()->lbStat;
    const auto lastRowShown = [list] {
        const QRect last = list->visualRect(list->model()->index(list->model()->rowCount() - 1, 0));
        return list->viewport()->rect().contains(last);
    };
    QVERIFY(!lastRowShown());
    if (hidden)
        fx.f3()->hide();
    fx.f3()->addErrorEntry(u"02"_s, u"03"_s);
    if (hidden) {
        fx.f3()->showWindow();
        QVERIFY(QTest::qWaitForWindowExposed(fx.f3()));
    }
    QTRY_VERIFY(lastRowShown());
}

void TestJournalWindow::widthRule_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("expected");
    QTest::addColumn<bool>("message");
    QTest::newRow("302 stays") << 302 << 302 << false;
    QTest::newRow("303 stays") << 303 << 303 << false;
    QTest::newRow("304 cut") << 304 << 302 << true;
    QTest::newRow("far too wide") << 800 << 302 << true;
}

void TestJournalWindow::widthRule()
{
    QFETCH(int, width);
    QFETCH(int, expected);
    QFETCH(bool, message);
    FormFixture fx;
    fx.f3()->showWindow();
    QVERIFY(QTest::qWaitForWindowExposed(fx.f3()));
    const QStringList said = message ? QStringList{u"Может кватит?"_s} : QStringList{};
    // Widths are those of the outer frame.
    const int frame = fx.f3()->frameGeometry().width() - fx.f3()->width();
    for (int time = 1; time <= 2; ++time) {
        fx.f3()->resize(width - frame, 400);
        QTRY_COMPARE(fx.f3()->frameGeometry().width(), expected);
        QCOMPARE(fx.dir.dialogs.texts().size(), message ? time : 0);
        fx.f3()->resize(250, 400);
        QTRY_COMPARE(fx.f3()->width(), 250);
    }
    QCOMPARE(fx.f3()->height(), 400);
}

void TestJournalWindow::minimumSizeAndFrame()
{
    FormFixture fx;
    fx.f3()->showWindow();
    QVERIFY(QTest::qWaitForWindowExposed(fx.f3()));
    fx.f3()->resize(100, 100);
    QTRY_COMPARE(fx.f3()->frameGeometry().size(), QSize(185, 291));
    const Qt::WindowFlags flags = fx.f3()->windowFlags();
    QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
    QVERIFY(flags.testFlag(Qt::WindowTitleHint));
    for (const Qt::WindowType button :
         {Qt::WindowCloseButtonHint, Qt::WindowMinimizeButtonHint, Qt::WindowMaximizeButtonHint})
        QVERIFY(!flags.testFlag(button));
    // The list reaches down to the check box at every size.
    QCOMPARE(fx.f3()->lbStat->geometry().bottom() + 1, fx.f3()->delErr->geometry().top() - 1);
}

void TestJournalWindow::hideWritesSettings()
{
    FormFixture fx;
    fx.f3()->showWindow();
    fx.f3()->delErr->setChecked(false);
    // Outer left, top, height, width.
    quz::platform::setOuterGeometry(fx.f3(), {40, 50, 300, 200});
    QTRY_COMPARE(fx.f3()->frameGeometry(), QRect(40, 50, 200, 300));
    fx.click(fx.f3()->sbClose);
    QVERIFY(!fx.f3()->isShowing());
    const QString ini = QString::fromLatin1(fx.dir.settings());
    for (const QString &key :
         {u"delErr=0"_s, u"left3=40"_s, u"top3=50"_s, u"height3=300"_s, u"width3=200"_s})
        QVERIFY2(ini.contains(key), qPrintable(ini));
}

// A journal window the window manager has minimised is not showing: "Ошибки"
// and the stop of a run bring it back rather than hide it.
void TestJournalWindow::showingRestoresMinimised_data()
{
    QTest::addColumn<bool>("byRunStop");
    QTest::newRow("Ошибки") << false;
    QTest::newRow("run stop") << true;
}

void TestJournalWindow::showingRestoresMinimised()
{
    QFETCH(bool, byRunStop);
    FormFixture fx;
    if (byRunStop)
        fx.start();
    fx.f3()->showWindow();
    QVERIFY(QTest::qWaitForWindowExposed(fx.f3()));
    fx.f3()->setWindowState(Qt::WindowMinimized);
    QTRY_VERIFY(fx.f3()->isMinimized());
    QVERIFY(!fx.f3()->isShowing());
    fx.click(byRunStop ? fx.f1()->Start : fx.f1()->sbErr);
    QTRY_VERIFY(!fx.f3()->isMinimized());
    QVERIFY(fx.f3()->isShowing());
    // Once back, "Ошибки" hides it as before.
    fx.click(fx.f1()->sbErr);
    QVERIFY(!fx.f3()->isVisible());
}

// Screen readers and test drivers read the journal's lines from the list.
void TestJournalWindow::listIsAccessible()
{
    FormFixture fx;
    fx.f3()->showWindow();
    QAccessibleInterface *list = QAccessible::queryAccessibleInterface(fx.f3()->lbStat);
    QVERIFY(list);
    QAccessibleTableInterface *table = list->tableInterface();
    QVERIFY(table);
    QCOMPARE(table->rowCount(), 28);
    QCOMPARE(table->cellAt(1, 0)->text(QAccessible::Name), u" Для загрузки файла с"_s);
    fx.f3()->addErrorEntry(u"02"_s, u"03"_s);
    QCOMPARE(table->rowCount(), 29);
    QCOMPARE(table->cellAt(28, 0)->text(QAccessible::Name), u"-> 02 вопрос 03"_s);
}

QTEST_MAIN(TestJournalWindow)
#include "tst_journal_window.moc"
