// Counts every allocation the test thread makes while engine passes run.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <new>
#include <numbers>
#include <vector>

#include "engine/spectrum.h"
#include "engine/zero_thresholds.h"
#include "tests/doubles/engine_rig.h"
#include "ui/store/control_ids.h"

namespace {
thread_local bool counting = false;
thread_local long allocations = 0;
}  // namespace

void* operator new(std::size_t size) {
  if (counting) ++allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace glimmora {
namespace {

// Passes over the output doubles would count their own recording; the engine's outputs here
// record nothing.
class SilentOutputs : public EngineOutputs {
 public:
  void SendUsbPass(int, int, int) override {}
  void WriteLptPort(int, int) override {}
  void SetKeyboardLed(char, int) override {}
  void SetDmxChannel(int, int) override {}
};

TEST(EngineAllocation, AThousandPassesInEveryModeAllocateNothing) {
  for (int mode = 0; mode <= 5; ++mode) {
    ProcessState state;
    ControlStore store;
    Indicators indicators{state, store};
    ChannelState channels{state, store, indicators};
    FakeCapture capture;
    SilentOutputs outputs;
    NoSleepClock clock;
    Engine engine(state, store, capture, clock, outputs, channels, indicators, 3);
    state.LightMode = static_cast<std::int8_t>(mode);
    state.ThresholdsLoaded = 1;
    store.SetState(KeyboardToggle, 1);
    store.SetState(LptToggle, 1);
    store.SetState(LevelBar, 30);
    std::vector<std::int16_t> tone(kSpectrumSamples);
    for (std::size_t n = 0; n < tone.size(); ++n) {
      tone[n] = static_cast<std::int16_t>(std::lround(8000.0 * std::sin(2.0 * std::numbers::pi * 440.0 * n / 22050.0)));
    }
    capture.SetSamples(tone);
    const std::array<float, kSpectrumBins> toneBins = capture.bins;
    // A sounding and a silent pass first: the store keeps each picture once it was first drawn.
    engine.Pass();
    capture.bins.fill(0.0f);
    engine.Pass();

    counting = true;
    for (int pass = 0; pass < 1000; ++pass) {
      // Sound and silence alternate in blocks, so that every path of the pass runs.
      if (pass % 100 == 50) capture.bins.fill(0.0f);
      if (pass % 100 == 0) capture.bins = toneBins;
      engine.Pass();
    }
    counting = false;
    EXPECT_EQ(allocations, 0) << "mode " << mode;
    allocations = 0;
  }
}

}  // namespace
}  // namespace glimmora
