#pragma once
// A window's outer rectangle (frame included), as the settings file keeps it:
// reading it from a window, setting it, and the read and write of a window's
// four geometry keys in one settings batch.

#include "settings/settings_batch.h"
#include "settings/settings_keys.h"

class QWidget;

namespace quz::platform {

// The outer rectangle; before the window is shown and without a window
// manager the frame is empty and this is the client rectangle.
settings::Geometry outerGeometry(const QWidget *window);
// Moves and sizes the window so that its outer rectangle is `outer`, once
// the window manager has given it a frame too.
void setOuterGeometry(QWidget *window, const settings::Geometry &outer);

// Reads the four keys from the batch and applies them (left, top, height,
// width).
void readGeometry(QWidget *window, const settings::SettingsBatch &batch,
                  const settings::GeometryKeys &keys);
// Writes the window's current outer rectangle into the batch.
void writeGeometry(settings::SettingsBatch &batch, const settings::GeometryKeys &keys,
                   const QWidget *window);

} // namespace quz::platform
