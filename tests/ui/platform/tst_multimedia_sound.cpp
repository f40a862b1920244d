// The sound module's Qt Multimedia side: the tone's samples, and every call
// the answer sounds make, through the module as the programs load it, on a
// machine that may have no audio output at all.

#include "ui/platform/qt_sound.h"
#include "ui/platform/sound/multimedia_sound.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <functional>

using namespace quz;
using namespace quz::platform;

namespace {

// Bound for "returns at all": far above any sound the tests ask for.
constexpr qint64 kHangGuardMs = 5000;

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

class TestMultimediaSound : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void renderTone_data();
    void renderTone();
    void toneShape();
    void soundCalls();
    void soundInOtherEnvironments_data();
    void soundInOtherEnvironments();

private:
    QTemporaryDir m_dir;
};

void TestMultimediaSound::renderTone_data()
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

void TestMultimediaSound::renderTone()
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
void TestMultimediaSound::toneShape()
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
void TestMultimediaSound::soundCalls()
{
    const bool output = qEnvironmentVariableIsSet("QUZ_EXPECT_AUDIO_OUTPUT");
    if (output)
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

    // With an output device a tone is waited for: the call returns at its
    // end, the first one too, which loads the module (timers may end it up to
    // 5 % early).
    const int toneMs = output ? 95 : 0;
    struct Call {
        const char *name;
        int leastMs;
        std::function<void(QtSound &)> run;
    };
    const QList<Call> calls{
        {"error tone", toneMs, [](QtSound &s) { s.tone(200, 100); }},
        {"right tone", toneMs, [](QtSound &s) { s.tone(700, 100); }},
        {"zero tone", 0, [](QtSound &s) { s.tone(700, 0); }},
        {"empty path", 0, [](QtSound &s) { s.playWav(QString()); }},
        {"missing file", 0, [](QtSound &s) { s.playWav(u"/no/such.wav"_qs); }},
        {"garbage file", 0, [&](QtSound &s) { s.playWav(garbage); }},
        {"a folder", 0, [&](QtSound &s) { s.playWav(m_dir.path()); }},
        {"playable file", 0, [&](QtSound &s) { s.playWav(wav); }},
        {"cut off by the next", 0, [&](QtSound &s) { s.playWav(wav); }},
        {"tone after a wav", toneMs, [](QtSound &s) { s.tone(200, 100); }},
        {"garbage after a wav", 0, [&](QtSound &s) { s.playWav(garbage); }},
    };

    QtSound sound(QStringLiteral(QUZ_SOUND_MODULE));
    for (const Call &call : calls) {
        QElapsedTimer clock;
        clock.start();
        call.run(sound);
        const qint64 spent = clock.elapsed();
        QVERIFY2(spent < kHangGuardMs, call.name);
        QVERIFY2(spent >= call.leastMs, qPrintable(u"%1: %2 ms"_qs.arg(call.name).arg(spent)));
        // Let the player's queued work run between the calls.
        QCoreApplication::processEvents();
    }
    // The calls went through the module, not past it.
    QVERIFY(sound.moduleLoaded());
}

void TestMultimediaSound::soundInOtherEnvironments_data()
{
    QTest::addColumn<QString>("setup");
    QTest::newRow("no audio service") << u"none"_qs;
    QTest::newRow("ALSA null device") << u"alsa-null"_qs;
    QTest::newRow("silent PulseAudio server") << u"pulse-null"_qs;
}

// soundCalls again, in a child process whose audio environment is fixed
// before the audio layer starts.
void TestMultimediaSound::soundInOtherEnvironments()
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

QTEST_MAIN(TestMultimediaSound)
#include "tst_multimedia_sound.moc"
