// Records every operation a command calls, as text lines such as "SetChannel 0 0",
// "SaveSettings 12 34", "SaveSettings -" (without position), "OpenInfoWindow 1". Values
// the commands read back (window position and width, dialog results) are set by the test.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/operations.h"

namespace glimmora {

class RecordingOperations : public Operations {
 public:
  void UsbCheck() override;
  void SetChannel(int channel, int on) override;
  void ClearBandLevels() override;
  void SetKeyboardLed(char key, int on) override;
  void SampleLockKeys() override;
  void ZeroThresholds() override;
  void LoadThresholds() override;
  void SaveThresholds() override;
  void SaveSettings(std::optional<FramePosition> position) override;
  void SaveWindowPosition(int x, int y) override;
  void SaveChannelColour(int channel, int colour) override;
  void LoadPreset() override;
  void SavePreset() override;
  void ListEffects() override;
  void LoadEffect(const std::string& name) override;
  void ApplyLanguage(const std::string& fileName) override;
  void SetAutostart(int enable, const std::string& name) override;
  void ShowMainWindow() override;
  void HideMainWindow() override;
  FramePosition MainWindowPosition() override;
  int MainWindowClientWidth() override;
  void SetMainWindowClientSize(int width, int height) override;
  void ShowTrayMenu() override;
  void OpenInfoWindow(int windowId) override;
  void CloseInfoWindow(int windowId) override;
  std::optional<std::string> OpenEffectFileDialog() override;
  int ChooseColour() override;
  void WaitForEnginePassEnd() override;
  void SwitchOutputsOff() override;
  void LeaveEventLoop() override;

  std::vector<std::string> calls;

  // What the reading operations answer (they are not recorded).
  FramePosition position{};
  int clientWidth = 180;
  std::optional<std::string> dialogPath;
  int colour = -1;
  // Run inside LoadThresholds / ListEffects, e.g. to set ThresholdsLoaded or fill a list.
  std::function<void()> onLoadThresholds;
  std::function<void()> onListEffects;
  // Run inside SetKeyboardLed, e.g. to look at the state the command has set by then.
  std::function<void()> onSetKeyboardLed;
};

}  // namespace glimmora
