// The real platform layer: chooser filter and suffix rules, the dialogs
// driven through their own widgets, the clock's formats, and the sound
// layer on a machine that may have no audio output at all.

#include "ui/platform/qt_dialogs.h"
#include "ui/platform/qt_sound.h"
#include "ui/platform/system_clock.h"

#include <QAbstractButton>
#include <QApplication>
#include <QAudioDevice>
#include <QAudioFormat>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMediaDevices>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstring>
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

QByteArray wavFile(int sampleRate, const QByteArray &pcm16)
{
    auto le32 = [](quint32 v) {
        QByteArray b(4, '\0');
        for (int i = 0; i < 4; ++i)
            b[i] = char((v >> (8 * i)) & 0xff);
        return b;
    };
    auto le16 = [](quint16 v) { return QByteArray(1, char(v & 0xff)) + char(v >> 8); };
    return "RIFF" + le32(36 + pcm16.size()) + "WAVE" + "fmt " + le32(16) + le16(1) + le16(1)
           + le32(sampleRate) + le32(sampleRate * 2) + le16(2) + le16(16) + "data"
           + le32(pcm16.size()) + pcm16;
}

qint16 sample16(const QByteArray &pcm, qsizetype index)
{
    qint16 v;
    std::memcpy(&v, pcm.constData() + index * 2, 2);
    return v;
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

    void renderTone_data();
    void renderTone();
    void toneShape();
    void soundCalls();
    void soundInOtherEnvironments_data();
    void soundInOtherEnvironments();

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

void TestQtPlatform::renderTone_data()
{
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("sampleFormat");
    QTest::addColumn<int>("hz");
    QTest::addColumn<int>("ms");
    QTest::addColumn<int>("bytes");

    QTest::newRow("error tone, 16 bit mono")
        << 44100 << 1 << int(QAudioFormat::Int16) << 200 << 100 << 4410 * 2;
    QTest::newRow("right tone, float stereo")
        << 48000 << 2 << int(QAudioFormat::Float) << 700 << 100 << 4800 * 2 * 4;
    QTest::newRow("8 bit") << 8000 << 1 << int(QAudioFormat::UInt8) << 700 << 100 << 800;
    QTest::newRow("32 bit") << 22050 << 1 << int(QAudioFormat::Int32) << 700 << 20 << 441 * 4;
    QTest::newRow("shorter than the fades")
        << 44100 << 1 << int(QAudioFormat::Int16) << 700 << 1 << 44 * 2;
    QTest::newRow("zero duration") << 44100 << 1 << int(QAudioFormat::Int16) << 700 << 0 << 0;
    QTest::newRow("zero frequency") << 44100 << 1 << int(QAudioFormat::Int16) << 0 << 100 << 0;
    QTest::newRow("unknown sample format")
        << 44100 << 1 << int(QAudioFormat::Unknown) << 700 << 100 << 0;
}

void TestQtPlatform::renderTone()
{
    QFETCH(int, rate);
    QFETCH(int, channels);
    QFETCH(int, sampleFormat);
    QFETCH(int, hz);
    QFETCH(int, ms);
    QFETCH(int, bytes);

    QAudioFormat format;
    format.setSampleRate(rate);
    format.setChannelCount(channels);
    format.setSampleFormat(QAudioFormat::SampleFormat(sampleFormat));
    const QByteArray pcm = platform::renderTone(hz, ms, format);
    QCOMPARE(pcm.size(), bytes);
    if (pcm.isEmpty())
        return;

    // Every channel carries the same signal, and the first frame is silence.
    const int frameBytes = format.bytesPerFrame();
    for (qsizetype at = 0; at < pcm.size(); at += frameBytes) {
        for (int c = 1; c < channels; ++c)
            QCOMPARE(pcm.mid(at + c * format.bytesPerSample(), format.bytesPerSample()),
                     pcm.mid(at, format.bytesPerSample()));
    }
    QVERIFY(std::abs(format.normalizedSampleValue(pcm.constData())) < 0.01f);
}

// The 200 Hz tone: half-scale peak, no click at either end, and the pitch
// asked for (two sign changes per period).
void TestQtPlatform::toneShape()
{
    QAudioFormat format;
    format.setSampleRate(44100);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    const QByteArray pcm = platform::renderTone(200, 100, format);
    const qsizetype frames = pcm.size() / 2;
    QCOMPARE(frames, 4410);

    int peak = 0;
    int crossings = 0;
    for (qsizetype i = 0; i < frames; ++i) {
        peak = std::max(peak, std::abs(int(sample16(pcm, i))));
        if (i > 0 && (sample16(pcm, i - 1) < 0) != (sample16(pcm, i) < 0))
            ++crossings;
    }
    QVERIFY2(peak > 15000 && peak <= 16384, qPrintable(QString::number(peak)));
    QVERIFY2(std::abs(crossings - 40) <= 1, qPrintable(QString::number(crossings)));
    QVERIFY(std::abs(sample16(pcm, 1)) < 200);
    QVERIFY(std::abs(sample16(pcm, frames - 1)) < 200);
    QVERIFY(std::abs(sample16(pcm, frames - 2)) < 200);
}

// Every call the answer sounds make returns, whatever the machine offers.
// With QUZ_EXPECT_AUDIO_OUTPUT set the caller has arranged an output device,
// which must then be in use.
void TestQtPlatform::soundCalls()
{
    if (qEnvironmentVariableIsSet("QUZ_EXPECT_AUDIO_OUTPUT"))
        QVERIFY(!QMediaDevices::defaultAudioOutput().isNull());

    const QString garbage = m_dir.filePath(u"garbage.wav"_qs);
    const QString wav = m_dir.filePath(u"short.wav"_qs);
    {
        QFile file(garbage);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("RIFF1234WAVEjunk and more junk, not a sound at all");
        QFile good(wav);
        QVERIFY(good.open(QIODevice::WriteOnly));
        QAudioFormat format;
        format.setSampleRate(8000);
        format.setChannelCount(1);
        format.setSampleFormat(QAudioFormat::Int16);
        good.write(wavFile(8000, platform::renderTone(440, 50, format)));
    }

    const QList<std::pair<const char *, std::function<void(QtSound &)>>> calls{
        {"error tone", [](QtSound &s) { s.tone(200, 100); }},
        {"right tone", [](QtSound &s) { s.tone(700, 100); }},
        {"zero tone", [](QtSound &s) { s.tone(700, 0); }},
        {"empty path", [](QtSound &s) { s.playWav(QString()); }},
        {"missing file", [](QtSound &s) { s.playWav(u"/no/such.wav"_qs); }},
        {"garbage file", [&](QtSound &s) { s.playWav(garbage); }},
        {"a folder", [&](QtSound &s) { s.playWav(m_dir.path()); }},
        {"playable file", [&](QtSound &s) { s.playWav(wav); }},
        {"cut off by the next", [&](QtSound &s) { s.playWav(wav); }},
        {"tone after a wav", [](QtSound &s) { s.tone(200, 100); }},
        {"garbage after a wav", [&](QtSound &s) { s.playWav(garbage); }},
    };

    QtSound sound;
    for (const auto &[name, call] : calls) {
        QElapsedTimer clock;
        clock.start();
        call(sound);
        QVERIFY2(clock.elapsed() < kHangGuardMs, name);
        // Let the player's queued work run between the calls.
        QCoreApplication::processEvents();
    }
}

void TestQtPlatform::soundInOtherEnvironments_data()
{
    QTest::addColumn<QString>("setup");
    QTest::newRow("no audio service") << u"none"_qs;
    QTest::newRow("ALSA null device") << u"alsa-null"_qs;
    QTest::newRow("silent PulseAudio server") << u"pulse-null"_qs;
}

// soundCalls again, in a child process whose audio environment is fixed
// before the audio layer starts.
void TestQtPlatform::soundInOtherEnvironments()
{
    QFETCH(QString, setup);
    if (qEnvironmentVariableIsSet("QUZ_SOUND_CHILD"))
        QSKIP("already the child process");

    QTemporaryDir home;
    QVERIFY(home.isValid());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"QUZ_SOUND_CHILD"_qs, u"1"_qs);
    env.insert(u"HOME"_qs, home.path());
    env.insert(u"XDG_RUNTIME_DIR"_qs, home.path());
    env.insert(u"PULSE_SERVER"_qs, u"unix:"_qs + home.filePath(u"no-server"_qs));
    env.remove(u"QUZ_EXPECT_AUDIO_OUTPUT"_qs);

    QProcess server;
    if (setup == u"alsa-null") {
        QFile asoundrc(home.filePath(u".asoundrc"_qs));
        QVERIFY(asoundrc.open(QIODevice::WriteOnly));
        asoundrc.write("pcm.!default { type null }\n");
    } else if (setup == u"pulse-null") {
        const QString pulse = QStandardPaths::findExecutable(u"pulseaudio"_qs);
        if (pulse.isEmpty())
            QSKIP("no pulseaudio executable on this machine");
        const QString socket = home.filePath(u"pulse-native"_qs);
        QProcessEnvironment serverEnv = env;
        serverEnv.remove(u"PULSE_SERVER"_qs);
        server.setProcessEnvironment(serverEnv);
        server.setStandardOutputFile(QProcess::nullDevice());
        server.setStandardErrorFile(QProcess::nullDevice());
        server.start(pulse, {u"-n"_qs, u"--daemonize=no"_qs, u"--exit-idle-time=-1"_qs,
                             u"--disallow-exit"_qs, u"--use-pid-file=no"_qs, u"--system=no"_qs,
                             u"-L"_qs, u"module-null-sink"_qs, u"-L"_qs,
                             u"module-native-protocol-unix auth-anonymous=1 socket="_qs + socket});
        if (!server.waitForStarted())
            QSKIP("pulseaudio does not start");
        QTRY_VERIFY_WITH_TIMEOUT(
            QFileInfo::exists(socket) || server.state() == QProcess::NotRunning, 10000);
        if (server.state() == QProcess::NotRunning)
            QSKIP("pulseaudio ended at once");
        env.insert(u"PULSE_SERVER"_qs, u"unix:"_qs + socket);
        env.insert(u"QUZ_EXPECT_AUDIO_OUTPUT"_qs, u"1"_qs);
    }

    QProcess child;
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {u"soundCalls"_qs});
    const bool ended = child.waitForFinished(60000);
    if (!ended)
        child.kill();
    if (server.state() != QProcess::NotRunning) {
        server.terminate();
        if (!server.waitForFinished(5000))
            server.kill();
    }
    const QByteArray output = child.readAll();
    QVERIFY2(ended, output.constData());
    QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0,
             output.constData());
}

QTEST_MAIN(TestQtPlatform)
#include "tst_qt_platform.moc"
