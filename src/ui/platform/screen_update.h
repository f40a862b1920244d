#pragma once

namespace quz::platform {

// Lets the screen catch up in the middle of a handler: pending paints and
// timer ticks run, input is held back until the handler is done, so that an
// answer cannot be given twice meanwhile.
void letScreenUpdate();

} // namespace quz::platform
