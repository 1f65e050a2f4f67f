// The main event loop. The Qt layer (main window, tray icon, information windows, timer 2)
// delivers each event to Handle(); Handle runs the event's command and then the loop's own
// steps: when OutputsPaused is set, the outputs are switched off in the same pass (after
// the engine has finished the pass it is in, so no engine write follows the switch-off),
// and after a close request or once QuitRequested is set, the loop is left.
//
// Thread: main thread only. Handle may be re-entered from a nested dialog loop; once the
// loop has been left, further events are ignored.
#pragma once

#include "app/commands.h"
#include "app/event.h"

namespace glimmora {

class Operations;
struct ProcessState;

class EventLoop {
 public:
  EventLoop(ProcessState& state, Commands& commands, Operations& operations);

  // The event sink of the Qt layer.
  void Handle(const Event& event);
  // Runs the toolkit's event loop; returns when the program ends.
  void Run();
  bool Ended() const { return ended_; }

 private:
  ProcessState& state_;
  Commands& commands_;
  Operations& ops_;
  bool outputsOff_ = false;
  bool ended_ = false;
};

}  // namespace glimmora
