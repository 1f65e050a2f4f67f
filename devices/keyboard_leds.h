// The keyboard's three lock-key LEDs as outputs: Num Lock shows the low band group, Caps
// Lock the mid group, Scroll Lock the high group. A lock is changed by a simulated press
// and release of its key. Key ids: 'c' Caps Lock, 'n' Num Lock, 's' Scroll Lock (upper
// case accepted); other ids do nothing.
//
// The real implementation is devices/platform/x11_keyboard.h; without a display it does
// nothing. Thread: any; implementations serialise their own calls.
#pragma once

namespace glimmora {

struct ProcessState;

// A key's state as the system reports it: 1 when the lock is on, 0 when off, with
// kKeyHeldDown added while the key is held down.
inline constexpr int kKeyHeldDown = 0x8000;

class KeyboardLeds {
 public:
  virtual ~KeyboardLeds() = default;

  // The key's state (see kKeyHeldDown); 0 for an unknown id or without a keyboard.
  virtual int KeyState(char key) = 0;
  // One simulated press and release of the key, which toggles its lock.
  virtual void PressAndRelease(char key) = 0;

  // Makes the key's state equal to `on`. The whole state is compared, so while the key is
  // held down every call presses and releases it.
  void SetKeyboardLed(char key, int on);
  // Saves the lock states of Caps Lock, Num Lock and Scroll Lock (in that order) into
  // SavedCapsLock, SavedNumLock and SavedScrollLock. Only the lock bit is kept, so a key
  // that happens to be held down is restored to its lock state, not toggled for ever.
  void SampleLockKeys(ProcessState& state);
  // Gives Num Lock, Caps Lock and Scroll Lock (in that order) their saved states back.
  void RestoreLockKeys(const ProcessState& state);
};

}  // namespace glimmora
