// Identifiers of the controls of all windows. They share one identifier space and are the
// vocabulary by which the event loop dispatches and the engine reads and sets controls.
#pragma once

namespace glimmora {

enum ControlId : int {
  UsbStatusLabel = 0,
  ThresholdBar1 = 1,  // ThresholdBar k = k, k = 1..18
  ThresholdBar18 = 18,
  ModeCombo = 19,
  LanguageCombo = 20,
  LevelBar = 21,
  AruBar = 23,
  KeyboardToggle = 24,
  EffectCombo = 25,
  PinCombo1 = 27,  // PinCombo k = 26 + k, k = 1..18
  PinCombo18 = 44,
  LptToggle = 45,
  PinLabelFirst = 46,  // the 18 pin labels are 46..63
  PinLabelLast = 63,
  ExpandButton = 64,
  MakerLabel = 65,
  BrightBar = 66,
  StepBar = 67,
  PresetCombo = 68,
  InvertToggle = 69,
  AuthorsOkButton = 71,
  HelpOkButton = 73,
  HistoryOkButton = 75,
  AutostartAddButton = 80,
  AutostartRemoveButton = 81,
  LoadEffectsButton = 82,
  EffectSpeedBar = 83,
  LptSchemeOkButton = 85,
  VersionLabel = 86,
  MidpointButton = 90,
  BandImage1 = 303,  // BandImage k = 302 + k, k = 1..18
  BandImage18 = 320,
};

constexpr int kChannelCount = 18;
constexpr int kMaxControlId = 400;

constexpr int ThresholdBarId(int channel) { return ThresholdBar1 - 1 + channel; }
constexpr int PinComboId(int pin) { return PinCombo1 - 1 + pin; }
constexpr int BandImageId(int channel) { return BandImage1 - 1 + channel; }

}  // namespace glimmora
