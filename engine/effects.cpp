#include "engine/effects.h"

namespace glimmora {

void ListEffects(ProcessState&, ControlStore&) {}

void LoadEffect(ProcessState&, const std::string&) {}

void EffectSelection(ProcessState&, ControlStore&) {}

void EffectStep(ProcessState&, ControlStore&) {}

}  // namespace glimmora
