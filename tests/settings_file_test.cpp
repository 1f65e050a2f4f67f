#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "engine/process_state.h"
#include "settings/colours.h"
#include "settings/thresholds.h"
#include "tests/support/temp_directory.h"
#include "ui/store/control_ids.h"
#include "ui/store/control_store.h"

namespace glimmora {
namespace {

class SettingsFileTest : public testing::Test {
 protected:
  SettingsFileTest() {
    // The pin lists offer "no channel" and the 18 channels, as the main window fills them.
    for (int pin = 1; pin <= kChannelCount; ++pin) {
      for (int item = 0; item <= 18; ++item) store.AddItem(PinComboId(pin), std::to_string(item));
    }
    store.AddItem(PresetCombo, "party");
    store.SetState(PresetCombo, 0);
    store.AddItem(LanguageCombo, "English");
    store.SetState(LanguageCombo, 0);
  }

  static std::string PinLines(int firstPinChannel) {
    std::string lines = "OUT1 = " + std::to_string(firstPinChannel) + "\r\n";
    for (int pin = 2; pin <= 18; ++pin) lines += "OUT" + std::to_string(pin) + " = 0\r\n";
    return lines;
  }

  TempWorkingDirectory dir;
  ProcessState state;
  ControlStore store;
};

TEST_F(SettingsFileTest, ExitCreatesTheKeysInOrderOfFirstWritingWithoutPosition) {
  store.SetState(PinComboId(1), 3);
  store.SetState(KeyboardToggle, 1);
  SaveSettings(state, store, nullptr);
  EXPECT_EQ(ReadFileBytes("setting.dat"),
            PinLines(3) + "KEY_LED = 1\r\nLPT_LED = 0\r\nPreset = party\r\nLanguage = English\r\nInvert = 0\r\n");
}

TEST_F(SettingsFileTest, CloseWritesThePositionAndLeavesHandWrittenIdsAlone) {
  WriteFileBytes("setting.dat", "PID=$5DF\r\nVID=0x16C0\r\nX_form=1\r\n");
  const WindowPosition position{-32000, 40};  // written as it is at a close request
  SaveSettings(state, store, &position);
  EXPECT_EQ(ReadFileBytes("setting.dat"), "PID = $5DF\r\nVID = 0x16C0\r\nX_form = -32000\r\n" + PinLines(0) +
                                              "KEY_LED = 0\r\nLPT_LED = 0\r\nY_form = 40\r\nPreset = party\r\n"
                                              "Language = English\r\nInvert = 0\r\n");
  ReadStartupSettings(state);
  EXPECT_EQ(state.UsbProductId, 0x5DF);
  EXPECT_EQ(state.UsbVendorId, 0);  // "0x" is not a hexadecimal prefix here
  EXPECT_EQ(state.XForm, -32000);
  EXPECT_EQ(state.YForm, 40);
  EXPECT_EQ(state.PresetName, "party");
  EXPECT_EQ(state.LanguageName, "English");
}

TEST_F(SettingsFileTest, WindowMoves) {
  SaveWindowPosition(-32000, 5);  // minimised: nothing
  EXPECT_FALSE(std::filesystem::exists("setting.dat"));
  SaveWindowPosition(120, -3);
  EXPECT_EQ(ReadFileBytes("setting.dat"), "X_form = 120\r\nY_form = -3\r\n");
}

TEST_F(SettingsFileTest, MissingFileReadsNothing) {
  state.PresetName = "kept";
  store.SetState(ThresholdBarId(4), 9);
  ReadStartupSettings(state);
  ReadSwitchesAndPins(store);
  LoadThresholds(state, store);
  EXPECT_EQ(state.PresetName, "kept");
  EXPECT_EQ(store.State(ThresholdBarId(4)), 9);
  EXPECT_EQ(state.ThresholdsLoaded, 0);
  EXPECT_FALSE(std::filesystem::exists("setting.dat"));
}

TEST_F(SettingsFileTest, SwitchesPinsAndThresholdsGoStraightIntoTheControls) {
  WriteFileBytes("setting.dat",
                 "fr1=12\r\nfr2=99\r\nfr3=abc\r\nKEY_LED=1\r\nLPT_LED=$1\r\nOUT1=18\r\nOUT2=19\r\nOUT3=-1\r\n"
                 "OUT4=$A\r\nInvert=1\r\n");
  ReadSwitchesAndPins(store);
  EXPECT_EQ(store.State(ThresholdBarId(1)), 12);
  EXPECT_EQ(store.State(ThresholdBarId(2)), store.Maximum(ThresholdBarId(2)));
  EXPECT_EQ(store.State(ThresholdBarId(3)), 0);
  EXPECT_EQ(store.State(KeyboardToggle), 1);
  EXPECT_EQ(store.State(LptToggle), 1);
  EXPECT_EQ(store.State(PinComboId(1)), 18);
  EXPECT_EQ(store.State(PinComboId(2)), -1);  // outside 0..18: no selection
  EXPECT_EQ(store.State(PinComboId(3)), -1);
  EXPECT_EQ(store.State(PinComboId(4)), 10);
  EXPECT_EQ(store.State(InvertToggle), 1);

  // A pin without a selection is written back as 0 (no channel).
  SaveSettings(state, store, nullptr);
  ReadSwitchesAndPins(store);
  EXPECT_EQ(store.State(PinComboId(2)), 0);
  EXPECT_EQ(store.State(PinComboId(1)), 18);
}

TEST_F(SettingsFileTest, ThresholdsAreSavedOnlyInModeOne) {
  WriteFileBytes("setting.dat", "fr1=5\r\n");
  store.SetState(ThresholdBarId(1), 20);
  state.LightMode = 2;
  SaveThresholds(state, store);
  EXPECT_EQ(ReadFileBytes("setting.dat"), "fr1=5\r\n");

  state.LightMode = 1;
  SaveThresholds(state, store);
  std::string expected = "fr1 = 20\r\n";
  for (int k = 2; k <= 18; ++k) {
    expected += "fr" + std::to_string(k) + " = " + std::to_string(store.State(ThresholdBarId(k))) + "\r\n";
  }
  EXPECT_EQ(ReadFileBytes("setting.dat"), expected);

  store.SetState(ThresholdBarId(1), 0);
  LoadThresholds(state, store);
  EXPECT_EQ(store.State(ThresholdBarId(1)), 20);
  EXPECT_EQ(state.ThresholdsLoaded, 1);
}

TEST_F(SettingsFileTest, ColourFilePresentButEmptyGivesNineteenRedLamps) {
  WriteFileBytes("LedColor.dat", "");
  LoadColours(state);
  for (int k = 0; k < kSlots; ++k) EXPECT_EQ(state.ChannelColours[k], 255u) << k;
  EXPECT_EQ(state.SpectrColor, Rgb(0, 255, 0));

  SaveChannelColour(state, 4, -1);  // cancelled dialog
  EXPECT_EQ(ReadFileBytes("LedColor.dat"), "");
  SaveChannelColour(state, 4, 16711680);
  EXPECT_EQ(ReadFileBytes("LedColor.dat"), "4 = 16711680\r\n");
  EXPECT_EQ(state.ChannelColours[4], 16711680u);
}

TEST_F(SettingsFileTest, ColourFileReadsKeysWithTheirDefaults) {
  WriteFileBytes("LedColor.dat", "0=0\r\n18=$FF\r\n7=65280\r\nBkSpectrColor=1\r\n");
  LoadColours(state);
  EXPECT_EQ(state.ChannelColours[0], 0u);
  EXPECT_EQ(state.ChannelColours[18], 0u);  // decimal only
  EXPECT_EQ(state.ChannelColours[7], 65280u);
  EXPECT_EQ(state.ChannelColours[1], 255u);
  EXPECT_EQ(state.BkSpectrColor, 1u);
  EXPECT_EQ(state.GdSpectrColor, Rgb(207, 207, 207));
}

TEST_F(SettingsFileTest, AbsentColourFileGivesGreyOffLampsAndChoosingAColourCreatesNothing) {
  state.ChannelColours[3] = 1;
  LoadColours(state);
  EXPECT_EQ(state.ChannelColours[0], Rgb(187, 187, 187));
  for (int k = 1; k < kSlots; ++k) EXPECT_EQ(state.ChannelColours[k], 255u) << k;
  SaveChannelColour(state, 3, 65280);
  EXPECT_EQ(state.ChannelColours[3], 255u);
  EXPECT_FALSE(std::filesystem::exists("LedColor.dat"));
}

}  // namespace
}  // namespace glimmora
