// The global hotkeys, polled once per engine pass. Not built yet: the step changes nothing.
//
// Thread: the engine thread.
#pragma once

namespace glimmora {

struct ProcessState;
class ControlStore;

void HotkeyStep(ProcessState& state, ControlStore& store);

}  // namespace glimmora
