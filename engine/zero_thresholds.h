// ZeroThresholds: the 18 threshold bars to 0, in ascending order. Called by the engine at the
// start of silence outside mode 1, and by start-up, the mode and preset commands and the
// hotkeys on whichever thread runs them.
//
// Thread: any; the control store serialises the writes.
#pragma once

namespace glimmora {

class ControlStore;

void ZeroThresholds(ControlStore& store);

}  // namespace glimmora
