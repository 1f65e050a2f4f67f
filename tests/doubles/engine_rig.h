// Everything an Engine needs, wired to test doubles: a FakeCapture whose spectrum the test
// sets, RecordingOutputs, a clock that never sleeps, and the real store, indicators and
// channel state. Each pin list maps pin p to channel p.
#pragma once

#include <cstdint>

#include "engine/channel_state.h"
#include "engine/clock.h"
#include "engine/engine_loop.h"
#include "engine/process_state.h"
#include "tests/doubles/fake_capture.h"
#include "tests/doubles/recording_outputs.h"
#include "ui/store/control_store.h"
#include "ui/store/indicators.h"

namespace glimmora {

class NoSleepClock : public Clock {
 public:
  void SleepMs(int) override {}
};

struct EngineRig {
  explicit EngineRig(std::uint32_t randomSeed = 1);

  // Magnitude `value` in the first bin of each band whose value is non-zero; every other bin 0.
  void SetBandBins(const float (&bandValues)[18]);
  // The whole total in one bin of band 1.
  void SetTotal(float total);

  ProcessState state;
  ControlStore store;
  Indicators indicators{state, store};
  ChannelState channels{state, store, indicators};
  FakeCapture capture;
  RecordingOutputs outputs;
  NoSleepClock clock;
  Engine engine;
};

}  // namespace glimmora
