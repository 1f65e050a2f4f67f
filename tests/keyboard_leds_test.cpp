// The keyboard lock LEDs: the comparison of whole key states (a held key is pressed on
// every call), and, under an Xvfb of the test's own, lock states that follow the wanted
// LEDs and return to their saved states when the keyboard output is switched off.
#include "devices/keyboard_leds.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "devices/platform/x11_keyboard.h"
#include "engine/process_state.h"
#include "tests/doubles/scripted_lock_keys.h"
#include "tests/support/xvfb_session.h"

// Xlib's macros clash with GoogleTest's names, so its headers come last.
// clang-format off
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
// clang-format on

namespace glimmora {
namespace {

TEST(KeyboardLedsTest, WholeStatesAreCompared) {
  ScriptedLockKeys keys;
  keys.SetKeyboardLed('n', 0);
  keys.SetKeyboardLed('N', 1);
  keys.SetKeyboardLed('n', 1);
  keys.SetKeyboardLed('x', 1);  // not a lock key
  EXPECT_EQ(keys.presses, "n");

  keys.presses.clear();
  keys.states['c'] = kKeyHeldDown + 1;  // held down: neither 0 nor 1
  keys.SetKeyboardLed('c', 1);
  keys.SetKeyboardLed('c', 0);
  keys.SetKeyboardLed('c', 1);
  EXPECT_EQ(keys.presses, "ccc");
}

TEST(KeyboardLedsTest, SavedStatesKeepOnlyTheLockBit) {
  ScriptedLockKeys keys;
  keys.states = {{'c', kKeyHeldDown + 1}, {'n', 1}, {'s', kKeyHeldDown}};
  ProcessState state;
  keys.SampleLockKeys(state);
  EXPECT_EQ(state.SavedCapsLock.load(), 1);
  EXPECT_EQ(state.SavedNumLock.load(), 1);
  EXPECT_EQ(state.SavedScrollLock.load(), 0);

  keys.states = {{'c', 1}, {'n', 1}, {'s', 0}};
  keys.RestoreLockKeys(state);
  EXPECT_EQ(keys.presses, "") << "states already as saved: no key events";
  keys.states = {{'c', 0}, {'n', 0}, {'s', 1}};
  keys.RestoreLockKeys(state);
  EXPECT_EQ(keys.presses, "ncs");
}

TEST(KeyboardLedsTest, WithoutADisplayNothingHappens) {
  X11Keyboard keyboard(":31999");
  EXPECT_FALSE(keyboard.HasDisplay());
  keyboard.SetKeyboardLed('c', 1);
  EXPECT_EQ(keyboard.KeyState('c'), 0);
}

// An Xvfb on a free display, stopped by its process id.
class XvfbKeyboardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    xvfb_ = std::make_unique<glimmora::testing::XvfbSession>(glimmora::testing::XvfbSession::Options{320, 240});
    ASSERT_TRUE(xvfb_->Running()) << "Xvfb did not start";
    display_ = xvfb_->Display();
    keyboard_ = std::make_unique<X11Keyboard>(display_);
    ASSERT_TRUE(keyboard_->HasDisplay());
  }

  void TearDown() override {
    keyboard_.reset();
    xvfb_.reset();
  }

  int Locks() { return keyboard_->KeyState('n') * 100 + keyboard_->KeyState('c') * 10 + keyboard_->KeyState('s'); }

  std::unique_ptr<glimmora::testing::XvfbSession> xvfb_;
  std::string display_;
  std::unique_ptr<X11Keyboard> keyboard_;
};

TEST_F(XvfbKeyboardTest, LocksFollowTheLedsAndComeBackWhenSwitchedOff) {
  keyboard_->PressAndRelease('c');  // Caps Lock on before the output starts
  ASSERT_EQ(Locks(), 10);
  ProcessState state;
  keyboard_->SampleLockKeys(state);  // the keyboard toggle switched on

  const int wanted[][3] = {{1, 0, 1}, {1, 1, 0}, {0, 0, 0}, {1, 1, 1}};
  for (const auto& leds : wanted) {
    keyboard_->SetKeyboardLed('n', leds[0]);
    keyboard_->SetKeyboardLed('c', leds[1]);
    keyboard_->SetKeyboardLed('s', leds[2]);
    EXPECT_EQ(Locks(), leds[0] * 100 + leds[1] * 10 + leds[2]);
  }

  keyboard_->PressAndRelease('c');    // the user presses Caps Lock meanwhile
  keyboard_->RestoreLockKeys(state);  // the keyboard toggle switched off
  EXPECT_EQ(Locks(), 10);
}

TEST_F(XvfbKeyboardTest, HeldKeyReadsNeitherOnNorOff) {
  ASSERT_EQ(keyboard_->KeyState('n'), 0);
  // A second client holds Num Lock down.
  Display* display = XOpenDisplay(display_.c_str());
  ASSERT_NE(display, nullptr);
  const unsigned keycode = XKeysymToKeycode(display, XK_Num_Lock);
  XTestFakeKeyEvent(display, keycode, True, CurrentTime);
  XSync(display, False);
  const int held = keyboard_->KeyState('n');
  EXPECT_EQ(held & kKeyHeldDown, kKeyHeldDown);
  EXPECT_NE(held, 0);
  EXPECT_NE(held, 1);
  XTestFakeKeyEvent(display, keycode, False, CurrentTime);
  XCloseDisplay(display);
}

}  // namespace
}  // namespace glimmora
