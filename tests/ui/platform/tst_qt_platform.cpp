// The real platform layer: chooser filter and suffix rules, the dialogs
// driven through their own widgets, the clock's formats, and the loading of
// the sound module (its sounds: tst_multimedia_sound).

#include "ui/platform/qt_dialogs.h"
#include "ui/platform/qt_sound.h"
#include "ui/platform/system_clock.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace quz;
using namespace quz::platform;

namespace {

// Bound for "returns at all": far above any sound the tests ask for.
constexpr qint64 kHangGuardMs = 5000;

// Runs `action` on the first modal widget of type T once it is showing (the
// modal loop of the code under test is running then). A box that is still
// open after the guard time is closed, so a failing test cannot hang.
template <typename T>
class WhenModal {
public:
    explicit WhenModal(std::function<void(T *)> action)
        : m_action(std::move(action))
    {
        m_clock.start();
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start();
    }
    bool ran() const { return m_ran; }

private:
    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (T *widget = qobject_cast<T *>(modal); widget && widget->isVisible()) {
            m_timer.stop();
            m_ran = true;
            m_action(widget);
        } else if (modal && m_clock.elapsed() > kHangGuardMs) {
            m_timer.stop();
            if (auto *dialog = qobject_cast<QDialog *>(modal))
                dialog->reject();
        }
    }

    std::function<void(T *)> m_action;
    QTimer m_timer;
    QElapsedTimer m_clock;
    bool m_ran = false;
};

// Whether a library of this file name (up to its version) is mapped into
// this process.
bool mapped(const QByteArray &library)
{
    QFile maps(u"/proc/self/maps"_qs);
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains('/' + library + ".so");
}

} // namespace

class TestQtPlatform : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void nameFilters_data();
    void nameFilters();
    void defaultSuffix_data();
    void defaultSuffix();
    void openFile_data();
    void openFile();
    void openFileCancelled();
    void openSeveralFiles();
    void boxes_data();
    void boxes();
    void confirm_data();
    void confirm();

    void withoutTimeZone_data();
    void withoutTimeZone();
    void clockFormat_data();
    void clockFormat();
    void clockUsesCapturedFormat();

    void soundModuleLoadsAtFirstSound();
    void soundModuleUnusable_data();
    void soundModuleUnusable();

private:
    QTemporaryDir m_dir;
};

void TestQtPlatform::initTestCase() { QVERIFY(m_dir.isValid()); }

void TestQtPlatform::nameFilters_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("wav chooser") << u"WAV|*.wav"_qs << QStringList{u"WAV (*.wav)"_qs};
    QTest::newRow("journal chooser")
        << u"Ошибки QUZ|*.quz"_qs << QStringList{u"Ошибки QUZ (*.quz)"_qs};
    QTest::newRow("two entries") << u"WAV|*.wav|Все|*.*"_qs
                                 << QStringList{u"WAV (*.wav)"_qs, u"Все (*.*)"_qs};
    QTest::newRow("patterns joined by semicolon")
        << u"Text|*.txt;*.quz"_qs << QStringList{u"Text (*.txt *.quz)"_qs};
    QTest::newRow("blanks around patterns")
        << u"Text| *.txt ; *.quz"_qs << QStringList{u"Text (*.txt *.quz)"_qs};
    QTest::newRow("empty filter") << QString() << QStringList();
    QTest::newRow("label without pattern") << u"WAV"_qs << QStringList();
    QTest::newRow("trailing label dropped")
        << u"WAV|*.wav|Все"_qs << QStringList{u"WAV (*.wav)"_qs};
    QTest::newRow("empty pattern dropped") << u"WAV||Все|*"_qs << QStringList{u"Все (*)"_qs};
}

void TestQtPlatform::nameFilters()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    QCOMPARE(qtNameFilters(filter), expected);
}

void TestQtPlatform::defaultSuffix_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("expected");

    QTest::newRow("typed without extension")
        << u"/home/u/journal"_qs << u"quz"_qs << u"/home/u/journal.quz"_qs;
    QTest::newRow("other extension kept")
        << u"/home/u/journal.txt"_qs << u"quz"_qs << u"/home/u/journal.txt"_qs;
    QTest::newRow("dot only in the folder")
        << u"/home/u.v/journal"_qs << u"quz"_qs << u"/home/u.v/journal.quz"_qs;
    QTest::newRow("trailing dot is an extension")
        << u"/home/u/journal."_qs << u"quz"_qs << u"/home/u/journal."_qs;
    QTest::newRow("suffix given with dot")
        << u"/home/u/journal"_qs << u".quz"_qs << u"/home/u/journal.quz"_qs;
    QTest::newRow("no default suffix")
        << u"/home/u/journal"_qs << QString() << u"/home/u/journal"_qs;
    QTest::newRow("folder") << u"/home/u/"_qs << u"quz"_qs << u"/home/u/"_qs;
    QTest::newRow("empty path") << QString() << u"quz"_qs << QString();
}

void TestQtPlatform::defaultSuffix()
{
    QFETCH(QString, path);
    QFETCH(QString, suffix);
    QFETCH(QString, expected);
    QCOMPARE(withDefaultSuffix(path, suffix), expected);
}

void TestQtPlatform::openFile_data()
{
    QTest::addColumn<QString>("initial");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("expectedName");

    QTest::newRow("new name gets the suffix")
        << u"old.quz"_qs << u"fresh"_qs << u"quz"_qs << u"fresh.quz"_qs;
    QTest::newRow("new name with extension")
        << u"old.quz"_qs << u"fresh.txt"_qs << u"quz"_qs << u"fresh.txt"_qs;
    QTest::newRow("preset name accepted")
        << u"old.quz"_qs << QString() << u"quz"_qs << u"old.quz"_qs;
    QTest::newRow("no suffix wanted") << u"sound.wav"_qs << u"beep"_qs << QString() << u"beep"_qs;
}

// The chooser is driven through its own widgets: the preset name and folder
// must be in place, a typed name of a missing file must be taken as it is.
void TestQtPlatform::openFile()
{
    QFETCH(QString, initial);
    QFETCH(QString, typed);
    QFETCH(QString, suffix);
    QFETCH(QString, expectedName);

    const QString folder = m_dir.filePath(u"choose"_qs);
    QVERIFY(QDir().mkpath(folder));
    QFile existing(folder + u"/old.quz"_qs);
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.close();

    OpenFileRequest request;
    request.title = u"Укажите файл."_qs;
    request.filter = u"Ошибки QUZ|*.quz"_qs;
    request.defaultSuffix = suffix;
    request.initialFile = folder + u'/' + initial;

    QString seenTitle, seenFolder, seenName, seenSuffix;
    QStringList seenFilters;
    QFileDialog::FileMode seenMode = QFileDialog::Directory;
    QFileDialog::AcceptMode seenAccept = QFileDialog::AcceptSave;
    bool nonNative = false;
    WhenModal<QFileDialog> driver([&](QFileDialog *dialog) {
        seenTitle = dialog->windowTitle();
        seenFolder = dialog->directory().absolutePath();
        seenFilters = dialog->nameFilters();
        seenSuffix = dialog->defaultSuffix();
        seenMode = dialog->fileMode();
        seenAccept = dialog->acceptMode();
        nonNative = dialog->testOption(QFileDialog::DontUseNativeDialog);
        auto *edit = dialog->findChild<QLineEdit *>(u"fileNameEdit"_qs);
        if (!edit) {
            dialog->reject();
            return;
        }
        seenName = edit->text();
        if (!typed.isEmpty()) {
            // Typed as a user types: the name field has the focus, so the
            // preset file's selection in the list gives way to the new name.
            QApplication::setActiveWindow(dialog);
            edit->setFocus();
            edit->selectAll();
            QTest::keyClicks(edit, typed);
        }
        static_cast<QDialog *>(dialog)->accept(); // QFileDialog::accept, as the Open button
    });

    QtDialogs dialogs;
    const std::optional<QString> chosen = dialogs.openFile(nullptr, request);

    QVERIFY(driver.ran());
    QCOMPARE(seenTitle, request.title);
    QCOMPARE(seenFolder, QDir(folder).absolutePath());
    QCOMPARE(seenName, initial);
    QCOMPARE(seenFilters, QStringList{u"Ошибки QUZ (*.quz)"_qs});
    QCOMPARE(seenSuffix, suffix);
    QCOMPARE(seenMode, QFileDialog::AnyFile);
    QCOMPARE(seenAccept, QFileDialog::AcceptOpen);
    QVERIFY(nonNative);
    QVERIFY(chosen.has_value());
    QCOMPARE(*chosen, QDir(folder).absoluteFilePath(expectedName));
}

void TestQtPlatform::openFileCancelled()
{
    WhenModal<QFileDialog> driver([](QFileDialog *dialog) { dialog->reject(); });
    QtDialogs dialogs;
    OpenFileRequest request;
    request.title = u"Выберите звуковой файл"_qs;
    request.filter = u"WAV|*.wav"_qs;
    request.initialFile = m_dir.filePath(u"sound.wav"_qs);
    QCOMPARE(dialogs.openFile(nullptr, request), std::nullopt);
    QVERIFY(driver.ran());
}

// Two existing files typed into the name field, as the chooser quotes them.
void TestQtPlatform::openSeveralFiles()
{
    const QString folder = m_dir.filePath(u"several"_qs);
    QVERIFY(QDir().mkpath(folder));
    for (const QString &name : {u"a.quz"_qs, u"b.quz"_qs}) {
        QFile f(folder + u'/' + name);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QFileDialog::FileMode seenMode = QFileDialog::AnyFile;
    WhenModal<QFileDialog> driver([&](QFileDialog *dialog) {
        seenMode = dialog->fileMode();
        auto *edit = dialog->findChild<QLineEdit *>(u"fileNameEdit"_qs);
        if (!edit) {
            dialog->reject();
            return;
        }
        QApplication::setActiveWindow(dialog);
        edit->setFocus();
        QTest::keyClicks(edit, u"\"a.quz\" \"b.quz\""_qs);
        static_cast<QDialog *>(dialog)->accept();
    });
    QtDialogs dialogs;
    const QStringList chosen = dialogs.openFiles(
        nullptr, {u"Укажите журналы ошибок."_qs, u"Ошибки QUZ|*.quz"_qs, u"quz"_qs, folder + u'/'});
    QVERIFY(driver.ran());
    QCOMPARE(seenMode, QFileDialog::ExistingFiles);
    QCOMPARE(chosen, (QStringList{folder + u"/a.quz"_qs, folder + u"/b.quz"_qs}));
}

void TestQtPlatform::boxes_data()
{
    QTest::addColumn<bool>("error");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("icon");

    QTest::newRow("message") << false << u"Вы ответили на все вопросы! =)"_qs
                             << int(QMessageBox::NoIcon);
    QTest::newRow("error") << true << u"Cannot open file \"a.quz\"."_qs
                           << int(QMessageBox::Critical);
    QTest::newRow("markup shown as text") << true << u"<b>нет</b>"_qs << int(QMessageBox::Critical);
}

void TestQtPlatform::boxes()
{
    QFETCH(bool, error);
    QFETCH(QString, text);
    QFETCH(int, icon);

    QString seenTitle, seenText;
    int seenIcon = -1;
    Qt::TextFormat seenFormat = Qt::AutoText;
    QMessageBox::StandardButtons seenButtons;
    WhenModal<QMessageBox> driver([&](QMessageBox *box) {
        seenTitle = box->windowTitle();
        seenText = box->text();
        seenIcon = int(box->icon());
        seenFormat = box->textFormat();
        seenButtons = box->standardButtons();
        if (QAbstractButton *ok = box->button(QMessageBox::Ok))
            ok->click();
        else
            box->reject();
    });

    QtDialogs dialogs;
    if (error)
        dialogs.errorBox(nullptr, u"quz"_qs, text);
    else
        dialogs.messageBox(nullptr, u"quz"_qs, text);

    QVERIFY(driver.ran());
    QCOMPARE(seenTitle, u"quz"_qs);
    QCOMPARE(seenText, text);
    QCOMPARE(seenIcon, icon);
    QCOMPARE(seenFormat, Qt::PlainText);
    QCOMPARE(seenButtons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

void TestQtPlatform::confirm_data()
{
    QTest::addColumn<QString>("pressed"); // a button's caption, or "Escape"
    QTest::addColumn<bool>("accepted");
    QTest::newRow("the button that goes ahead") << u"Закончить"_qs << true;
    QTest::newRow("the button that leaves it") << u"Продолжить экзамен"_qs << false;
    QTest::newRow("Escape") << u"Escape"_qs << false;
}

void TestQtPlatform::confirm()
{
    QFETCH(QString, pressed);
    QString seenText, seenDefault;
    WhenModal<QMessageBox> driver([&](QMessageBox *box) {
        seenText = box->text();
        seenDefault = box->defaultButton() ? box->defaultButton()->text() : QString();
        if (pressed == u"Escape"_qs) {
            QTest::keyClick(box, Qt::Key_Escape);
            return;
        }
        for (QAbstractButton *button : box->buttons())
            if (button->text() == pressed)
                button->click();
    });
    QtDialogs dialogs;
    const ConfirmRequest request{u"Закончить экзамен?"_qs, u"Закончить"_qs,
                                 u"Продолжить экзамен"_qs};
    QTEST(dialogs.confirm(nullptr, u"QUZ — экзамен"_qs, request), "accepted");
    QVERIFY(driver.ran());
    QCOMPARE(seenText, request.text);
    QCOMPARE(seenDefault, request.reject);
}

void TestQtPlatform::withoutTimeZone_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("expected");

    QTest::newRow("zone at the end") << u"H:mm:ss t"_qs << u"H:mm:ss"_qs;
    QTest::newRow("long zone field") << u"HH:mm:ss tttt"_qs << u"HH:mm:ss"_qs;
    QTest::newRow("zone at the start") << u"t HH:mm:ss"_qs << u"HH:mm:ss"_qs;
    QTest::newRow("zone before am/pm") << u"h:mm:ss t AP"_qs << u"h:mm:ss AP"_qs;
    QTest::newRow("zone without blank") << u"HH:mm:sst"_qs << u"HH:mm:ss"_qs;
    QTest::newRow("quoted t kept") << u"HH 'at' mm t"_qs << u"HH 'at' mm"_qs;
    QTest::newRow("blank in quotes kept") << u"HH' ' t"_qs << u"HH' '"_qs;
    QTest::newRow("no zone") << u"H:mm:ss"_qs << u"H:mm:ss"_qs;
}

void TestQtPlatform::withoutTimeZone()
{
    QFETCH(QString, format);
    QFETCH(QString, expected);
    QCOMPARE(platform::withoutTimeZone(format), expected);
}

void TestQtPlatform::clockFormat_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("expected");

    QTest::newRow("Russian") << QLocale(QLocale::Russian, QLocale::Russia)
                             << u"dd.MM.yyyy HH:mm:ss"_qs;
    QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany)
                            << u"dd.MM.yy HH:mm:ss"_qs;
    QTest::newRow("US English") << QLocale(QLocale::English, QLocale::UnitedStates)
                                << u"M/d/yy h:mm:ss AP"_qs;
}

void TestQtPlatform::clockFormat()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, expected);
    QCOMPARE(SystemClock(locale).format(), expected);
}

// The text is the captured format applied to the current time; the default
// locale of the process, changed later, does not enter into it.
void TestQtPlatform::clockUsesCapturedFormat()
{
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    const SystemClock clock(russian);
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));

    const QString format = u"dd.MM.yyyy HH:mm:ss"_qs;
    const QString earlier = russian.toString(QDateTime::currentDateTime(), format);
    const QString text = clock.nowText();
    const QString later = russian.toString(QDateTime::currentDateTime(), format);
    QLocale::setDefault(before);

    QVERIFY2(text == earlier || text == later, qPrintable(text));
    QVERIFY(QRegularExpression(u"^\\d\\d\\.\\d\\d\\.\\d{4} \\d{1,2}:\\d\\d:\\d\\d$"_qs)
                .match(text)
                .hasMatch());
}

// This process, like the programs, links no audio stack: the module brings
// it with the first call that has something to sound, and not before.
void TestQtPlatform::soundModuleLoadsAtFirstSound()
{
    QVERIFY(!mapped("libQt6Multimedia"));
    QtSound sound(QStringLiteral(QUZ_SOUND_MODULE));
    sound.tone(700, 0);
    sound.playWav(QString());
    QVERIFY(!sound.moduleLoaded());
    QVERIFY(!mapped("libQt6Multimedia"));

    sound.tone(700, 100);
    QVERIFY(sound.moduleLoaded());
    QVERIFY(mapped("libQt6Multimedia"));
}

void TestQtPlatform::soundModuleUnusable_data()
{
    const QString notALibrary = m_dir.filePath(u"quz-sound.so"_qs);
    QFile file(notALibrary);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("not a library");

    QTest::addColumn<QString>("module");
    QTest::newRow("missing") << m_dir.filePath(u"missing.so"_qs);
    QTest::newRow("not a library") << notALibrary;
    QTest::newRow("no entry point")
        << QLibraryInfo::path(QLibraryInfo::LibrariesPath) + u"/libQt6Core.so.6"_qs;
}

// Without a usable module every sound is silently nothing.
void TestQtPlatform::soundModuleUnusable()
{
    QFETCH(QString, module);
    QtSound sound(module);
    QElapsedTimer clock;
    clock.start();
    sound.tone(200, 100);
    sound.playWav(m_dir.filePath(u"some.wav"_qs));
    sound.playWav(QString());
    sound.tone(700, 100);
    QVERIFY(clock.elapsed() < kHangGuardMs);
    QVERIFY(!sound.moduleLoaded());
}

QTEST_MAIN(TestQtPlatform)
#include "tst_qt_platform.moc"
