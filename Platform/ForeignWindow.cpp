#include "ForeignWindow.h"

#include <X11/Xlib.h>

namespace {
// The window may be gone by the time the request arrives; Xlib's own handler would end the
// process for that.
int IgnoreXError(Display*, XErrorEvent*) { return 0; }
}  // namespace

bool ActivateForeignWindow(std::uint32_t window) {
  if (window == 0) return false;
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return false;
  const auto previous = XSetErrorHandler(IgnoreXError);

  XEvent request{};
  request.xclient.type = ClientMessage;
  request.xclient.window = window;
  request.xclient.message_type = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
  request.xclient.format = 32;
  request.xclient.data.l[0] = 2;  // from a pager: window managers grant it the focus
  request.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, DefaultRootWindow(display), False,
             SubstructureRedirectMask | SubstructureNotifyMask, &request);
  XRaiseWindow(display, window);
  XSync(display, False);

  XSetErrorHandler(previous);
  XCloseDisplay(display);
  return true;
}
