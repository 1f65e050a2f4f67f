#include "engine/hotkeys.h"

namespace glimmora {

void HotkeyStep(ProcessState&, ControlStore&) {}

}  // namespace glimmora
