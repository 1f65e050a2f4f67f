// The engine thread running its passes, as in the program, while the main thread switches all
// channels off, clears the band levels, writes thresholds, changes the mode and waits for the
// end of a pass. Meant to be run under ThreadSanitizer as well.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <numbers>
#include <thread>
#include <vector>

#include "engine/fft_analysis.h"
#include "engine/zero_thresholds.h"
#include "tests/doubles/engine_rig.h"
#include "ui/store/control_ids.h"

namespace glimmora {
namespace {

TEST(EngineThreads, PassesRunWhileTheMainThreadChangesWhatTheyRead) {
  EngineRig rig;
  rig.state.ThresholdsLoaded = 1;
  rig.store.SetState(LevelBar, 20);
  rig.store.SetState(KeyboardToggle, 1);
  std::vector<std::int16_t> tone(kSpectrumSamples);
  for (std::size_t n = 0; n < tone.size(); ++n) {
    tone[n] = static_cast<std::int16_t>(std::lround(6000.0 * std::sin(2.0 * std::numbers::pi * 300.0 * n / 22050.0)));
  }
  rig.capture.SetSamples(tone);

  std::atomic<bool> stop{false};
  std::atomic<int> passes{0};
  std::thread engine([&] {
    while (!stop.load()) {
      rig.engine.Pass();
      passes.fetch_add(1);
    }
  });
  for (int round = 0; round < 3000 || passes.load() < 3000; ++round) {
    rig.state.LightMode = static_cast<std::int8_t>(round / 50 % 6);
    rig.channels.SetChannel(0, 0);
    rig.indicators.ClearBandLevels();
    rig.store.SetState(ThresholdBarId(round % 18 + 1), round % 40);
    if (round % 100 == 0) ZeroThresholds(rig.store);
    if (round % 10 == 0) rig.engine.WaitForPassEnd();
  }
  stop = true;
  engine.join();
  EXPECT_GE(passes.load(), 3000);
  for (int ch = 0; ch <= kChannelCount; ++ch) {
    const int on = rig.state.ChannelOn[ch].load();
    EXPECT_TRUE(on == 0 || on == 1);
  }
}

}  // namespace
}  // namespace glimmora
