#pragma once
// The program's speaker tone and WAV playback. The Qt Multimedia side of it
// lives in the sound module beside the program (sound/sound_module.cpp),
// which is loaded at the first sound: the audio stack (Qt Multimedia, Qt
// Network, PulseAudio and their codecs) costs nothing at start.

#include "ui/platform/services.h"

#include <QString>
#include <memory>

namespace quz::platform {

// The sound interface of the programs. Responsible for loading the sound
// module at the first call that has something to sound and for handing every
// call to it; a module that is missing or cannot be loaded makes every call
// silently nothing, as a machine without an audio output does. Not
// responsible for producing the sounds (the module is), nor for deciding
// which sound to make.
//
// The module stays loaded for the rest of the process. Destroy this object
// before the QApplication.
class QtSound : public Sound {
public:
    // With the module beside the executable.
    QtSound();
    explicit QtSound(QString modulePath);
    ~QtSound() override;

    void tone(int frequencyHz, int durationMs) override;
    void playWav(const QString &path) override;

    QString modulePath() const { return m_modulePath; }
    // Whether a module was loaded and gave its sound.
    bool moduleLoaded() const { return m_module != nullptr; }

private:
    // Loads the module at the first call; null when it cannot be had.
    Sound *module();

    QString m_modulePath;
    std::unique_ptr<Sound> m_module;
    bool m_tried = false;
};

// The sound module's one entry point, `extern "C" quz::Sound *NAME()`: a new
// sound object that the caller owns, or null. The name carries the version
// of the Sound interface, so that a module of another build is not used.
inline constexpr char kSoundModuleEntry[] = "quz_sound_create_v1";
using SoundModuleEntry = Sound *(*)();

} // namespace quz::platform
