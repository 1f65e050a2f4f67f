#include "settings/thresholds.h"

#include "engine/process_state.h"
#include "settings/preference_store.h"
#include "settings/setting_keys.h"
#include "ui/store/control_ids.h"
#include "ui/store/control_store.h"

namespace glimmora {

void LoadThresholds(ProcessState& state, ControlStore& store) {
  if (!OpenPreferences(kSettingsFile)) {
    ClosePreferences();
    return;
  }
  for (int k = 1; k <= kChannelCount; ++k) store.SetState(ThresholdBarId(k), ReadNumber(NumberedKey("fr", k)));
  ClosePreferences();
  state.ThresholdsLoaded = 1;
}

void SaveThresholds(const ProcessState& state, const ControlStore& store) {
  if (state.LightMode != 1) return;
  OpenPreferences(kSettingsFile);
  for (int k = 1; k <= kChannelCount; ++k) WriteNumber(NumberedKey("fr", k), store.State(ThresholdBarId(k)));
  ClosePreferences();
}

}  // namespace glimmora
