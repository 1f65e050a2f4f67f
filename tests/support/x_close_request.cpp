// XDisplay::RequestClose through Xlib, in a file of its own: Xlib's macros (IsViewable,
// None, Status) clash with the names of x_windows.cpp.
#include <string>

#include "tests/support/x_windows.h"
// Xlib after our header, so its macros cannot rewrite the declarations above.
#include <X11/Xlib.h>

namespace glimmora::testing {

void XDisplay::RequestClose(const std::string& id) const {
  ::Display* display = XOpenDisplay(display_.c_str());
  if (!display) return;
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = std::stoul(id, nullptr, 0);
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, event.xclient.window, False, NoEventMask, &event);
  XFlush(display);
  XCloseDisplay(display);
}

}  // namespace glimmora::testing
