#include "app/event_loop.h"

#include <QCoreApplication>

#include "app/operations.h"
#include "engine/process_state.h"

namespace glimmora {

EventLoop::EventLoop(ProcessState& state, Commands& commands, Operations& operations)
    : state_(state), commands_(commands), ops_(operations) {}

void EventLoop::Handle(const Event& event) {
  if (ended_) return;
  commands_.Run(event);
  if (state_.OutputsPaused == 1 && !outputsOff_) {
    outputsOff_ = true;
    ops_.WaitForEnginePassEnd();
    ops_.SwitchOutputsOff();
  }
  if (ended_) return;  // a nested dialog loop already left
  if (event.kind == EventKind::CloseRequested || state_.QuitRequested == 1) {
    ended_ = true;
    ops_.LeaveEventLoop();
  }
}

void EventLoop::Run() {
  if (!ended_) QCoreApplication::exec();
}

}  // namespace glimmora
