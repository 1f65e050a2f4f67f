// The engine's passes and the main thread's all-off calls, level clears and threshold and
// language writes running at once. Meant to be run under ThreadSanitizer as well.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "engine/channel_state.h"
#include "ui/store/control_ids.h"
#include "ui/store/indicators.h"

namespace glimmora {
namespace {

constexpr int kPasses = 2000;

// A picture some whole redraw sequence could have left: uniform rows, the lamp in one colour,
// the bar rising from the bottom without gaps.
void ExpectWhole(const Picture& picture, const ProcessState& state, int channel) {
  ASSERT_EQ(picture.pixels.size(), 640u);
  for (int r = 0; r < 80; ++r) {
    for (int x = 1; x < 8; ++x) ASSERT_EQ(picture.pixels[r * 8 + x], picture.pixels[r * 8]) << "row " << r;
  }
  const std::uint32_t lamp = picture.pixels[5 * 8];
  for (int r = 5; r <= 14; ++r) ASSERT_EQ(picture.pixels[r * 8], lamp) << "channel " << channel << " row " << r;
  bool inBar = false;
  for (int r = 20; r < 80; ++r) {
    if ((80 - r) % 3 == 0) continue;
    const bool bar = picture.pixels[r * 8] == PixelOf(state.SpectrColor);
    ASSERT_TRUE(bar || picture.pixels[r * 8] == PixelOf(state.BkSpectrColor)) << "row " << r;
    ASSERT_TRUE(bar || !inBar) << "channel " << channel << ": gap in the bar at row " << r;
    inBar = inBar || bar;
  }
}

TEST(ChannelThreads, EnginePassesWhileTheMainThreadSwitchesOffClearsAndWrites) {
  ProcessState state;
  ControlStore store;
  Indicators indicators(state, store);
  ChannelState channels(state, store, indicators);
  std::vector<std::string> itemTexts;
  for (int item = 0; item <= kChannelCount; ++item) itemTexts.push_back(std::to_string(item));
  for (int pin = 1; pin <= kChannelCount; ++pin) {
    for (const std::string& text : itemTexts) store.AddItem(PinComboId(pin), text);
    store.SetState(PinComboId(pin), pin);
  }
  store.TakeChanges();
  std::atomic<int> changes{0};
  store.SetChangeNotifier([&changes] { changes.fetch_add(1, std::memory_order_relaxed); });

  std::atomic<bool> done{false};
  std::atomic<int> missingSelections{0};
  std::thread engine([&] {
    for (int pass = 0; pass < kPasses; ++pass) {
      channels.ResetLpt();
      for (int k = 1; k <= kChannelCount; ++k) {
        const int threshold = store.State(ThresholdBarId(k));
        state.BandLevels[k - 1].store(static_cast<float>((pass + k) % 35), std::memory_order_relaxed);
        auto unit = indicators.LockUnit();
        channels.SetChannel(k, (pass + k) % 3 == 0 || threshold > 30 ? 1 : 0);
        indicators.DrawBandBar(k - 1);
      }
      for (int pin = 1; pin <= kChannelCount; ++pin) {
        if (store.State(PinComboId(pin)) != pin) missingSelections.fetch_add(1);
      }
      const ChannelState::PortBytes bytes = channels.ComposePortBytes();
      EXPECT_GE(bytes.b, 64);
      EXPECT_GE(bytes.d, 128);
    }
    done = true;
  });
  int round = 0;
  while (!done) {
    channels.SetChannel(0, 0);
    indicators.ClearBandLevels();
    for (int k = 1; k <= kChannelCount; ++k) store.SetState(ThresholdBarId(k), (round + k) % 40);
    for (int pin = 1; pin <= kChannelCount; ++pin) store.ReplaceItemTexts(PinComboId(pin), itemTexts);
    ++round;
  }
  engine.join();

  EXPECT_EQ(missingSelections.load(), 0) << "a pin list was seen without its selection";
  EXPECT_GT(changes.load(), 0);
  Picture picture;
  for (int k = 1; k <= kChannelCount; ++k) {
    store.CopyPicture(BandImageId(k), picture);
    ExpectWhole(picture, state, k);
  }
}

}  // namespace
}  // namespace glimmora
