#include "tests/doubles/recording_operations.h"

namespace glimmora {

namespace {

std::string Numbers(const char* name, int a) { return std::string(name) + " " + std::to_string(a); }
std::string Numbers(const char* name, int a, int b) { return Numbers(name, a) + " " + std::to_string(b); }

}  // namespace

void RecordingOperations::UsbCheck() { calls.push_back("UsbCheck"); }
void RecordingOperations::SetChannel(int channel, int on) { calls.push_back(Numbers("SetChannel", channel, on)); }
void RecordingOperations::ClearBandLevels() { calls.push_back("ClearBandLevels"); }
void RecordingOperations::SetKeyboardLed(char key, int on) {
  calls.push_back(std::string("SetKeyboardLed ") + key + " " + std::to_string(on));
  if (onSetKeyboardLed) onSetKeyboardLed();
}
void RecordingOperations::SampleLockKeys() { calls.push_back("SampleLockKeys"); }
void RecordingOperations::ZeroThresholds() { calls.push_back("ZeroThresholds"); }
void RecordingOperations::LoadThresholds() {
  calls.push_back("LoadThresholds");
  if (onLoadThresholds) onLoadThresholds();
}
void RecordingOperations::SaveThresholds() { calls.push_back("SaveThresholds"); }
void RecordingOperations::SaveSettings(std::optional<FramePosition> at) {
  calls.push_back(at ? Numbers("SaveSettings", at->x, at->y) : "SaveSettings -");
}
void RecordingOperations::SaveWindowPosition(int x, int y) { calls.push_back(Numbers("SaveWindowPosition", x, y)); }
void RecordingOperations::SaveChannelColour(int channel, int value) {
  calls.push_back(Numbers("SaveChannelColour", channel, value));
}
void RecordingOperations::LoadPreset() { calls.push_back("LoadPreset"); }
void RecordingOperations::SavePreset() { calls.push_back("SavePreset"); }
void RecordingOperations::ListEffects() {
  calls.push_back("ListEffects");
  if (onListEffects) onListEffects();
}
void RecordingOperations::LoadEffect(const std::string& name) { calls.push_back("LoadEffect " + name); }
void RecordingOperations::ApplyLanguage(const std::string& fileName) { calls.push_back("ApplyLanguage " + fileName); }
void RecordingOperations::SetAutostart(int enable, const std::string& name) {
  calls.push_back(Numbers("SetAutostart", enable) + " " + name);
}
void RecordingOperations::ShowMainWindow() { calls.push_back("ShowMainWindow"); }
void RecordingOperations::HideMainWindow() { calls.push_back("HideMainWindow"); }
FramePosition RecordingOperations::MainWindowPosition() { return position; }
int RecordingOperations::MainWindowClientWidth() { return clientWidth; }
void RecordingOperations::SetMainWindowClientSize(int width, int height) {
  calls.push_back(Numbers("SetMainWindowClientSize", width, height));
}
void RecordingOperations::ShowTrayMenu() { calls.push_back("ShowTrayMenu"); }
void RecordingOperations::OpenInfoWindow(int windowId) { calls.push_back(Numbers("OpenInfoWindow", windowId)); }
void RecordingOperations::CloseInfoWindow(int windowId) { calls.push_back(Numbers("CloseInfoWindow", windowId)); }
std::optional<std::string> RecordingOperations::OpenEffectFileDialog() {
  calls.push_back("OpenEffectFileDialog");
  return dialogPath;
}
int RecordingOperations::ChooseColour() {
  calls.push_back("ChooseColour");
  return colour;
}
void RecordingOperations::WaitForEnginePassEnd() { calls.push_back("WaitForEnginePassEnd"); }
void RecordingOperations::SwitchOutputsOff() { calls.push_back("SwitchOutputsOff"); }
void RecordingOperations::LeaveEventLoop() { calls.push_back("LeaveEventLoop"); }

}  // namespace glimmora
