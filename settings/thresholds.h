// The manual thresholds fr1..fr18 of setting.dat and the threshold bars.
// Thread: main thread and engine thread (each uses its own open preference file).
#pragma once

namespace glimmora {

struct ProcessState;
class ControlStore;

// When setting.dat exists: ThresholdBar k = fr k for k = 1..18, then ThresholdsLoaded = 1.
// A missing file changes nothing.
void LoadThresholds(ProcessState& state, ControlStore& store);
// Only while LightMode is 1: writes fr1..fr18 from the threshold bars.
void SaveThresholds(const ProcessState& state, const ControlStore& store);

}  // namespace glimmora
