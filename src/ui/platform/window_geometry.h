#pragma once
// A window's outer rectangle (frame included), as the settings file keeps it:
// reading it from a window, setting it, and the read and write of a window's
// four geometry keys in one settings batch. A rectangle from the file is
// fitted to the screens before it is applied, so that a hand-edited or stale
// file can neither make a window larger than a screen nor put it where the
// user cannot reach it.

#include "core/settings/settings_batch.h"
#include "core/settings/settings_keys.h"

#include <QList>
#include <QRect>

class QWidget;

namespace quz::platform {

// The outer rectangle a window gets for `outer` (any 32-bit values) on
// screens whose available areas are `screens`:
//  - its screen is the one it overlaps most, or, when it overlaps none, the
//    nearest one;
//  - width and height are kept between 1 and that screen's available width
//    and height;
//  - a rectangle that then lies wholly outside every screen is moved onto
//    its screen, to the nearest position there;
//  - a rectangle that overlaps a screen keeps its position exactly.
// Computed in 64 bits. With no screen only the sizes are kept at least 1.
settings::Geometry fitToScreens(const settings::Geometry &outer, const QList<QRect> &screens);

// The available areas (without panels and docks) of all screens.
QList<QRect> availableScreenAreas();

// The outer rectangle; before the window is shown and without a window
// manager the frame is empty and this is the client rectangle.
settings::Geometry outerGeometry(const QWidget *window);
// Moves and sizes the window so that its outer rectangle is `outer` fitted
// to the screens (fitToScreens), once the window manager has given it a
// frame too.
void setOuterGeometry(QWidget *window, const settings::Geometry &outer);

// Reads the four keys from the batch and applies them (left, top, height,
// width).
void readGeometry(QWidget *window, const settings::SettingsBatch &batch,
                  const settings::GeometryKeys &keys);
// Writes the window's current outer rectangle into the batch.
void writeGeometry(settings::SettingsBatch &batch, const settings::GeometryKeys &keys,
                   const QWidget *window);

} // namespace quz::platform
