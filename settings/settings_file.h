// setting.dat: the window position, the USB ids, the current preset and language, the
// output switches, the pin assignment and the invert switch. The thresholds fr1..fr18 are
// in thresholds.h. All keys are in the top section; numbers are read by ReadNumber and
// written by NumberToText.
// Thread: main thread (start-up and the event loop).
#pragma once

namespace glimmora {

struct ProcessState;
class ControlStore;

struct WindowPosition {
  int x;
  int y;
};

// Before the window exists: X_form, Y_form, PID, VID, Preset, Language. Nothing is read (and
// every value stays as it is) when setting.dat does not exist.
void ReadStartupSettings(ProcessState& state);
// Once the controls exist: fr1..fr18, KEY_LED, LPT_LED, OUT1..OUT18, Invert straight into
// their controls. A pin value outside 0..18 leaves its PinCombo without a selection.
void ReadSwitchesAndPins(ControlStore& store);

// OUT1..OUT18 from the pin lists into the file that is open (neither opens nor closes). A pin
// list without a selection is written as 0: the pin drives no channel, which is what the
// pin does while nothing is selected.
void WritePinMapping(const ControlStore& store);
// Exit: position null, X_form/Y_form not written. Close request and language change: the
// window's outer left/top edges as given. PID and VID are never written.
void SaveSettings(ProcessState& state, const ControlStore& store, const WindowPosition* position);
// X_form, Y_form; nothing when x is -32000 (a minimised window).
void SaveWindowPosition(int x, int y);

}  // namespace glimmora
