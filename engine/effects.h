// Running-lights effects: the effect list of the current effect file, the selected effect and
// its playing. The effect file reader and player are not built yet: the list stays empty,
// nothing is loaded, and the selection and the step change nothing.
//
// Thread: ListEffects and LoadEffect on the main thread; EffectSelection and EffectStep on
// the engine thread, once per pass.
#pragma once

#include <string>

namespace glimmora {

struct ProcessState;
class ControlStore;

void ListEffects(ProcessState& state, ControlStore& store);
void LoadEffect(ProcessState& state, const std::string& name);
void EffectSelection(ProcessState& state, ControlStore& store);
void EffectStep(ProcessState& state, ControlStore& store);

}  // namespace glimmora
