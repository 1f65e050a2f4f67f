#include "settings/presets.h"

#include <dirent.h>

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "engine/process_state.h"
#include "settings/preference_store.h"
#include "settings/setting_keys.h"
#include "ui/store/control_ids.h"
#include "ui/store/control_store.h"

namespace glimmora {
namespace {

constexpr std::string_view kPresetExtension = ".patt";
constexpr std::string_view kLanguageExtension = ".lng";
constexpr std::int32_t kDefaultEffectDelay = 2;

void FillList(ControlStore& store, int list, const std::string& directory, std::string_view extension,
              const std::string& selected) {
  store.ClearItems(list);
  int selection = -1;
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(directory.empty() ? "." : directory.c_str()), ::closedir);
  if (dir) {
    while (const dirent* entry = ::readdir(dir.get())) {
      const std::string_view name = entry->d_name;
      if (entry->d_type == DT_DIR || !name.ends_with(extension)) continue;
      if (selection < 0 && name.substr(0, name.size() - extension.size()) == selected) {
        selection = store.ItemCount(list);
      }
      store.AddItem(list, name.substr(0, name.size() - extension.size()));
    }
  }
  store.SetState(list, selection);
}

}  // namespace

void FillPresetCombo(ProcessState& state, ControlStore& store) {
  std::string directory, preset;
  {
    std::lock_guard lock(state.namesMutex);
    directory = state.ProgramDirectory;
    preset = state.PresetName;
  }
  FillList(store, PresetCombo, directory, kPresetExtension, preset);
}

void FillLanguageCombo(ProcessState& state, ControlStore& store) {
  std::string directory, language;
  {
    std::lock_guard lock(state.namesMutex);
    directory = state.ProgramDirectory;
    language = state.LanguageName;
  }
  FillList(store, LanguageCombo, directory, kLanguageExtension, language);
}

void LoadPreset(ProcessState& state, ControlStore& store) {
  if (!OpenPreferences(store.Text(PresetCombo) + std::string(kPresetExtension))) {
    ClosePreferences();
    return;
  }
  store.SetState(LevelBar, ReadNumber("Level"));
  store.SetState(AruBar, ReadNumber("ARU"));
  store.SetState(BrightBar, ReadNumber("Bright"));
  store.SetState(StepBar, ReadNumber("Step"));
  state.LightMode = static_cast<std::int8_t>(ReadNumber("EFFECT CMU"));
  state.EffectIndex = static_cast<std::int8_t>(ReadNumber("EFFECT SDU"));
  std::string effectFile = ReadText("EFFECT FILE", "effect.sdu");
  store.SetState(EffectSpeedBar, ReadInteger("EFFECT DELAY", kDefaultEffectDelay));
  {
    std::lock_guard lock(state.namesMutex);
    state.EffectFileName = std::move(effectFile);
  }
  store.SetState(ModeCombo, state.LightMode);
  ClosePreferences();
}

void SavePreset(const ProcessState& state, const ControlStore& store) {
  std::string name, effectFile;
  {
    std::lock_guard lock(state.namesMutex);
    name = state.PresetName;
    effectFile = state.EffectFileName;
  }
  OpenPreferences(name + std::string(kPresetExtension));
  WriteNumber("Bright", store.State(BrightBar));
  WriteNumber("Step", store.State(StepBar));
  WriteNumber("Level", state.LevelValue);
  WriteNumber("ARU", state.AruValue);
  WriteNumber("EFFECT CMU", state.LightMode);
  WriteNumber("EFFECT SDU", state.EffectIndex);
  WriteText("EFFECT FILE", effectFile);
  WriteInteger("EFFECT DELAY", store.State(EffectSpeedBar));
  ClosePreferences();
}

}  // namespace glimmora
