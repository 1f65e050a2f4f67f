// The engine loop: on every pass it reads the capture's level and spectrum, sums the 18 band
// levels and their total, decides silence, applies the gain and the level control, runs the
// light-music mode, the effect, the keyboard LEDs, the port bytes, the device outputs, the
// hotkeys and the DMX band values, and then sleeps 5 or 50 ms.
//
// Thread: Run and Pass belong to the engine thread (tests call Pass on their own thread).
// WaitForPassEnd may be called from any other thread.
#pragma once

#include <array>
#include <cstdint>
#include <mutex>

#include "devices/engine_outputs.h"
#include "engine/band_analysis.h"
#include "engine/capture.h"
#include "engine/channel_state.h"
#include "engine/clock.h"
#include "engine/mode_step.h"
#include "engine/process_state.h"
#include "ui/store/control_store.h"
#include "ui/store/indicators.h"

namespace glimmora {

class Engine {
 public:
  static constexpr int kQuietSleepMs = 5;
  static constexpr int kSoundingSleepMs = 50;
  // Passes after the last sounding pass of modes 1..5 during which silence keeps the
  // channels off before the effect may play (the counter is decremented first, hence 19).
  static constexpr std::int8_t kSoundHold = 20;

  Engine(ProcessState& state, ControlStore& store, Capture& capture, Clock& clock, EngineOutputs& outputs,
         ChannelState& channels, Indicators& indicators, std::uint32_t randomSeed);
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;

  // One pass without its sleep; returns the sleep the pass asks for in milliseconds.
  int Pass();
  // Pass and sleep for ever.
  [[noreturn]] void Run();
  // Returns once no pass is running; a pass that starts afterwards is not waited for.
  void WaitForPassEnd();

  // What the last pass decided, for tests and benchmarks.
  bool LastPassSounding() const { return sounding_; }
  int Gain() const { return gain_; }
  std::int16_t InputLevel() const { return inputLevel_; }
  const KeyLevels& Keys() const { return keys_; }
  std::int8_t SoundHoldCounter() const { return soundHoldCounter_; }
  const std::array<float, kSlots>& BandSnapshot() const { return bandSnapshot_; }

 private:
  void AnalyseBands();
  void ScaleSoundingPass(int mode);
  void HandleSilentPass(int mode);
  void ComposeAndSendOutputs();
  void SendDmxBandValues();

  ProcessState& state_;
  ControlStore& store_;
  Capture& capture_;
  Clock& clock_;
  EngineOutputs& outputs_;
  ChannelState& channels_;
  Indicators& indicators_;
  ModeStep modeStep_;
  std::mutex passMutex_;  // held over each pass, never over the sleep

  std::array<float, kSpectrumBins + 1> spectrumBuffer_{};
  std::array<float, kSlots> bandSnapshot_{};
  std::array<float, kSlots> bandPrevious_{};
  KeyLevels keys_;
  std::int16_t inputLevel_ = 0;
  int gain_ = 0;
  bool sounding_ = false;
  bool wasSounding_ = false;
  std::int8_t soundHoldCounter_ = 0;
};

}  // namespace glimmora
