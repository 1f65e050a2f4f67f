#include "settings/presets.h"

#include <dirent.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/process_state.h"
#include "tests/support/temp_directory.h"
#include "ui/store/control_ids.h"
#include "ui/store/control_store.h"

namespace glimmora {
namespace {

class PresetsTest : public testing::Test {
 protected:
  PresetsTest() {
    for (int mode = 0; mode <= 5; ++mode) store.AddItem(ModeCombo, std::to_string(mode));
    std::filesystem::create_directory("program");
    state.ProgramDirectory = dir.Path() + "program/";
  }

  void ShowPreset(const std::string& name) {
    store.ClearItems(PresetCombo);
    store.AddItem(PresetCombo, name);
    store.SetState(PresetCombo, 0);
  }

  // The switch of presets as the event loop runs it, up to the load.
  void SwitchTo(const std::string& name) {
    ShowPreset(name);
    if (store.Text(PresetCombo) == state.PresetName) return;
    SavePreset(state, store);
    state.PresetName = store.Text(PresetCombo);
    LoadPreset(state, store);
  }

  // What the engine copies from the bars on its next pass.
  void EnginePass() {
    state.LevelValue = store.State(LevelBar);
    state.AruValue = store.State(AruBar);
  }

  TempWorkingDirectory dir;
  ProcessState state;
  ControlStore store;
};

TEST_F(PresetsTest, NewPresetFileHoldsTheEightKeysInOrder) {
  state.PresetName = "party";
  store.SetState(BrightBar, 15);
  store.SetState(StepBar, 200);
  state.LevelValue = 44;
  state.AruValue = 12;
  state.LightMode = 2;
  state.EffectIndex = -3;
  state.EffectFileName = "disco.sdu";
  store.SetState(EffectSpeedBar, 4);
  SavePreset(state, store);
  EXPECT_EQ(ReadFileBytes("party.patt"),
            "Bright = 15\r\nStep = 200\r\nLevel = 44\r\nARU = 12\r\nEFFECT CMU = 2\r\nEFFECT SDU = -3\r\n"
            "EFFECT FILE = disco.sdu\r\nEFFECT DELAY = 4\r\n");
}

TEST_F(PresetsTest, PresetWithOnlyLevel) {
  WriteFileBytes("calm.patt", "Level=10\r\n");
  state.LightMode = 3;
  state.EffectIndex = 4;
  state.EffectFileName = "other.sdu";
  store.SetState(BrightBar, 7);
  ShowPreset("calm");
  LoadPreset(state, store);
  EXPECT_EQ(store.State(LevelBar), 10);
  EXPECT_EQ(store.State(AruBar), 1);  // 0 clamped by the bar
  EXPECT_EQ(store.State(BrightBar), 0);
  EXPECT_EQ(store.State(StepBar), 0);
  EXPECT_EQ(state.LightMode, 0);
  EXPECT_EQ(state.EffectIndex, 0);
  EXPECT_EQ(state.EffectFileName, "effect.sdu");
  EXPECT_EQ(store.State(EffectSpeedBar), 2);
  EXPECT_EQ(store.State(ModeCombo), 0);
}

TEST_F(PresetsTest, ConversionsTruncationAndClamping) {
  WriteFileBytes("x.patt",
                 "EFFECT CMU=$3\r\nEFFECT DELAY=$3\r\nEFFECT SDU=200\r\nLevel=99\r\nStep=-4\r\nBright=abc\r\n");
  ShowPreset("x");
  LoadPreset(state, store);
  EXPECT_EQ(state.LightMode, 3);
  EXPECT_EQ(store.State(ModeCombo), 3);
  EXPECT_EQ(store.State(EffectSpeedBar), 0);  // the C-library rule knows no "$"
  EXPECT_EQ(state.EffectIndex, -56);          // low 8 bits, signed
  EXPECT_EQ(store.State(LevelBar), 60);
  EXPECT_EQ(store.State(StepBar), 0);
  EXPECT_EQ(store.State(BrightBar), 0);

  WriteFileBytes("y.patt", "EFFECT CMU=257\r\nEFFECT DELAY=letters\r\n");
  ShowPreset("y");
  LoadPreset(state, store);
  EXPECT_EQ(state.LightMode, 1);
  EXPECT_EQ(store.State(EffectSpeedBar), 0);
}

TEST_F(PresetsTest, MissingPresetChangesNothingAndEmptyNameSavesDotPatt) {
  store.SetState(LevelBar, 33);
  state.LightMode = 4;
  ShowPreset("gone");
  LoadPreset(state, store);
  EXPECT_EQ(store.State(LevelBar), 33);
  EXPECT_EQ(state.LightMode, 4);
  EXPECT_FALSE(std::filesystem::exists("gone.patt"));

  SavePreset(state, store);  // PresetName is empty
  EXPECT_TRUE(std::filesystem::exists(".patt"));
}

TEST_F(PresetsTest, SwitchingAToBAndBackRestoresA) {
  WriteFileBytes("B.patt", "Level=5\r\nARU=50\r\nBright=1\r\nStep=2\r\nEFFECT CMU=0\r\nEFFECT DELAY=5\r\n");
  state.PresetName = "A";
  store.SetState(LevelBar, 40);
  store.SetState(AruBar, 20);
  store.SetState(BrightBar, 9);
  store.SetState(StepBar, 77);
  store.SetState(EffectSpeedBar, 1);
  state.LightMode = 2;
  EnginePass();

  SwitchTo("B");
  EXPECT_EQ(store.State(LevelBar), 5);
  EXPECT_EQ(store.State(AruBar), 50);
  EXPECT_EQ(store.State(EffectSpeedBar), 5);
  EXPECT_EQ(state.LightMode, 0);
  EnginePass();

  SwitchTo("A");
  EXPECT_EQ(store.State(LevelBar), 40);
  EXPECT_EQ(store.State(AruBar), 20);
  EXPECT_EQ(store.State(BrightBar), 9);
  EXPECT_EQ(store.State(StepBar), 77);
  EXPECT_EQ(store.State(EffectSpeedBar), 1);
  EXPECT_EQ(state.LightMode, 2);
  EXPECT_EQ(store.State(ModeCombo), 2);
}

TEST_F(PresetsTest, ListsTheProgramDirectoryInListingOrderWithExactCaseSelection) {
  for (const char* name : {"Party.patt", "party.patt", ".patt", "notes.txt", "calm.PATT", "English.lng", ".lng"}) {
    WriteFileBytes(state.ProgramDirectory + name, "");
  }
  std::filesystem::create_directory(state.ProgramDirectory + "folder.patt");
  WriteFileBytes("working.patt", "");  // the working directory is not listed
  std::vector<std::string> listing;
  DIR* d = ::opendir(state.ProgramDirectory.c_str());
  while (const dirent* e = ::readdir(d)) listing.emplace_back(e->d_name);
  ::closedir(d);

  state.PresetName = "party";
  state.LanguageName = "english";
  FillPresetCombo(state, store);
  FillLanguageCombo(state, store);

  std::vector<std::string> presets, languages;
  for (const std::string& name : listing) {
    if (name.ends_with(".patt") && name != "folder.patt") presets.push_back(name.substr(0, name.size() - 5));
    if (name.ends_with(".lng")) languages.push_back(name.substr(0, name.size() - 4));
  }
  EXPECT_EQ(store.Items(PresetCombo), presets);
  EXPECT_EQ(store.Text(PresetCombo), "party");
  EXPECT_EQ(store.Items(LanguageCombo), languages);
  EXPECT_EQ(store.State(LanguageCombo), -1);  // "english" is not "English"

  state.PresetName = "";
  FillPresetCombo(state, store);
  EXPECT_EQ(store.Items(PresetCombo)[store.State(PresetCombo)], "");
}

}  // namespace
}  // namespace glimmora
