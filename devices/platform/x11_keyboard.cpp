#include "devices/platform/x11_keyboard.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace glimmora {

X11Keyboard::X11Keyboard() { Connect(nullptr); }

X11Keyboard::X11Keyboard(const std::string& displayName) { Connect(displayName.c_str()); }

X11Keyboard::~X11Keyboard() {
  if (display_ != nullptr) XCloseDisplay(display_);
}

void X11Keyboard::Connect(const char* displayName) {
  Display* display = XOpenDisplay(displayName);
  if (display == nullptr) return;
  int opcode = 0;
  int event = 0;
  int error = 0;
  int major = XkbMajorVersion;
  int minor = XkbMinorVersion;
  int testMajor = 0;
  int testMinor = 0;
  if (!XkbQueryExtension(display, &opcode, &event, &error, &major, &minor) ||
      !XTestQueryExtension(display, &event, &error, &testMajor, &testMinor)) {
    XCloseDisplay(display);
    return;
  }
  // A lock whose indicator the server does not have is left alone: its state cannot be
  // read, so pressing its key would only repeat for ever.
  auto key = [display](const char* indicator, KeySym sym) {
    const Atom name = XInternAtom(display, indicator, False);
    Bool on = False;
    if (!XkbGetNamedIndicator(display, name, nullptr, &on, nullptr, nullptr)) return Key{};
    return Key{name, static_cast<unsigned char>(XKeysymToKeycode(display, sym))};
  };
  caps_ = key("Caps Lock", XK_Caps_Lock);
  num_ = key("Num Lock", XK_Num_Lock);
  scroll_ = key("Scroll Lock", XK_Scroll_Lock);
  display_ = display;
}

const X11Keyboard::Key* X11Keyboard::Find(char key) const {
  switch (key) {
    case 'c':
    case 'C':
      return &caps_;
    case 'n':
    case 'N':
      return &num_;
    case 's':
    case 'S':
      return &scroll_;
    default:
      return nullptr;
  }
}

int X11Keyboard::KeyState(char key) {
  std::lock_guard lock(mutex_);
  const Key* k = Find(key);
  if (display_ == nullptr || k == nullptr || k->keycode == 0) return 0;
  int state = IndicatorOn(*k) ? 1 : 0;
  if (k->keycode != 0) {
    char keys[32] = {};
    XQueryKeymap(display_, keys);
    if (keys[k->keycode / 8] & (1 << (k->keycode % 8))) state += kKeyHeldDown;
  }
  return state;
}

void X11Keyboard::PressAndRelease(char key) {
  std::lock_guard lock(mutex_);
  const Key* k = Find(key);
  if (display_ == nullptr || k == nullptr || k->keycode == 0) return;
  const bool before = IndicatorOn(*k);
  XTestFakeKeyEvent(display_, k->keycode, True, CurrentTime);
  XTestFakeKeyEvent(display_, k->keycode, False, CurrentTime);
  XSync(display_, False);
  // Common X keymaps bind no modifier to Scroll Lock, so its key leaves the LED alone;
  // then the indicator itself is switched, as `xset led named "Scroll Lock"` does.
  if (IndicatorOn(*k) == before) {
    XkbSetNamedIndicator(display_, k->indicator, True, before ? False : True, False, nullptr);
    XSync(display_, False);
  }
}

bool X11Keyboard::IndicatorOn(const Key& key) {
  Bool on = False;
  return XkbGetNamedIndicator(display_, key.indicator, nullptr, &on, nullptr, nullptr) && on;
}

}  // namespace glimmora
