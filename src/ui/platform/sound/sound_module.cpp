// The sound module's entry point: QtSound (ui/platform/qt_sound.h) loads this
// library at the first sound and takes its sound object from here. Nothing
// else of the module is visible outside it.

#include "ui/platform/qt_sound.h"
#include "ui/platform/sound/multimedia_sound.h"

#include <new>
#include <type_traits>

extern "C" Q_DECL_EXPORT quz::Sound *quz_sound_create_v1()
{
    return new (std::nothrow) quz::platform::MultimediaSound;
}

// The entry point has the signature that QtSound resolves.
static_assert(std::is_same_v<decltype(&quz_sound_create_v1), quz::platform::SoundModuleEntry>);
