// The main window against damaged and hostile settings files: a creation
// that failed leaves the user's values alone, a refused close writes nothing
// and says so once, the file is written through links and keeps its rights,
// window rectangles are fitted to the screen, and values at the limits of
// int do not overflow.

#include "form_fixture.h"

#include "ui/comment/Unit2.h"
#include "ui/journal/Unit3.h"
#include "ui/platform/control_state.h"
#include "ui/practice/Unit1.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QTextEdit>

#include <sys/stat.h>
#include <unistd.h>

using namespace quz::test;

namespace {

// The user's own values, none of them the design default.
const QString kUserSettings = QStringLiteral(
    "[SCR]\r\nleft=20\r\ntop=30\r\nheight=385\r\nwidth=571\r\n"
    "[prg]\r\nnBilet=07\r\nnVopros=05\r\nst=3\r\nen=9\r\nrnd=1\r\nares=0\r\nbeep=0\r\n"
    "beepErr=0\r\nkoment=0\r\nfirst=0\r\n; мои заметки\r\n");

QStringList folderEntries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                  | QDir::NoDotAndDotDot);
}

mode_t modeOf(const QString &path)
{
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st.st_mode & 07777;
}

// Closes the main window of a window set whose secondary windows are hidden,
// so that the close batch is the only write.
void closeMain(Forms &forms, ProgramDir &dir)
{
    forms.form2->hide();
    forms.form3->hide();
    dir.dialogs.shown.clear();
    forms.form1->close();
}

} // namespace

class TestSettingsSafety : public QObject {
    Q_OBJECT
private slots:
    void failedCreationKeepsSettings_data();
    void failedCreationKeepsSettings();
    void refusedCloseWritesNothing_data();
    void refusedCloseWritesNothing();
    void closeRespectsTheFile_data();
    void closeRespectsTheFile();
    void geometryFitted_data();
    void geometryFitted();
    void valuesAtIntLimits();
};

void TestSettingsSafety::failedCreationKeepsSettings_data()
{
    QTest::addColumn<QString>("notes");
    QTest::addColumn<QString>("reason");
    QTest::newRow("install notes missing")
        << QString() << QStringLiteral("No such file or directory");
    QTest::newRow("install notes are a folder")
        << QStringLiteral("folder") << QStringLiteral("Is a directory");
    QTest::newRow("install notes too large")
        << QStringLiteral("large")
        << QStringLiteral("File too large (16777217 bytes; at most "
                          "16777216 bytes are read)");
}

void TestSettingsSafety::failedCreationKeepsSettings()
{
    QFETCH(QString, notes);
    QFETCH(QString, reason);
    ProgramDir dir;
    writeProgramData(dir);
    QVERIFY(QFile::remove(dir.path(QStringLiteral("bmp/Quz_1_10.jpg"))));
    const QString notesPath = dir.path(QStringLiteral("Установка!!!.txt"));
    if (notes == QLatin1String("folder")) {
        QVERIFY(QDir().mkdir(notesPath));
    } else if (notes == QLatin1String("large")) {
        QFile big(notesPath);
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize(16 * 1024 * 1024 + 1)); // sparse: no disk space used
    }
    dir.writeSettings(kUserSettings);
    const QByteArray before = dir.settings();
    {
        Forms forms(dir);
        forms.form1->show();
        QCOMPARE(dir.dialogs.errors(),
                 QStringList{quz::Dialogs::failureText(
                     QStringLiteral("Cannot open file \"%1\". %2").arg(notesPath, reason))});
        forms.form1->close();
    }
    QCOMPARE(dir.settings(), before);
    QCOMPARE(dir.dialogs.errors().size(), 1);

    // The next start with readable install notes reads the user's values.
    if (notes == QLatin1String("folder"))
        QVERIFY(QDir().rmdir(notesPath));
    dir.write(QStringLiteral("Установка!!!.txt"), QByteArray());
    Forms again(dir);
    QVERIFY(!again.form1->autoRes->isChecked());
    QVERIFY(!again.form1->beep->isChecked());
    QVERIFY(!again.form1->chbKoment->isChecked());
    QCOMPARE(again.form1->NumBilet->text(), QStringLiteral("07"));
}

void TestSettingsSafety::refusedCloseWritesNothing_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("read-only settings file") << QStringLiteral("readOnly");
    QTest::newRow("link to a read-only settings file") << QStringLiteral("readOnlyTarget");
    QTest::newRow("settings file too large to read") << QStringLiteral("large");
}

void TestSettingsSafety::refusedCloseWritesNothing()
{
    QFETCH(QString, kind);
    ProgramDir dir;
    writeProgramData(dir);
    QString file = dir.settingsFile();
    if (kind == QLatin1String("readOnlyTarget")) {
        QVERIFY(QDir(dir.dir.path()).mkdir(QStringLiteral("real")));
        file = dir.path(QStringLiteral("real/quz.ini"));
        QVERIFY(QFile::link(file, dir.settingsFile()));
    }
    if (kind == QLatin1String("large"))
        dir.writeSettings(kUserSettings + QString(1024 * 1024, u'x'));
    else
        dir.writeSettings(kUserSettings);
    if (kind != QLatin1String("large"))
        QCOMPARE(::chmod(QFile::encodeName(file).constData(), 0444), 0);
    const QByteArray before = dir.settings();
    {
        Forms forms(dir);
        forms.form1->show();
        forms.form1->rnd->setChecked(false);
        closeMain(forms, dir);
    }
    QCOMPARE(dir.dialogs.errors(),
             QStringList{QStringLiteral("Unable to write to %1.").arg(dir.settingsFile())});
    QCOMPARE(dir.settings(), before);
    QVERIFY(QFileInfo(dir.settingsFile()).exists());
    for (const QString &name : folderEntries(QFileInfo(file).absolutePath()))
        QVERIFY2(!name.endsWith(QLatin1String(".tmp")), qPrintable(name));
}

void TestSettingsSafety::closeRespectsTheFile_data()
{
    QTest::addColumn<bool>("link");
    QTest::addColumn<int>("mode");
    QTest::newRow("private file keeps its rights") << false << 0600;
    QTest::newRow("shared file keeps its rights") << false << 0664;
    QTest::newRow("symbolic link: target written, link kept") << true << 0640;
}

void TestSettingsSafety::closeRespectsTheFile()
{
    QFETCH(bool, link);
    QFETCH(int, mode);
    ProgramDir dir;
    writeProgramData(dir);
    QString file = dir.settingsFile();
    if (link) {
        QVERIFY(QDir(dir.dir.path()).mkdir(QStringLiteral("config")));
        file = dir.path(QStringLiteral("config/quz.ini"));
        QVERIFY(QFile::link(QStringLiteral("config/quz.ini"), dir.settingsFile()));
    }
    dir.writeSettings(kUserSettings);
    QCOMPARE(::chmod(QFile::encodeName(file).constData(), mode_t(mode)), 0);
    {
        Forms forms(dir);
        forms.form1->show();
        forms.form1->rnd->setChecked(false);
        closeMain(forms, dir);
    }
    QVERIFY(dir.dialogs.errors().isEmpty());
    QCOMPARE(QFileInfo(dir.settingsFile()).isSymLink(), link);
    QCOMPARE(modeOf(file), mode_t(mode));
    QFile written(file);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray content = written.readAll();
    QVERIFY(content.contains("rnd=0\r\n"));
    QVERIFY(content.contains("ares=0\r\n"));
    QVERIFY(content.contains("; \xec\xee\xe8 \xe7\xe0\xec\xe5\xf2\xea\xe8\r\n")); // the user's note
    for (const QString &name : folderEntries(QFileInfo(file).absolutePath()))
        QVERIFY2(!name.endsWith(QLatin1String(".tmp")), qPrintable(name));
}

void TestSettingsSafety::geometryFitted_data()
{
    QTest::addColumn<QString>("settings");
    QTest::addColumn<int>("window");
    QTest::addColumn<QRect>("expected"); // empty: fits the screen, position not fixed
    QTest::newRow("main window 999999 x 999999")
        << QStringLiteral("[SCR]\r\nwidth=999999\r\nheight=999999\r\n") << 1 << QRect();
    QTest::newRow("main window far off the screen")
        << QStringLiteral("[SCR]\r\nleft=-99999\r\ntop=99999\r\n") << 1 << QRect();
    QTest::newRow("main window at the int limits")
        << QStringLiteral("[SCR]\r\nleft=2147483647\r\ntop=-2147483648\r\nwidth=2147483647\r\n"
                          "height=-2147483648\r\n")
        << 1 << QRect();
    QTest::newRow("main window partly off the screen: as read")
        << QStringLiteral("[SCR]\r\nleft=-100\r\ntop=50\r\nwidth=610\r\nheight=472\r\n") << 1
        << QRect(-100, 50, 610, 472);
    QTest::newRow("comment window 999999 wide")
        << QStringLiteral("[SCR]\r\nwidth2=999999\r\nheight2=97\r\n") << 2 << QRect();
    QTest::newRow("journal window off the screen")
        << QStringLiteral("[SCR]\r\nleft3=50000\r\ntop3=50000\r\n") << 3 << QRect();
}

void TestSettingsSafety::geometryFitted()
{
    QFETCH(QString, settings);
    QFETCH(int, window);
    QFETCH(QRect, expected);
    ProgramDir dir;
    writeProgramData(dir);
    dir.writeSettings(settings + QStringLiteral("[prg]\r\nfirst=0\r\n"));
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QRect placed;
    {
        Forms forms(dir);
        forms.form1->show();
        QWidget *w = window == 1   ? static_cast<QWidget *>(forms.form1.get())
                     : window == 2 ? static_cast<QWidget *>(forms.form2.get())
                                   : static_cast<QWidget *>(forms.form3.get());
        w->show();
        placed = w->frameGeometry();
        QVERIFY2(placed.intersects(area), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                         .arg(placed.x())
                                                         .arg(placed.y())
                                                         .arg(placed.width())
                                                         .arg(placed.height())));
        QVERIFY(placed.width() <= area.width() && placed.height() <= area.height());
        if (!expected.isEmpty())
            QCOMPARE(placed, expected);
        forms.form2->hide();
        forms.form3->hide();
        forms.form1->close();
    }
    // What was applied is written back: the next start gets the same window.
    Forms again(dir);
    QWidget *w = window == 1   ? static_cast<QWidget *>(again.form1.get())
                 : window == 2 ? static_cast<QWidget *>(again.form2.get())
                               : static_cast<QWidget *>(again.form3.get());
    w->show();
    QCOMPARE(w->frameGeometry(), placed);
}

void TestSettingsSafety::valuesAtIntLimits()
{
    ProgramDir dir;
    writeProgramData(dir);
    dir.writeSettings(QStringLiteral("[prg]\r\nen=2147483647\r\nnVopros=2147483647\r\n"
                                     "st=2147483647\r\nfirst=2147483647\r\n"
                                     "[SCR]\r\nleft=2147483647\r\ntop=2147483647\r\n"
                                     "height=2147483647\r\nwidth=2147483647\r\n"));
    Forms forms(dir);
    TForm1 &f = *forms.form1;
    f.show();
    QCOMPARE(f.laSt->text(), QStringLiteral("2147483647"));
    QCOMPARE(f.laEn->text(), QStringLiteral("2147483647"));
    QCOMPARE(f.NumVop->text(), QStringLiteral("2147483647"));
    // The comment of question 2147483647 and the caption animation from the
    // first-run value.
    f.ErrKoment();
    QCOMPARE(forms.form2->Koment->toPlainText(), QString());
    f.Timer1Timer();

    // The next question after the largest int: the next ticket at the range start.
    f.addVopros();
    QCOMPARE(f.NumBilet->text(), QStringLiteral("02"));
    QCOMPARE(f.NumVop->text(), QStringLiteral("2147483647"));
    f.StartClick();
    QVERIFY(f.isRunning());
    f.StartClick();
    QVERIFY(!f.isRunning());

    // The arrows bring both ends back into 1..20.
    f.SpinButton1UpClick();
    QCOMPARE(f.laSt->text(), QStringLiteral("20"));
    f.SpinButton2UpClick();
    QCOMPARE(f.laEn->text(), QStringLiteral("20"));
    QCOMPARE(f.NumVop->text(), QStringLiteral("20"));
    forms.form2->hide();
    forms.form3->hide();
    f.close();
    QVERIFY(dir.settings().contains("st=20\r\n"));
    QVERIFY(dir.settings().contains("en=20\r\n"));
}

QTEST_MAIN(TestSettingsSafety)
#include "tst_settings_safety.moc"
