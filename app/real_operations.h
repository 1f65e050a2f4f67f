// The program's Operations: each one forwards to the object of AppContext that does the
// work (control store, channels, indicators, USB link, keyboard, settings files, main
// window, tray menu, information windows, engine) or shows the toolkit's dialog.
//
// Objects that start-up has not created yet are skipped, so an operation never touches a
// null member; once start-up is complete every one of them exists.
//
// Thread: main thread only, like the commands that call it.
#pragma once

#include "app/operations.h"

namespace glimmora {

struct AppContext;

class RealOperations : public Operations {
 public:
  explicit RealOperations(AppContext& context) : context_(context) {}

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
  // The chosen file's path as the file system names it (its bytes unconverted, the way the
  // preset and language lists hold directory entries), so that opening it by name finds it.
  std::optional<std::string> OpenEffectFileDialog() override;
  int ChooseColour() override;

  void WaitForEnginePassEnd() override;
  // The one switch-off path of the program's end (app/shutdown.h); it runs once.
  void SwitchOutputsOff() override;
  void LeaveEventLoop() override;

 private:
  AppContext& context_;
};

}  // namespace glimmora
