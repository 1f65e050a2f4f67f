// Channel state and port mapping: SetChannel switches a light channel on or off (after the
// invert option), records it in ChannelOn, adds the channel's share to the LPT register
// values of the pass and redraws its lamp; ComposePortBytes turns ChannelOn into the three
// USB port bytes through the pin assignment of the 18 PinCombo lists.
//
// Thread: SetChannel may be called from the engine thread and the main thread; the main
// thread only uses the all-channels form SetChannel(0, 0), which leaves the LPT values alone.
// ResetLpt, LptData, LptControl and ComposePortBytes belong to the engine thread.
#pragma once

#include <atomic>

#include "engine/process_state.h"
#include "ui/store/control_store.h"
#include "ui/store/indicators.h"

namespace glimmora {

class ChannelState {
 public:
  // Port tags of the USB command protocol in the two top bits of each port byte.
  static constexpr int kTagC = 0;
  static constexpr int kTagB = 64;
  static constexpr int kTagD = 128;
  // LPT register values at the start of a pass: all channels off.
  static constexpr int kLptDataOff = 0;
  static constexpr int kLptControlOff = 11;

  struct PortBytes {
    int c;
    int b;
    int d;
  };

  ChannelState(ProcessState& state, ControlStore& store, Indicators& indicators);

  // Channel 1..18, or 0 for all channels; 19 and above (and negative numbers) are ignored.
  // `on` is 0 or non-zero; ChannelOn stores 0/1 after the invert option.
  void SetChannel(int channel, int on);
  // LptData := 0, LptControl := 11; the engine calls it at the start of every pass.
  void ResetLpt();
  int LptData() const;
  int LptControl() const;
  // The three port bytes from ChannelOn and the selected item of each PinCombo; a pin whose
  // list has no valid selection sends 0.
  PortBytes ComposePortBytes() const;

 private:
  ProcessState& state_;
  ControlStore& store_;
  Indicators& indicators_;
  // Written on the engine thread only; atomics so that any reader sees a whole value.
  std::atomic<int> lptData_{kLptDataOff};
  std::atomic<int> lptControl_{kLptControlOff};
};

}  // namespace glimmora
