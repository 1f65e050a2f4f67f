#include "engine/engine_loop.h"

#include <cmath>

#include "engine/effects.h"
#include "engine/hotkeys.h"
#include "engine/zero_thresholds.h"
#include "settings/thresholds.h"
#include "ui/store/control_ids.h"

namespace glimmora {
namespace {

constexpr int kLptDataPort = 888;
constexpr int kLptControlPort = 890;
constexpr int kDmxBandChannels = 9;
constexpr char kLockKeys[3] = {'n', 'c', 's'};  // Num, Caps and Scroll Lock for low, mid, high

}  // namespace

Engine::Engine(ProcessState& state, ControlStore& store, Capture& capture, Clock& clock, EngineOutputs& outputs,
               ChannelState& channels, Indicators& indicators, std::uint32_t randomSeed)
    : state_(state),
      store_(store),
      capture_(capture),
      clock_(clock),
      outputs_(outputs),
      channels_(channels),
      indicators_(indicators),
      modeStep_(state, store, channels, indicators, outputs, randomSeed) {}

int Engine::Pass() {
  std::lock_guard pass(passMutex_);
  if (soundHoldCounter_ > 0) --soundHoldCounter_;

  inputLevel_ = InputLevelOf(capture_.Level());
  capture_.Spectrum(std::span<float, kSpectrumBins>(spectrumBuffer_.data(), kSpectrumBins));
  AnalyseBands();
  const int mode = state_.LightMode.load(std::memory_order_relaxed);
  sounding_ = !IsSilent(state_.BandLevels[kTotalSlot].load(std::memory_order_relaxed));
  if (sounding_) {
    ScaleSoundingPass(mode);
  } else {
    HandleSilentPass(mode);
  }

  channels_.ResetLpt();
  if (!sounding_ && soundHoldCounter_ != 0) channels_.SetChannel(0, 0);
  state_.AruValue.store(store_.State(AruBar), std::memory_order_relaxed);
  for (int i = 0; i < kSlots; ++i) bandSnapshot_[i] = state_.BandLevels[i].load(std::memory_order_relaxed);
  if (sounding_) {
    if (mode > 0) soundHoldCounter_ = kSoundHold;
    modeStep_.Run(mode, inputLevel_, bandSnapshot_);
  }
  EffectSelection(state_, store_);
  if ((!sounding_ || mode == 0) && soundHoldCounter_ == 0) EffectStep(state_, store_);

  UpdateKeyFlags(keys_);
  if (store_.State(KeyboardToggle) == 1) {
    for (int i = 0; i < 3; ++i) outputs_.SetKeyboardLed(kLockKeys[i], keys_.ledOn[i]);
  }
  ComposeAndSendOutputs();
  state_.LevelValue.store(store_.State(LevelBar), std::memory_order_relaxed);
  HotkeyStep(state_, store_);
  if (sounding_ && mode != 0) SendDmxBandValues();
  return !sounding_ || mode == 0 ? kQuietSleepMs : kSoundingSleepMs;
}

void Engine::Run() {
  for (;;) clock_.SleepMs(Pass());
}

void Engine::WaitForPassEnd() { std::lock_guard pass(passMutex_); }

void Engine::AnalyseBands() {
  std::array<float, kSlots> levels;
  SumBands(std::span<const float, kSpectrumBins>(spectrumBuffer_.data(), kSpectrumBins), levels, keys_);
  for (int i = 0; i < kSlots; ++i) state_.BandLevels[i].store(levels[i], std::memory_order_relaxed);
}

void Engine::ScaleSoundingPass(int mode) {
  const int levelValue = state_.LevelValue.load(std::memory_order_relaxed);
  std::atomic<float>& total = state_.BandLevels[kTotalSlot];
  gain_ = GainOf(total.load(std::memory_order_relaxed));
  for (int b = 0; b < kBandCount; ++b) {
    float level = state_.BandLevels[b].load(std::memory_order_relaxed) * static_cast<float>(gain_);
    if (mode == 1) level = std::sqrt(level) * static_cast<float>(levelValue);
    if (mode == 2) level = static_cast<float>(level * levelValue * 2.2);
    state_.BandLevels[b].store(level, std::memory_order_relaxed);
  }
  total.store(std::sqrt(total.load(std::memory_order_relaxed)), std::memory_order_relaxed);
  for (float& level : keys_.level)
    level = std::sqrt(level * static_cast<float>(gain_)) * static_cast<float>(levelValue);
  wasSounding_ = true;
}

void Engine::HandleSilentPass(int mode) {
  keys_.level = {};
  keys_.peak = {};
  state_.BandLevels[kTotalSlot].store(0.0f, std::memory_order_relaxed);
  for (int b = 0; b < kBandCount; ++b) {
    state_.BandLevels[b].store(0.0f, std::memory_order_relaxed);
    if (wasSounding_) indicators_.DrawBandBar(b);
  }
  if (mode == 1 && state_.ThresholdsLoaded.load(std::memory_order_relaxed) == 0) LoadThresholds(state_, store_);
  if (mode != 1 && wasSounding_) ZeroThresholds(store_);
  wasSounding_ = false;
}

void Engine::ComposeAndSendOutputs() {
  const ChannelState::PortBytes bytes = channels_.ComposePortBytes();
  if (state_.OutputsPaused.load() != 0) return;
  outputs_.SendUsbPass(bytes.c, bytes.b, bytes.d);
  if (store_.State(LptToggle) == 1) {
    outputs_.WriteLptPort(kLptDataPort, channels_.LptData());
    outputs_.WriteLptPort(kLptControlPort, channels_.LptControl());
  } else {
    outputs_.WriteLptPort(kLptDataPort, ChannelState::kLptDataOff);
    outputs_.WriteLptPort(kLptControlPort, ChannelState::kLptControlOff);
  }
}

void Engine::SendDmxBandValues() {
  for (int c = 1; c <= kDmxBandChannels; ++c) {
    if (bandSnapshot_[c - 1] != bandPrevious_[c - 1]) outputs_.SetDmxChannel(c, NearestInt(bandSnapshot_[c - 1]));
    bandPrevious_[c - 1] = bandSnapshot_[c - 1];
  }
}

}  // namespace glimmora
