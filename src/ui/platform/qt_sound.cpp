#include "ui/platform/qt_sound.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace quz::platform {

QtSound::QtSound()
    : QtSound(QDir(QCoreApplication::applicationDirPath())
                  .filePath(QStringLiteral(QUZ_SOUND_MODULE_FILE)))
{}

QtSound::QtSound(QString modulePath)
    : m_modulePath(std::move(modulePath))
{}

QtSound::~QtSound() = default;

Sound *QtSound::module()
{
    if (m_tried)
        return m_module.get();
    m_tried = true;
    try {
        QLibrary library(m_modulePath);
        if (!library.load())
            return nullptr;
        const auto create = reinterpret_cast<SoundModuleEntry>(library.resolve(kSoundModuleEntry));
        if (create)
            m_module.reset(create());
        if (!m_module)
            library.unload();
    } catch (...) {
        // Without its module the program goes on silently.
    }
    return m_module.get();
}

void QtSound::tone(int frequencyHz, int durationMs)
{
    if (frequencyHz <= 0 || durationMs <= 0)
        return;
    if (Sound *sound = module())
        sound->tone(frequencyHz, durationMs);
}

void QtSound::playWav(const QString &path)
{
    // Before the module is loaded nothing is playing, so an empty path has
    // nothing to cut off.
    if (path.isEmpty() && !m_module)
        return;
    if (Sound *sound = module())
        sound->playWav(path);
}

} // namespace quz::platform
