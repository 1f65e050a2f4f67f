#include "engine/engine_loop.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "engine/band_analysis.h"
#include "engine/zero_thresholds.h"
#include "settings/thresholds.h"
#include "tests/doubles/engine_rig.h"
#include "tests/support/temp_directory.h"
#include "ui/store/control_ids.h"

namespace glimmora {
namespace {

std::vector<std::string> CallsStartingWith(const std::vector<std::string>& calls, const std::string& prefixes) {
  std::vector<std::string> out;
  for (const std::string& call : calls) {
    if (prefixes.find(call.substr(0, 3)) != std::string::npos) out.push_back(call);
  }
  return out;
}

TEST(BandAnalysis, EveryBinBelongsToOneBandAndTheTotalLeavesOutBandZero) {
  std::array<float, kSpectrumBins> spectrum;
  spectrum.fill(1.0f);
  std::array<float, kSlots> levels{};
  KeyLevels keys;
  SumBands(spectrum, levels, keys);
  const float widths[kBandCount] = {4, 4, 4, 4, 8, 8, 16, 16, 32, 32, 64, 64, 128, 128, 256, 256, 512, 512};
  for (int b = 0; b < kBandCount; ++b) EXPECT_EQ(levels[b], widths[b]) << "band " << b;
  EXPECT_EQ(levels[kTotalSlot], 2044.0f);
}

TEST(BandAnalysis, LowMidAndHighSubtractTheLevelsAlreadyDivided) {
  std::array<float, kSpectrumBins> spectrum{};
  for (int b = 0; b < kBandCount; ++b) spectrum[kBandFirstBin[b]] = static_cast<float>(b);
  std::array<float, kSlots> levels{};
  KeyLevels keys;
  SumBands(spectrum, levels, keys);
  EXPECT_EQ(levels[kTotalSlot], 153.0f);
  EXPECT_FLOAT_EQ(keys.level[0], 3.5f);                   // (1 + ... + 7) / 8
  EXPECT_FLOAT_EQ(keys.level[1], (78.0f - 3.5f) / 5.0f);  // 7/8 of bands 1..7 and bands 8..12, / 5
  EXPECT_FLOAT_EQ(keys.level[2], (153.0f - 3.5f - 14.9f) / 5.0f);
}

TEST(BandAnalysis, GainAtTheBoundariesOfItsTable) {
  const struct {
    float total;
    int gain;
  } cases[] = {{0.1f, 8},    {0.1061f, 8}, {0.1063f, 7}, {0.1411f, 7}, {0.1413f, 6}, {0.1966f, 6},
               {0.1968f, 5}, {0.2926f, 5}, {0.2928f, 4}, {0.4799f, 4}, {0.4801f, 3}, {0.923f, 3},
               {0.9232f, 2}, {2.3999f, 2}, {2.4f, 1},    {11.999f, 1}, {12.0f, 0},   {1000.0f, 0}};
  for (const auto& c : cases) EXPECT_EQ(GainOf(c.total), c.gain) << "total " << c.total;
}

TEST(BandAnalysis, NearestIntegerTiesGoToEvenAndLargeValuesSaturate) {
  const struct {
    double value;
    int nearest;
  } cases[] = {{0.5, 0},
               {1.5, 2},
               {2.5, 2},
               {-0.5, 0},
               {-1.5, -2},
               {2.4999, 2},
               {1e30, std::numeric_limits<int>::max()},
               {-1e30, std::numeric_limits<int>::min()}};
  for (const auto& c : cases) EXPECT_EQ(NearestInt(c.value), c.nearest) << c.value;
}

TEST(BandAnalysis, InputLevelHoldsAClippedInputAsTheLoudest) {
  const struct {
    std::uint32_t word;
    std::int16_t level;
  } cases[] = {{0, 0},           {0x0BB80BB8u, 3000}, {0x7FFF7FFFu, 32767}, {0x80008000u, 32767}, {0x00008000u, 32767},
               {0x0001FFFFu, -1}};
  for (const auto& c : cases) EXPECT_EQ(InputLevelOf(c.word), c.level) << std::hex << c.word;
}

TEST(BandAnalysis, KeyPeaksFollowASteadyLevel) {
  // A steady 5.3 keeps the peak at 5 with the LED on; a steady 5.6 alternates 6/5 and on/off.
  KeyLevels keys;
  keys.level = {5.3f, 5.6f, 5.6f};
  keys.peak[2] = 9;
  const int lowPeak[] = {5, 5, 5, 5};
  const int midPeak[] = {6, 5, 6, 5};
  const int midLed[] = {1, 0, 1, 0};
  for (int pass = 0; pass < 4; ++pass) {
    UpdateKeyFlags(keys);
    EXPECT_EQ(keys.peak[2], 8 - pass) << "a peak above its level falls by 1 per pass";
    EXPECT_EQ(keys.peak[0], lowPeak[pass]);
    EXPECT_EQ(keys.ledOn[0], 1);
    EXPECT_EQ(keys.peak[1], midPeak[pass]);
    EXPECT_EQ(keys.ledOn[1], midLed[pass]);
  }
}

TEST(EnginePass, SilenceDecisionGainAndSleep) {
  const struct {
    const char* what;
    int mode;
    int band;
    float value;
    bool sounding;
    int gain;
    int sleepMs;
  } cases[] = {
      {"a total of exactly 0.1", 1, 1, 0.1f, true, 8, 50},
      {"just below 0.1", 1, 1, std::nextafter(0.1f, 0.0f), false, 0, 5},
      {"sound in bins 0..3 only", 1, 0, 500.0f, false, 0, 5},
      {"a total of 12", 4, 1, 12.0f, true, 0, 50},
      {"mode 0 sounding", 0, 5, 1.0f, true, 2, 5},
      {"a mode outside 0..5", 9, 17, 1.0f, true, 2, 50},
  };
  for (const auto& c : cases) {
    EngineRig rig;
    rig.state.LightMode = static_cast<std::int8_t>(c.mode);
    float bands[kBandCount] = {};
    bands[c.band] = c.value;
    rig.SetBandBins(bands);
    EXPECT_EQ(rig.engine.Pass(), c.sleepMs) << c.what;
    EXPECT_EQ(rig.engine.LastPassSounding(), c.sounding) << c.what;
    if (c.sounding) {
      EXPECT_EQ(rig.engine.Gain(), c.gain) << c.what;
    }
    EXPECT_EQ(rig.capture.levelCalls, 1);
    EXPECT_EQ(rig.capture.spectrumCalls, 1);
  }
}

TEST(EnginePass, ScalingPerModeUsesTheLevelOfThePreviousPass) {
  // Band 1 alone at 0.15: gain round(sqrt(round(6 / 0.15))) = 6.
  const struct {
    int mode;
    float firstPass;
    float secondPass;
  } cases[] = {
      {1, 0.0f, std::sqrt(0.15f * 6) * 10},
      {2, 0.0f, 0.15f * 6 * 10 * 2.2f},
      {4, 0.9f, 0.9f},
      {0, 0.9f, 0.9f},
  };
  for (const auto& c : cases) {
    EngineRig rig;
    rig.state.LightMode = static_cast<std::int8_t>(c.mode);
    rig.store.SetState(LevelBar, 10);
    rig.store.SetState(ThresholdBarId(2), 39);  // keeps mode 2 from moving its bar into the way
    float bands[kBandCount] = {};
    bands[1] = 0.15f;
    rig.SetBandBins(bands);

    rig.engine.Pass();
    EXPECT_EQ(rig.engine.Gain(), 6);
    EXPECT_NEAR(rig.engine.BandSnapshot()[1], c.firstPass, 1e-4) << "mode " << c.mode;
    EXPECT_FLOAT_EQ(rig.engine.BandSnapshot()[kTotalSlot], std::sqrt(0.15f));
    for (float level : rig.engine.Keys().level) EXPECT_EQ(level, 0.0f) << "mode " << c.mode;
    EXPECT_EQ(rig.state.LevelValue.load(), 10);

    rig.engine.Pass();
    EXPECT_NEAR(rig.engine.BandSnapshot()[1], c.secondPass, 1e-4) << "mode " << c.mode;
    const float low = 0.15f / 8;
    const float mid = (0.15f - low) / 5;
    const float high = (0.15f - low - mid) / 5;
    const float expected[3] = {std::sqrt(low * 6) * 10, std::sqrt(mid * 6) * 10, std::sqrt(high * 6) * 10};
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(rig.engine.Keys().level[i], expected[i], 1e-4);
  }
}

TEST(EnginePass, AClippedInputIsTheLoudestInTheLevelModes) {
  std::vector<std::int16_t> samples = ToneSamples(1000.0, 3000.0);
  samples.back() = -32768;
  const struct {
    int mode;
    int firstLit;
    int lastLit;
  } cases[] = {{4, 1, 18}, {5, 16, 18}};
  for (const auto& c : cases) {
    EngineRig rig;
    rig.state.LightMode = static_cast<std::int8_t>(c.mode);
    rig.capture.SetSamples(samples);
    ASSERT_EQ(rig.capture.level & 0xFFFFu, 0x8000u);
    rig.engine.Pass();
    EXPECT_EQ(rig.engine.InputLevel(), 32767);
    for (int ch = 1; ch <= kChannelCount; ++ch) {
      EXPECT_EQ(rig.state.ChannelOn[ch].load(), ch >= c.firstLit && ch <= c.lastLit ? 1 : 0)
          << "mode " << c.mode << " channel " << ch;
    }
  }
}

TEST(EnginePass, NineteenSilentPassesKeepTheChannelsOffThenTheEffectMayPlay) {
  EngineRig rig;
  rig.state.LightMode = 1;
  rig.state.ThresholdsLoaded = 1;
  ZeroThresholds(rig.store);
  rig.store.SetState(LevelBar, 10);
  rig.SetTotal(1.0f);
  rig.engine.Pass();
  rig.engine.Pass();
  ASSERT_EQ(rig.state.ChannelOn[2].load(), 1);
  ASSERT_EQ(rig.engine.SoundHoldCounter(), Engine::kSoundHold);

  rig.SetTotal(0.0f);
  for (int pass = 1; pass <= 20; ++pass) {
    rig.state.ChannelOn[5] = 1;  // lit by someone else since the last pass
    rig.engine.Pass();
    EXPECT_EQ(rig.engine.SoundHoldCounter(), 20 - pass);
    EXPECT_EQ(rig.state.ChannelOn[5].load(), pass < 20 ? 0 : 1) << "silent pass " << pass;
  }
  EXPECT_EQ(rig.state.ChannelOn[2].load(), 0);
}

TEST(EnginePass, ModeZeroNeverHoldsTheChannels) {
  EngineRig rig;
  rig.SetTotal(1.0f);
  rig.engine.Pass();
  EXPECT_EQ(rig.engine.SoundHoldCounter(), 0);
}

TEST(EnginePass, FirstSilentPassAfterSoundClearsBarsAndZeroesThresholdsOnce) {
  EngineRig rig;
  rig.state.LightMode = 2;
  rig.state.ThresholdsLoaded = 1;
  rig.store.SetState(LevelBar, 10);
  rig.SetTotal(0.2f);
  rig.engine.Pass();
  rig.engine.Pass();
  ASSERT_GT(rig.store.State(ThresholdBarId(2)), 0);
  Picture sounding;
  rig.store.CopyPicture(BandImageId(2), sounding);

  rig.SetTotal(0.0f);
  rig.engine.Pass();
  for (int ch = 1; ch <= kChannelCount; ++ch) EXPECT_EQ(rig.store.State(ThresholdBarId(ch)), 0) << ch;
  for (int b = 0; b < kSlots; ++b) EXPECT_EQ(rig.state.BandLevels[b].load(), 0.0f);
  Picture silent;
  rig.store.CopyPicture(BandImageId(2), silent);
  EXPECT_NE(silent.pixels, sounding.pixels);

  rig.store.SetState(ThresholdBarId(3), 7);
  rig.engine.Pass();
  EXPECT_EQ(rig.store.State(ThresholdBarId(3)), 7);
}

TEST(EnginePass, ManualModeLoadsItsThresholdsInSilenceWhileNotLoaded) {
  TempWorkingDirectory directory;
  EngineRig rig;
  rig.state.LightMode = 1;
  rig.store.SetState(ThresholdBarId(3), 12);
  SaveThresholds(rig.state, rig.store);
  rig.store.SetState(ThresholdBarId(3), 0);

  rig.engine.Pass();
  EXPECT_EQ(rig.store.State(ThresholdBarId(3)), 12);
  EXPECT_EQ(rig.state.ThresholdsLoaded.load(), 1);
  rig.store.SetState(ThresholdBarId(3), 5);
  rig.engine.Pass();
  EXPECT_EQ(rig.store.State(ThresholdBarId(3)), 5);
}

TEST(EnginePass, DeviceOutputsInTheirOrderAndWhilePaused) {
  const struct {
    int lptToggle;
    int paused;
    std::vector<std::string> expected;
  } cases[] = {
      {1, 0, {"led n 0", "led c 0", "led s 0", "usb 63 127 191", "lpt 888 255", "lpt 890 4"}},
      {0, 0, {"led n 0", "led c 0", "led s 0", "usb 63 127 191", "lpt 888 0", "lpt 890 11"}},
      {1, 1, {"led n 0", "led c 0", "led s 0"}},
  };
  for (const auto& c : cases) {
    EngineRig rig;
    rig.state.LightMode = 4;
    rig.state.OutputsPaused = c.paused;
    rig.store.SetState(LptToggle, c.lptToggle);
    rig.store.SetState(KeyboardToggle, 1);
    rig.capture.SetSamples(ToneSamples(1000.0, 3000.0));
    rig.engine.Pass();  // the first pass's peak is the level itself: all 18 channels lit
    EXPECT_EQ(CallsStartingWith(rig.outputs.calls, "led usb lpt"), c.expected)
        << "LPT " << c.lptToggle << " paused " << c.paused;
    EXPECT_FALSE(CallsStartingWith(rig.outputs.calls, "dmx").empty());
  }
}

TEST(EnginePass, SilentPassSwitchesTheLockLedsOff) {
  EngineRig rig;
  rig.store.SetState(KeyboardToggle, 1);
  rig.engine.Pass();
  EXPECT_EQ(rig.outputs.calls,
            (std::vector<std::string>{"led n 0", "led c 0", "led s 0", "usb 0 64 128", "lpt 888 0", "lpt 890 11"}));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(rig.engine.Keys().peak[i], -1);
}

TEST(EnginePass, DmxBandValuesGoOutOnlyWhenTheyChange) {
  EngineRig rig;
  rig.state.LightMode = 4;
  float bands[kBandCount] = {};
  bands[0] = 0.3f;  // not part of the total
  bands[2] = 0.5f;  // total 0.5: gain 3
  rig.SetBandBins(bands);
  const std::vector<std::string> bandValues = {"dmx 1 1", "dmx 3 2"};
  // Mode 4 first sends 0 or 255 for each of the 18 channels; the band values follow.
  rig.engine.Pass();
  std::vector<std::string> dmx = CallsStartingWith(rig.outputs.calls, "dmx");
  ASSERT_EQ(dmx.size(), 20u);
  EXPECT_EQ(std::vector<std::string>(dmx.begin() + 18, dmx.end()), bandValues);

  rig.outputs.calls.clear();
  rig.engine.Pass();
  EXPECT_EQ(CallsStartingWith(rig.outputs.calls, "dmx").size(), 18u);

  rig.outputs.calls.clear();
  rig.state.LightMode = 0;
  bands[2] = 0.8f;
  rig.SetBandBins(bands);
  rig.engine.Pass();
  EXPECT_TRUE(CallsStartingWith(rig.outputs.calls, "dmx").empty());
}

}  // namespace
}  // namespace glimmora
