#pragma once
// Speaker tone and WAV playback on Qt Multimedia: the implementation inside
// the sound module (sound_module.cpp), which QtSound loads at the first sound.

#include "ui/platform/services.h"

#include <QAudioFormat>
#include <QByteArray>
#include <memory>

class QSoundEffect;

namespace quz::platform {

// PCM samples of a sine tone in `format` (every channel alike), with short
// fades at both ends so that it starts and stops without a click. Empty for
// a frequency or duration that is not positive and for a sample format that
// is not one of unsigned 8 bit, 16 bit, 32 bit or float.
QByteArray renderTone(int frequencyHz, int durationMs, const QAudioFormat &format);

class TonePlayer;

// The sound interface on the default audio output. Responsible for producing
// the sounds and for never letting a sound fault reach the caller: with no
// output device every call returns at once and does nothing. Not responsible
// for deciding which sound to make, nor for being loaded (QtSound is).
//
// Nothing is opened at construction; the tone thread and the WAV player are
// created at their first use. Destroy it before the QApplication.
class MultimediaSound : public Sound {
public:
    MultimediaSound();
    ~MultimediaSound() override;

    // Plays the tone on a thread of its own and waits for its end, at most
    // its duration and a short margin, without running the caller's event
    // loop (no input or timer is handled meanwhile).
    void tone(int frequencyHz, int durationMs) override;
    // Stops the sound started by the previous call, then starts this file.
    // An empty path, a missing or unplayable file, or no output device play
    // nothing.
    void playWav(const QString &path) override;

private:
    std::unique_ptr<TonePlayer> m_tones;
    std::unique_ptr<QSoundEffect> m_effect;
};

} // namespace quz::platform
