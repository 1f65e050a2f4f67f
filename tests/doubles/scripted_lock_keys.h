// Lock keys whose states a test sets; every press and release toggles the lock bit and is
// recorded by its key id ("ncs" for Num, Caps, Scroll).
//
// Thread: one test thread.
#pragma once

#include <map>
#include <string>

#include "devices/keyboard_leds.h"

namespace glimmora {

class ScriptedLockKeys : public KeyboardLeds {
 public:
  int KeyState(char key) override { return states[key]; }
  void PressAndRelease(char key) override {
    presses += key;
    states[key] ^= 1;
  }

  std::map<char, int> states{{'c', 0}, {'n', 0}, {'s', 0}};
  std::string presses;
};

}  // namespace glimmora
