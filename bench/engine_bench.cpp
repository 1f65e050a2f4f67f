// One engine pass without its sleep, on the real capture path (level word and spectrum of the
// latest 4096 samples of a ring), with outputs that go nowhere:
//  - BM_SoundingPassModeZero: level, spectrum, bands, total, gain and the rest of a pass that
//    makes no mode decision;
//  - BM_SoundingPassModeOne: the same in mode 1, with its 18 lamp and 18 bar redraws and a GUI
//    that takes the store's changes after every pass.
#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "engine/engine_loop.h"
#include "engine/ring_capture.h"
#include "engine/zero_thresholds.h"
#include "tests/doubles/engine_rig.h"
#include "tests/doubles/recording_outputs.h"
#include "ui/store/control_ids.h"

namespace glimmora {
namespace {

void RunPasses(benchmark::State& bench, int mode) {
  ProcessState state;
  ControlStore store;
  Indicators indicators(state, store);
  ChannelState channels(state, store, indicators);
  for (int pin = 1; pin <= kChannelCount; ++pin) {
    for (int item = 0; item <= kChannelCount; ++item) store.AddItem(PinComboId(pin), std::to_string(item));
    store.SetState(PinComboId(pin), pin);
  }
  store.SetChangeNotifier([] {});
  RingCapture capture;
  RecordingOutputs outputs;
  outputs.recording = false;
  NoSleepClock clock;
  Engine engine(state, store, capture, clock, outputs, channels, indicators, 1);
  state.LightMode = static_cast<std::int8_t>(mode);
  state.ThresholdsLoaded = 1;
  ZeroThresholds(store);
  store.SetState(LevelBar, 30);
  store.SetState(LptToggle, 1);

  // Music-like sound: three tones in different bands.
  std::vector<std::int16_t> samples(8192);
  for (std::size_t n = 0; n < samples.size(); ++n) {
    const double t = static_cast<double>(n) / 22050.0;
    samples[n] = static_cast<std::int16_t>(std::lround(4000 * std::sin(2 * std::numbers::pi * 90 * t) +
                                                       3000 * std::sin(2 * std::numbers::pi * 700 * t) +
                                                       2000 * std::sin(2 * std::numbers::pi * 5000 * t)));
  }
  capture.Ring().Write(samples);
  for (auto _ : bench) {
    benchmark::DoNotOptimize(engine.Pass());
    benchmark::DoNotOptimize(store.TakeChanges());
  }
  if (!engine.LastPassSounding()) bench.SkipWithError("the pass was silent");
}

void BM_SoundingPassModeZero(benchmark::State& bench) { RunPasses(bench, 0); }
void BM_SoundingPassModeOne(benchmark::State& bench) { RunPasses(bench, 1); }
BENCHMARK(BM_SoundingPassModeZero)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_SoundingPassModeOne)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace glimmora
