// The answer sounds and the WAV choosers of the sound settings panel,
// through the recording fake of the sound layer.

#include "form_fixture.h"

#include "ui/practice/Unit1.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QTest>
#include <QToolButton>

using namespace quz::test;

namespace {

FormFixture::Options withSettings(const QString &settings)
{
    FormFixture::Options options;
    options.settings = settings;
    return options;
}

struct Window {
    explicit Window(const QString &settings)
        : fixture(withSettings(settings))
    {}
    TForm1 &f() { return *fixture.f1(); }
    FormFixture fixture;
    ProgramDir &dir = fixture.dir;
};

} // namespace

class TestSounds : public QObject {
    Q_OBJECT
private slots:
    void answerSounds_data();
    void answerSounds();
    void chooserKeepsEachSidesPath();
    void cancelPreviewsOldFile();
    void choicesSurviveRestart();
    void panelSwapsWithControlStrip();
};

void TestSounds::answerSounds_data()
{
    QTest::addColumn<QString>("settings");
    QTest::addColumn<QStringList>("wrong");
    QTest::addColumn<QStringList>("right");
    QTest::newRow("defaults: tones only")
        << QString() << QStringList{"tone 200 100"} << QStringList{"tone 700 100"};
    QTest::newRow("tone then WAV")
        << QStringLiteral("WavErr=1\r\nWavOn=1\r\n[prog]\r\nWavErr=/e.wav\r\nWavYes=/y.wav\r\n")
        << QStringList{"tone 200 100", "wav /e.wav"} << QStringList{"tone 700 100", "wav /y.wav"};
    QTest::newRow("WAV on, no file chosen: empty path passed")
        << QStringLiteral("WavErr=1\r\nbeepErr=0\r\nbeep=0\r\n") << QStringList{"wav "}
        << QStringList();
    QTest::newRow("everything off")
        << QStringLiteral("beepErr=0\r\nbeep=0\r\n") << QStringList() << QStringList();
}

void TestSounds::answerSounds()
{
    QFETCH(QString, settings);
    Window w(settings);
    w.f().StartClick();
    w.dir.sound.calls.clear();
    QTest::mouseClick(w.f().questionView->sb[0], Qt::LeftButton); // the answer is 2
    QTEST(w.dir.sound.calls, "wrong");
    w.dir.sound.calls.clear();
    QTest::mouseClick(w.f().questionView->sb[1], Qt::LeftButton);
    QTEST(w.dir.sound.calls, "right");
}

void TestSounds::chooserKeepsEachSidesPath()
{
    Window w(QStringLiteral("WavErr=1\r\nWavOn=1\r\n"));
    QVERIFY(w.f().sbWavErr->isEnabled() && w.f().sbWav->isEnabled());
    w.dir.dialogs.answers = {QStringLiteral("/sounds/err.wav"), QStringLiteral("/sounds/yes.wav")};
    w.f().sbWavErrClick();
    w.f().sbWavClick();
    QCOMPARE(w.f().wavErr->text(), QStringLiteral("/sounds/err.wav"));
    QCOMPARE(w.f().WavYes->text(), QStringLiteral("/sounds/yes.wav"));
    QCOMPARE(w.dir.dialogs.requests.size(), 2);
    QCOMPARE(w.dir.dialogs.requests[0].title, QStringLiteral("Выберите звуковой файл"));
    QCOMPARE(w.dir.dialogs.requests[0].filter, QStringLiteral("WAV|*.wav"));
    QCOMPARE(w.dir.dialogs.requests[0].initialFile, QString());
    // The second chooser opens on its own (empty) path, not on the first's.
    QCOMPARE(w.dir.dialogs.requests[1].initialFile, QString());
    QCOMPARE(w.f().sbWavErr->toolTip(), QStringLiteral("/sounds/err.wav"));
    QCOMPARE(w.dir.sound.calls, (QStringList{"wav /sounds/err.wav", "wav /sounds/yes.wav"}));
}

void TestSounds::cancelPreviewsOldFile()
{
    Window w(QStringLiteral("WavErr=1\r\n[prog]\r\nWavErr=/old.wav\r\n"));
    w.f().sbWavErrClick(); // no answer queued: cancelled
    QCOMPARE(w.dir.dialogs.requests.front().initialFile, QStringLiteral("/old.wav"));
    QCOMPARE(w.f().wavErr->text(), QStringLiteral("/old.wav"));
    QCOMPARE(w.dir.sound.calls, QStringList{"wav /old.wav"});
}

void TestSounds::choicesSurviveRestart()
{
    ProgramDir *dir = nullptr;
    Window w(QStringLiteral("WavOn=1\r\n[prog]\r\nWavYes=/yes.wav\r\n"));
    dir = &w.dir;
    w.f().wavOn->setChecked(false);
    w.f().wavOnClick();
    QVERIFY(!w.f().sbWav->isEnabled());
    w.f().beepErr->setChecked(false);
    w.f().close();
    w.fixture.forms.reset();
    Forms again(*dir);
    QVERIFY(!again.form1->wavOn->isChecked());
    QVERIFY(!again.form1->sbWav->isEnabled());
    QCOMPARE(again.form1->sbWav->toolTip(), QStringLiteral("/yes.wav"));
    QVERIFY(!again.form1->beepErr->isChecked());
    QVERIFY(again.form1->beep->isChecked());
}

void TestSounds::panelSwapsWithControlStrip()
{
    Window w{QString()};
    QVERIFY(w.f().Panel4->isVisible() && !w.f().Panel5->isVisible());
    QTest::mouseClick(w.f().SpeedButton1, Qt::LeftButton);
    QVERIFY(!w.f().Panel4->isVisible() && w.f().Panel5->isVisible());
    QVERIFY(!w.f().Start->isVisible());
    QTest::mouseClick(w.f().SpeedButton2, Qt::LeftButton);
    QVERIFY(w.f().Panel4->isVisible() && !w.f().Panel5->isVisible());
    QCOMPARE(w.f().Panel4->geometry().bottom(), w.f().height() - 19 - 1);
}

QTEST_MAIN(TestSounds)
#include "tst_sounds.moc"
