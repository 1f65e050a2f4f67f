#include "devices/keyboard_leds.h"

#include <cctype>

#include "engine/process_state.h"

namespace glimmora {

void KeyboardLeds::SetKeyboardLed(char key, int on) {
  const char id = static_cast<char>(std::tolower(static_cast<unsigned char>(key)));
  if (id != 'c' && id != 'n' && id != 's') return;
  if (KeyState(id) != on) PressAndRelease(id);
}

void KeyboardLeds::SampleLockKeys(ProcessState& state) {
  state.SavedCapsLock.store(KeyState('c') & 1);
  state.SavedNumLock.store(KeyState('n') & 1);
  state.SavedScrollLock.store(KeyState('s') & 1);
}

void KeyboardLeds::RestoreLockKeys(const ProcessState& state) {
  SetKeyboardLed('n', state.SavedNumLock.load());
  SetKeyboardLed('c', state.SavedCapsLock.load());
  SetKeyboardLed('s', state.SavedScrollLock.load());
}

}  // namespace glimmora
