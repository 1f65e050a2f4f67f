#include "engine/mode_step.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/doubles/recording_outputs.h"
#include "ui/store/control_ids.h"

namespace glimmora {
namespace {

class ModeStepTest : public ::testing::Test {
 protected:
  void SetLevel(int channel, float level) { state.BandLevels[channel - 1] = level; }

  std::string LitChannels() const {
    std::string lit;
    for (int ch = 1; ch <= kChannelCount; ++ch) {
      if (state.ChannelOn[ch].load() == 1) lit += (lit.empty() ? "" : " ") + std::to_string(ch);
    }
    return lit;
  }

  ProcessState state;
  ControlStore store;
  Indicators indicators{state, store};
  ChannelState channels{state, store, indicators};
  RecordingOutputs outputs;
  ModeStep step{state, store, channels, indicators, outputs, 7};
  std::array<float, kSlots> snapshot{};
};

TEST_F(ModeStepTest, ManualLightsOnlyLevelsAboveTheirThreshold) {
  store.SetState(ThresholdBarId(1), 10);
  store.SetState(ThresholdBarId(2), 10);
  store.SetState(ThresholdBarId(3), 10);
  SetLevel(1, 10.0f);  // equal: off
  SetLevel(2, 10.01f);
  SetLevel(3, 39.0f);
  step.Run(1, 0, snapshot);
  EXPECT_EQ(LitChannels(), "2 3");
  EXPECT_EQ(state.BandLevels[2].load(), 30.0f) << "the bar redraw holds a level above 30 at 30";
}

TEST_F(ModeStepTest, AutoThresholdsJumpToLevelsAboveAndDropEveryAruthPass) {
  state.AruValue = 3;
  store.SetState(ThresholdBarId(1), 20);
  store.SetState(ThresholdBarId(2), 20);
  const struct {
    int threshold2;
    int aruCounter;
  } passes[] = {{20, 1}, {20, 2}, {11, 0}, {11, 1}};
  for (const auto& pass : passes) {
    SetLevel(1, 45.0f);  // the bar holds 39, and 45 stays above it
    SetLevel(2, 10.4f);
    step.Run(2, 0, snapshot);
    EXPECT_EQ(store.State(ThresholdBarId(1)), 39);
    EXPECT_EQ(store.State(ThresholdBarId(2)), pass.threshold2);
    EXPECT_EQ(step.AruCounter(), pass.aruCounter);
    EXPECT_EQ(LitChannels(), "1");
  }
}

TEST_F(ModeStepTest, RandomLevelsReplaceBandsAndLightThoseAboveOneThreshold) {
  for (int pass = 0; pass < 200; ++pass) {
    step.Run(3, 0, snapshot);
    float highestOff = -1.0f;
    float lowestOn = 41.0f;
    for (int b = 0; b < kChannelCount; ++b) {
      const float level = snapshot[b];
      ASSERT_EQ(state.BandLevels[b].load(), std::min(level, 30.0f));
      ASSERT_GE(level, 0.0f);
      ASSERT_LE(level, 40.0f);
      ASSERT_EQ(level, static_cast<float>(static_cast<int>(level)));
      if (state.ChannelOn[b + 1].load() == 1) {
        lowestOn = std::min(lowestOn, level);
      } else {
        highestOff = std::max(highestOff, level);
      }
    }
    // One threshold R in 26..39 per pass: lit levels exceed it, the others do not.
    EXPECT_GT(lowestOn, highestOff);
    EXPECT_GE(lowestOn, 27.0f);
    EXPECT_LE(highestOff, 39.0f);
  }
}

TEST_F(ModeStepTest, LevelBarGraph) {
  const struct {
    std::int16_t peak;
    std::int16_t input;
    const char* lit;
  } cases[] = {
      {1900, 1900, "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18"},
      {1900, 950, "1 2 3 4 5 6 7 8 9"},
      {1900, 100, ""},
      {10, 5, "1 2 3 4 5"},
      {1900, -5, ""},
  };
  for (const auto& c : cases) {
    step.SetLevelPeak(c.peak);
    outputs.calls.clear();
    step.Run(4, c.input, snapshot);
    EXPECT_EQ(LitChannels(), c.lit) << "peak " << c.peak << " input " << c.input;
    ASSERT_EQ(outputs.calls.size(), 18u);
    EXPECT_EQ(outputs.calls[0], c.input >= c.peak / 19 + 1 ? "dmx 1 255" : "dmx 1 0");
  }
}

TEST_F(ModeStepTest, LevelGroupOfThree) {
  const struct {
    std::int16_t peak;
    std::int16_t input;
    const char* lit;
  } cases[] = {
      {1000, 1000, "16 17 18"}, {1000, 900, "13 14 15"}, {1000, 500, "4 5 6"},
      {1000, 101, "1 2 3"},     {1000, 100, "1 2"},      {1, 1, "7 8 9"},
  };
  for (const auto& c : cases) {
    step.SetLevelPeak(c.peak);
    step.Run(5, c.input, snapshot);
    EXPECT_EQ(LitChannels(), c.lit) << "peak " << c.peak << " input " << c.input;
  }
}

TEST_F(ModeStepTest, LevelGroupStartingAtChannelZeroUsesTheAllChannelsForm) {
  step.SetLevelPeak(1000);
  step.Run(5, 100, snapshot);
  EXPECT_EQ(state.ChannelOn[0].load(), 1);
  const std::vector<std::string> first = {"dmx 0 255", "dmx 1 255", "dmx 2 255", "dmx 3 0"};
  EXPECT_EQ(std::vector<std::string>(outputs.calls.begin(), outputs.calls.begin() + 4), first);
  EXPECT_EQ(outputs.calls.size(), 19u);
}

TEST_F(ModeStepTest, LevelPeakFallsBy18PerPassDownTo10AndSurvivesOtherModes) {
  for (int mode : {4, 5}) {
    step.SetLevelPeak(100);
    std::vector<int> peaks;
    for (int pass = 0; pass < 6; ++pass) {
      step.Run(mode, 0, snapshot);
      peaks.push_back(step.LevelPeak());
    }
    EXPECT_EQ(peaks, (std::vector<int>{82, 64, 46, 28, 10, 10})) << "mode " << mode;
    step.Run(1, 500, snapshot);
    EXPECT_EQ(step.LevelPeak(), 10);
  }
}

TEST_F(ModeStepTest, ModesOutsideOneToFiveDecideNothing) {
  for (int mode : {0, 6, -1, 127}) {
    state.ChannelOn[4] = 1;
    SetLevel(4, 35.0f);
    step.Run(mode, 3000, snapshot);
    EXPECT_EQ(LitChannels(), "4") << "mode " << mode;
    EXPECT_TRUE(outputs.calls.empty());
  }
}

}  // namespace
}  // namespace glimmora
