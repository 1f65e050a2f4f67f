#include "engine/zero_thresholds.h"

#include "ui/store/control_ids.h"
#include "ui/store/control_store.h"

namespace glimmora {

void ZeroThresholds(ControlStore& store) {
  for (int channel = 1; channel <= kChannelCount; ++channel) store.SetState(ThresholdBarId(channel), 0);
}

}  // namespace glimmora
