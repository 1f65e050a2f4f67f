#include "tests/doubles/engine_rig.h"

#include <string>

#include "engine/band_analysis.h"
#include "ui/store/control_ids.h"

namespace glimmora {

EngineRig::EngineRig(std::uint32_t randomSeed)
    : engine(state, store, capture, clock, outputs, channels, indicators, randomSeed) {
  for (int pin = 1; pin <= kChannelCount; ++pin) {
    for (int item = 0; item <= kChannelCount; ++item) store.AddItem(PinComboId(pin), std::to_string(item));
    store.SetState(PinComboId(pin), pin);
  }
}

void EngineRig::SetBandBins(const float (&bandValues)[18]) {
  capture.bins.fill(0.0f);
  for (int b = 0; b < kBandCount; ++b) capture.bins[kBandFirstBin[b]] = bandValues[b];
}

void EngineRig::SetTotal(float total) {
  capture.bins.fill(0.0f);
  capture.bins[kBandFirstBin[1]] = total;
}

}  // namespace glimmora
