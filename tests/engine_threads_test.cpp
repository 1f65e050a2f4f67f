// The engine thread running its passes, as in the program, while the main thread switches all
// channels off, clears the band levels, writes thresholds, changes the mode and waits for the
// end of a pass. Meant to be run under ThreadSanitizer as well.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

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
  const std::vector<std::int16_t> tone = ToneSamples(300.0, 6000.0);
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
