#include "ui/platform/sound/multimedia_sound.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QBuffer>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstring>
#include <functional>
#include <mutex>
#include <numbers>

namespace quz::platform {

namespace {

constexpr int kFadeMs = 5;
// How long past its duration a tone may take to start and drain before the
// caller stops waiting for it.
constexpr int kMarginMs = 250;
// An idle output stream is closed this long after its tone has ended.
constexpr int kReleaseMs = 1000;
constexpr double kAmplitude = 0.5;

template <typename T>
void put(char *at, T value)
{
    std::memcpy(at, &value, sizeof value);
}

QAudioFormat toneFormat(const QAudioDevice &device)
{
    QAudioFormat format;
    format.setSampleRate(44100);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (device.isFormatSupported(format))
        return format;
    return device.preferredFormat();
}

} // namespace

QByteArray renderTone(int frequencyHz, int durationMs, const QAudioFormat &format)
{
    if (frequencyHz <= 0 || durationMs <= 0 || format.sampleRate() <= 0
        || format.channelCount() <= 0)
        return {};
    switch (format.sampleFormat()) {
    case QAudioFormat::UInt8:
    case QAudioFormat::Int16:
    case QAudioFormat::Int32:
    case QAudioFormat::Float: break;
    default: return {};
    }

    const int rate = format.sampleRate();
    const int channels = format.channelCount();
    const int sampleBytes = format.bytesPerSample();
    const qint64 frames = qint64(rate) * durationMs / 1000;
    const qint64 fade =
        std::max<qint64>(1, std::min<qint64>(qint64(rate) * kFadeMs / 1000, frames / 2));
    const double step = 2 * std::numbers::pi * frequencyHz / rate;

    QByteArray data(frames * channels * sampleBytes, Qt::Uninitialized);
    char *at = data.data();
    for (qint64 i = 0; i < frames; ++i) {
        const qint64 edge = std::min(i, frames - 1 - i);
        const double envelope = edge < fade ? double(edge) / fade : 1.0;
        const double value = kAmplitude * envelope * std::sin(step * double(i));
        for (int c = 0; c < channels; ++c, at += sampleBytes) {
            switch (format.sampleFormat()) {
            case QAudioFormat::UInt8: put(at, quint8(std::lround(128 + value * 127))); break;
            case QAudioFormat::Int16: put(at, qint16(std::lround(value * 32767))); break;
            case QAudioFormat::Int32: put(at, qint32(std::lround(value * 2147483647.0))); break;
            default: put(at, float(value)); break;
            }
        }
    }
    return data;
}

// Lives on the tone thread: plays one tone at a time on a QAudioSink and
// reports the end of each through `done`. A new tone replaces the one that
// may still be sounding.
class ToneWorker : public QObject {
public:
    std::function<void(quint64)> done;

    ToneWorker()
        : m_deadline(new QTimer(this))
        , m_rest(new QTimer(this))
        , m_release(new QTimer(this))
    {
        for (QTimer *timer : {m_deadline, m_rest, m_release})
            timer->setSingleShot(true);
        connect(m_deadline, &QTimer::timeout, this, [this] {
            release();
            finish();
        });
        connect(m_rest, &QTimer::timeout, this, [this] { finish(); });
        connect(m_release, &QTimer::timeout, this, [this] { release(); });
    }

    ~ToneWorker() override { release(); }

    void play(const QAudioDevice &device, int frequencyHz, int durationMs, quint64 ticket)
    {
        release();
        m_ticket = ticket;
        m_pending = true;
        m_durationMs = durationMs;

        const QAudioFormat format = toneFormat(device);
        const QByteArray pcm = renderTone(frequencyHz, durationMs, format);
        if (pcm.isEmpty()) {
            finish();
            return;
        }
        m_buffer = new QBuffer(this);
        m_buffer->setData(pcm);
        m_buffer->open(QIODevice::ReadOnly);
        m_sink = new QAudioSink(device, format, this);
        QAudioSink *sink = m_sink;
        connect(sink, &QAudioSink::stateChanged, this, [this, sink](QAudio::State state) {
            if (sink == m_sink)
                stateChanged(state);
        });
        m_deadline->start(durationMs + kMarginMs);
        m_clock.start();
        sink->start(m_buffer);
        if (m_sink == sink
            && (sink->error() != QAudio::NoError || sink->state() == QAudio::StoppedState)) {
            release();
            finish();
        }
    }

private:
    void stateChanged(QAudio::State state)
    {
        if (state == QAudio::IdleState) {
            // All samples are with the device; it may still be sounding the
            // last of them, so the caller is released no earlier than the
            // tone's own duration after the start.
            const qint64 left = m_durationMs - m_clock.elapsed();
            if (left > 0)
                m_rest->start(int(left));
            else
                finish();
        } else if (state == QAudio::StoppedState) {
            finish();
        }
    }

    void finish()
    {
        if (!m_pending)
            return;
        m_pending = false;
        m_deadline->stop();
        m_rest->stop();
        if (m_sink)
            m_release->start(kReleaseMs);
        if (done)
            done(m_ticket);
    }

    void release()
    {
        m_release->stop();
        QAudioSink *sink = std::exchange(m_sink, nullptr);
        QBuffer *buffer = std::exchange(m_buffer, nullptr);
        if (sink) {
            sink->disconnect(this);
            sink->stop();
            sink->deleteLater();
        }
        if (buffer)
            buffer->deleteLater();
    }

    QTimer *m_deadline;
    QTimer *m_rest;
    QTimer *m_release;
    QAudioSink *m_sink = nullptr;
    QBuffer *m_buffer = nullptr;
    QElapsedTimer m_clock;
    quint64 m_ticket = 0;
    bool m_pending = false;
    int m_durationMs = 0;
};

// Owns the tone thread and waits, on the caller's thread, for the tone it
// has handed over.
class TonePlayer {
public:
    TonePlayer()
        : m_worker(new ToneWorker)
    {
        m_worker->done = [this](quint64 ticket) {
            const std::lock_guard lock(m_mutex);
            m_finished = std::max(m_finished, ticket);
            m_changed.notify_all();
        };
        m_worker->moveToThread(&m_thread);
        QObject::connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
        m_thread.setObjectName(QStringLiteral("quz tone"));
        m_thread.start();
    }

    ~TonePlayer()
    {
        m_thread.quit();
        m_thread.wait();
    }

    void play(const QAudioDevice &device, int frequencyHz, int durationMs)
    {
        const quint64 ticket = ++m_issued;
        ToneWorker *worker = m_worker;
        QMetaObject::invokeMethod(
            worker, [=] { worker->play(device, frequencyHz, durationMs, ticket); },
            Qt::QueuedConnection);
        std::unique_lock lock(m_mutex);
        m_changed.wait_for(lock, std::chrono::milliseconds(durationMs + kMarginMs),
                           [&] { return m_finished >= ticket; });
    }

private:
    QThread m_thread;
    ToneWorker *m_worker;
    quint64 m_issued = 0;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    quint64 m_finished = 0;
};

MultimediaSound::MultimediaSound() = default;

MultimediaSound::~MultimediaSound() = default;

void MultimediaSound::tone(int frequencyHz, int durationMs)
{
    if (frequencyHz <= 0 || durationMs <= 0)
        return;
    try {
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull())
            return;
        if (!m_tones)
            m_tones = std::make_unique<TonePlayer>();
        m_tones->play(device, frequencyHz, durationMs);
    } catch (...) {
        // A tone is an optional effect: its failure must not end the answer.
    }
}

void MultimediaSound::playWav(const QString &path)
{
    try {
        if (m_effect)
            m_effect->stop();
        if (path.isEmpty())
            return;
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull())
            return;
        if (!m_effect)
            m_effect = std::make_unique<QSoundEffect>();
        if (m_effect->audioDevice() != device)
            m_effect->setAudioDevice(device);
        const QUrl url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
        // A source that failed to load is loaded afresh: the file may have
        // been put in place since.
        if (m_effect->source() == url && m_effect->status() == QSoundEffect::Error)
            m_effect->setSource(QUrl());
        m_effect->setSource(url);
        m_effect->play();
    } catch (...) {
        // Playback errors are swallowed; the caller goes on with its next step.
    }
}

} // namespace quz::platform
