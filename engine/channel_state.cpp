#include "engine/channel_state.h"

#include "ui/store/control_ids.h"

namespace glimmora {
namespace {

enum class Register { None, Data, Control };

struct LptShare {
  Register reg;
  int change;
};

// LPT share of channels 0..18 when lit: channels 4..11 set the data bits 0..7, channels
// 12, 13 and 15 clear control bits 0, 1 and 3 (inverted by the port), 14 sets bit 2.
constexpr LptShare kLptShares[kSlots] = {
    {Register::None, 0},     {Register::None, 0},     {Register::None, 0},    {Register::None, 0},
    {Register::Data, 1},     {Register::Data, 2},     {Register::Data, 4},    {Register::Data, 8},
    {Register::Data, 16},    {Register::Data, 32},    {Register::Data, 64},   {Register::Data, 128},
    {Register::Control, -1}, {Register::Control, -2}, {Register::Control, 4}, {Register::Control, -8},
    {Register::None, 0},     {Register::None, 0},     {Register::None, 0},
};

enum class Port { B, C, D };

struct PinBit {
  Port port;
  int bit;
};

// Pins 1..18 (PinCombo1..18): PD0 PD1 PD3 PD5 PD6 PD7, PB0..PB5, PC0..PC5, and the bit each
// takes in its port byte.
constexpr PinBit kPortBitTable[kChannelCount] = {
    {Port::D, 0}, {Port::D, 1}, {Port::D, 2}, {Port::D, 3}, {Port::D, 4}, {Port::D, 5},
    {Port::B, 5}, {Port::B, 3}, {Port::B, 1}, {Port::B, 0}, {Port::B, 4}, {Port::B, 2},
    {Port::C, 5}, {Port::C, 4}, {Port::C, 3}, {Port::C, 2}, {Port::C, 0}, {Port::C, 1},
};

}  // namespace

ChannelState::ChannelState(ProcessState& state, ControlStore& store, Indicators& indicators)
    : state_(state), store_(store), indicators_(indicators) {}

void ChannelState::SetChannel(int channel, int on) {
  if (channel < 0 || channel >= kSlots) return;
  on = on != 0 ? 1 : 0;
  if (store_.State(InvertToggle) == 1) on = 1 - on;
  // The state and its lamp change together, so the other thread's redraws never show a lamp
  // that disagrees with ChannelOn.
  auto unit = indicators_.LockUnit();
  if (channel == 0) {
    for (std::atomic<int>& c : state_.ChannelOn) c.store(on, std::memory_order_relaxed);
  } else {
    state_.ChannelOn[channel].store(on, std::memory_order_relaxed);
    if (on != 0) {
      const LptShare share = kLptShares[channel];
      if (share.reg == Register::Data) lptData_.fetch_add(share.change, std::memory_order_relaxed);
      if (share.reg == Register::Control) lptControl_.fetch_add(share.change, std::memory_order_relaxed);
    }
  }
  indicators_.DrawChannelLed(channel, on);
}

void ChannelState::ResetLpt() {
  lptData_.store(kLptDataOff, std::memory_order_relaxed);
  lptControl_.store(kLptControlOff, std::memory_order_relaxed);
}

int ChannelState::LptData() const { return lptData_.load(std::memory_order_relaxed); }
int ChannelState::LptControl() const { return lptControl_.load(std::memory_order_relaxed); }

ChannelState::PortBytes ChannelState::ComposePortBytes() const {
  PortBytes bytes{kTagC, kTagB, kTagD};
  for (int pin = 1; pin <= kChannelCount; ++pin) {
    const int k = store_.State(PinComboId(pin));
    if (k < 0 || k >= kSlots) continue;
    const int value = state_.ChannelOn[k].load(std::memory_order_relaxed) << kPortBitTable[pin - 1].bit;
    switch (kPortBitTable[pin - 1].port) {
      case Port::B:
        bytes.b += value;
        break;
      case Port::C:
        bytes.c += value;
        break;
      case Port::D:
        bytes.d += value;
        break;
    }
  }
  return bytes;
}

}  // namespace glimmora
