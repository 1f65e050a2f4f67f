// The presets shipped in data/ are exactly what SavePreset writes for their settings. With
// GLIMMORA_WRITE_PRESETS set to a directory, the presets are (re)written there instead.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "engine/process_state.h"
#include "settings/presets.h"
#include "tests/support/temp_directory.h"
#include "ui/store/control_ids.h"
#include "ui/store/control_store.h"

namespace glimmora {
namespace {

struct ShippedPreset {
  const char* name;
  int bright, step, level, aru, mode, effect, speed;
};

constexpr ShippedPreset kShipped[] = {
    // Dance floor: thresholds follow the music, bright and quick.
    {"Party", 15, 40, 45, 20, 2, 0, 1},
    // No light music, the first running-lights effect played slowly.
    {"Calm", 6, 10, 30, 30, 0, 0, 5},
    // The channels as a bar graph of the input level.
    {"LevelMeter", 12, 20, 35, 10, 4, 0, 2},
};

std::string Write(const ShippedPreset& preset) {
  ProcessState state;
  ControlStore store;
  state.PresetName = preset.name;
  state.EffectFileName = "effect.sdu";
  store.SetState(BrightBar, preset.bright);
  store.SetState(StepBar, preset.step);
  state.LevelValue = preset.level;
  state.AruValue = preset.aru;
  state.LightMode = static_cast<std::int8_t>(preset.mode);
  state.EffectIndex = static_cast<std::int8_t>(preset.effect);
  store.SetState(EffectSpeedBar, preset.speed);
  SavePreset(state, store);
  return std::string(preset.name) + ".patt";
}

TEST(ShippedPresetsTest, DataPresetsAreWhatTheProgramWrites) {
  if (const char* target = std::getenv("GLIMMORA_WRITE_PRESETS")) {
    std::filesystem::current_path(target);
    for (const ShippedPreset& preset : kShipped) Write(preset);
    GTEST_SKIP() << "presets written to " << target;
  }
  TempWorkingDirectory dir;
  for (const ShippedPreset& preset : kShipped) {
    const std::string file = Write(preset);
    EXPECT_EQ(ReadFileBytes(std::string(GLIMMORA_SOURCE_DIR) + "/data/" + file), ReadFileBytes(file)) << file;
  }
}

}  // namespace
}  // namespace glimmora
