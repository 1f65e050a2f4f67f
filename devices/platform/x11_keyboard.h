// KeyboardLeds over X11: the lock states are the XKB indicators "Caps Lock", "Num Lock" and
// "Scroll Lock", a held key is seen in XQueryKeymap, and a lock is toggled by an XTest
// press and release of its key; when the key does not move its indicator (Scroll Lock in
// most X keymaps binds no modifier), the indicator is switched directly. Without a display (or without XKB/XTest) every
// call does nothing and every state reads 0.
//
// Thread: any; one display connection of its own, used under a mutex.
#pragma once

#include <mutex>
#include <string>

#include "devices/keyboard_leds.h"

typedef struct _XDisplay Display;

namespace glimmora {

class X11Keyboard : public KeyboardLeds {
 public:
  // Connects to the display named by DISPLAY.
  X11Keyboard();
  // Connects to the named display, e.g. ":5".
  explicit X11Keyboard(const std::string& displayName);
  ~X11Keyboard() override;
  X11Keyboard(const X11Keyboard&) = delete;
  X11Keyboard& operator=(const X11Keyboard&) = delete;

  // True when a display with XKB and XTest is connected.
  bool HasDisplay() const { return display_ != nullptr; }

  int KeyState(char key) override;
  void PressAndRelease(char key) override;

 private:
  struct Key {
    unsigned long indicator = 0;  // atom of the XKB indicator name
    unsigned char keycode = 0;
  };

  void Connect(const char* displayName);
  const Key* Find(char key) const;
  // The XKB indicator's state. Requires mutex_ and a display.
  bool IndicatorOn(const Key& key);

  std::mutex mutex_;
  Display* display_ = nullptr;  // guarded by mutex_ after construction
  Key caps_;
  Key num_;
  Key scroll_;
};

}  // namespace glimmora
