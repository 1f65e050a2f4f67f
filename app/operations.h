// Every operation a command of the event loop calls, behind one interface, so that the
// command table can run against a recording double in tests and against the real objects
// (app/real_operations.h) in the program.
//
// Thread: main thread only. Texts are Windows-1251 bytes.
#pragma once

#include <optional>
#include <string>

namespace glimmora {

// Left and top edge of a window's frame in screen coordinates.
struct FramePosition {
  int x = 0;
  int y = 0;
};

// The x a minimised window reports as its position; a move event at this x is not saved.
inline constexpr int kMinimisedX = -32000;

// Information window ids.
enum InfoWindowId : int {
  AuthorsWindowId = 1,
  HelpWindowId = 2,
  HistoryWindowId = 3,
  LptSchemeWindowId = 4,
};

class Operations {
 public:
  virtual ~Operations() = default;

  // Devices and channels.
  virtual void UsbCheck() = 0;
  virtual void SetChannel(int channel, int on) = 0;
  virtual void ClearBandLevels() = 0;
  virtual void SetKeyboardLed(char key, int on) = 0;
  // Lock-key states of Caps Lock, Num Lock, Scroll Lock into SavedCapsLock/NumLock/ScrollLock.
  virtual void SampleLockKeys() = 0;

  // Thresholds, settings, colours, presets.
  virtual void ZeroThresholds() = 0;
  virtual void LoadThresholds() = 0;
  virtual void SaveThresholds() = 0;
  // Writes setting.dat; with a position "X_form" and "Y_form" are written too.
  virtual void SaveSettings(std::optional<FramePosition> position) = 0;
  virtual void SaveWindowPosition(int x, int y) = 0;
  virtual void SaveChannelColour(int channel, int colour) = 0;
  virtual void LoadPreset() = 0;
  virtual void SavePreset() = 0;

  // Effects and language.
  virtual void ListEffects() = 0;
  virtual void LoadEffect(const std::string& name) = 0;
  // Applies the language file of that name (with its ".lng").
  virtual void ApplyLanguage(const std::string& fileName) = 0;
  virtual void SetAutostart(int enable, const std::string& name) = 0;

  // Main window.
  // Makes the window visible, then restores it from minimised or maximised and activates it.
  virtual void ShowMainWindow() = 0;
  virtual void HideMainWindow() = 0;
  // The frame's position; x is kMinimisedX while the window is minimised.
  virtual FramePosition MainWindowPosition() = 0;
  virtual int MainWindowClientWidth() = 0;
  // Sets the client size; the position stays.
  virtual void SetMainWindowClientSize(int width, int height) = 0;

  // Tray menu, information windows, dialogs.
  virtual void ShowTrayMenu() = 0;
  virtual void OpenInfoWindow(int windowId) = 0;
  virtual void CloseInfoWindow(int windowId) = 0;
  // The open-file dialog for effect files (title "ac9", filter "ac10"); the chosen path, or
  // nothing when cancelled. Does not change the current directory.
  virtual std::optional<std::string> OpenEffectFileDialog() = 0;
  // The colour dialog starting at black: the chosen colour (red in the low byte), -1 when cancelled.
  virtual int ChooseColour() = 0;

  // Ending.
  // Returns once the engine has finished the pass it is in (it is neither stopped nor joined).
  virtual void WaitForEnginePassEnd() = 0;
  // Shutdown steps 1-4: USB all off, LPT idle, port library unloaded, DMX 1..19 to 0.
  virtual void SwitchOutputsOff() = 0;
  // Leaves the toolkit's event loop; Run() returns afterwards.
  virtual void LeaveEventLoop() = 0;
};

}  // namespace glimmora
