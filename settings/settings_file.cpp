#include "settings/settings_file.h"

#include <mutex>

#include "engine/process_state.h"
#include "settings/preference_store.h"
#include "settings/setting_keys.h"
#include "ui/store/control_ids.h"
#include "ui/store/control_store.h"

namespace glimmora {
namespace {

constexpr int kMinimisedLeft = -32000;
constexpr int kChannelsPerPin = 18;

}  // namespace

void ReadStartupSettings(ProcessState& state) {
  if (!OpenPreferences(kSettingsFile)) {
    ClosePreferences();
    return;
  }
  state.XForm = ReadNumber("X_form");
  state.YForm = ReadNumber("Y_form");
  state.UsbProductId = ReadNumber("PID");
  state.UsbVendorId = ReadNumber("VID");
  std::string preset = ReadText("Preset", "");
  std::string language = ReadText("Language", "");
  ClosePreferences();
  std::lock_guard lock(state.namesMutex);
  state.PresetName = std::move(preset);
  state.LanguageName = std::move(language);
}

void ReadSwitchesAndPins(ControlStore& store) {
  if (!OpenPreferences(kSettingsFile)) {
    ClosePreferences();
    return;
  }
  for (int k = 1; k <= kChannelCount; ++k) store.SetState(ThresholdBarId(k), ReadNumber(NumberedKey("fr", k)));
  store.SetState(KeyboardToggle, ReadNumber("KEY_LED"));
  store.SetState(LptToggle, ReadNumber("LPT_LED"));
  for (int pin = 1; pin <= kChannelCount; ++pin) {
    const int channel = ReadNumber(NumberedKey("OUT", pin));
    store.SetState(PinComboId(pin), channel >= 0 && channel <= kChannelsPerPin ? channel : -1);
  }
  store.SetState(InvertToggle, ReadNumber("Invert"));
  ClosePreferences();
}

void WritePinMapping(const ControlStore& store) {
  for (int pin = 1; pin <= kChannelCount; ++pin) {
    const int channel = store.State(PinComboId(pin));
    WriteNumber(NumberedKey("OUT", pin), channel < 0 ? 0 : channel);
  }
}

void SaveSettings(ProcessState&, const ControlStore& store, const WindowPosition* position) {
  OpenPreferences(kSettingsFile);
  WritePinMapping(store);
  WriteNumber("KEY_LED", store.State(KeyboardToggle));
  WriteNumber("LPT_LED", store.State(LptToggle));
  if (position) {
    WriteNumber("X_form", position->x);
    WriteNumber("Y_form", position->y);
  }
  WriteText("Preset", store.Text(PresetCombo));
  WriteText("Language", store.Text(LanguageCombo));
  WriteNumber("Invert", store.State(InvertToggle));
  ClosePreferences();
}

void SaveWindowPosition(int x, int y) {
  if (x == kMinimisedLeft) return;
  OpenPreferences(kSettingsFile);
  WriteNumber("X_form", x);
  WriteNumber("Y_form", y);
  ClosePreferences();
}

}  // namespace glimmora
