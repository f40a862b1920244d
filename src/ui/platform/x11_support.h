#pragma once
// The X11 connection of the application and its atoms, for the few window
// manager conversations Qt has no call for (title-bar buttons, the cancel of
// a move, close requests Qt would drop). Only where XCB is there.

#ifdef QUZ_HAVE_XCB
#include <xcb/xcb.h>

namespace quz::platform {

// The application's X11 connection; nullptr on other window systems.
xcb_connection_t *x11Connection();

// The atom of `name`; XCB_ATOM_NONE when the server does not answer.
xcb_atom_t x11Atom(xcb_connection_t *connection, const char *name);

} // namespace quz::platform
#endif
