#pragma once
// Bringing a window of another process to the front.
//
// On X11 the window manager is asked to activate the window (the _NET_ACTIVE_WINDOW request a
// pager sends) and the window is raised, which also serves an X server without a window
// manager. Without an X display (a Wayland session, a console) nothing can be done; a window
// that no longer exists is ignored.

#include <cstdint>

// False when no X display could be opened or the handle is 0.
bool ActivateForeignWindow(std::uint32_t window);
