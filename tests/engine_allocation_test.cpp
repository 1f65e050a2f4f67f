// Engine passes in every mode, sounding and silent, allocate nothing.
#include <gtest/gtest.h>

#include <vector>

#include "tests/allocation_counter/allocation_counter.h"
#include "tests/doubles/engine_rig.h"
#include "ui/store/control_ids.h"

namespace glimmora {
namespace {

TEST(EngineAllocation, AThousandPassesInEveryModeAllocateNothing) {
  const std::vector<std::int16_t> tone = ToneSamples(440.0, 8000.0);
  for (int mode = 0; mode <= 5; ++mode) {
    EngineRig rig(3);
    rig.outputs.recording = false;
    rig.state.LightMode = static_cast<std::int8_t>(mode);
    rig.state.ThresholdsLoaded = 1;
    rig.store.SetState(KeyboardToggle, 1);
    rig.store.SetState(LptToggle, 1);
    rig.store.SetState(LevelBar, 30);
    rig.capture.SetSamples(tone);
    const std::array<float, kSpectrumBins> toneBins = rig.capture.bins;
    // A sounding and a silent pass first: the store keeps each picture once it was first drawn.
    rig.engine.Pass();
    rig.capture.bins.fill(0.0f);
    rig.engine.Pass();

    const testing::AllocationCounter allocations;
    for (int pass = 0; pass < 1000; ++pass) {
      // Sound and silence alternate in blocks, so that every path of the pass runs.
      if (pass % 100 == 50) rig.capture.bins.fill(0.0f);
      if (pass % 100 == 0) rig.capture.bins = toneBins;
      rig.engine.Pass();
    }
    EXPECT_EQ(allocations.Count(), 0) << "mode " << mode;
  }
}

}  // namespace
}  // namespace glimmora
