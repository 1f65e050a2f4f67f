// The commands of the event loop: which event runs what, under which condition, and the
// steps of each command in their order. Commands work on the process state and the control
// store directly and reach everything else through Operations.
//
// Thread: main thread only (the engine thread runs at the same time and reads the state
// and the controls the commands change).
#pragma once

#include <optional>
#include <string>

#include "app/event.h"
#include "app/operations.h"

namespace glimmora {

class ControlStore;
struct ProcessState;

// Menu item ids of TrayMenu.
enum MenuItemId : int {
  MenuRestore = 1,
  MenuHide = 2,
  MenuHelp = 3,
  MenuLptScheme = 4,
  MenuHistory = 5,
  MenuAbout = 6,
  MenuExit = 10,
};

// Tray icon event types.
enum TrayEventType : int {
  TrayLeftPress = 0,
  TrayRightPress = 1,
  TrayLeftDoubleClick = 2,
  TrayRightDoubleClick = 3,
};

inline constexpr int kUsbCheckTimerId = 2;
inline constexpr int kUsbCheckPeriodMs = 500;
inline constexpr const char* kAutostartName = "Glimmora";

class Commands {
 public:
  Commands(ProcessState& state, ControlStore& store, Operations& operations);

  // Runs the command of the event; an event that matches no row does nothing.
  void Run(const Event& event);

 private:
  void RunWindowEvent(const Event& event);
  void RunControlEvent(const Event& event);

  void Exit();
  void Close();
  void Mode();
  void Language();
  void Effect();
  void Preset();
  void EffectFile();
  void Colour(int channel);
  void KeyboardToggled();
  void Expand();
  void Midpoint();
  void RestoreLockKeys();
  std::optional<FramePosition> SavablePosition();

  ProcessState& state_;
  ControlStore& store_;
  Operations& ops_;
};

}  // namespace glimmora
