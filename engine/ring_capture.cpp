#include "engine/ring_capture.h"

namespace glimmora {

std::uint32_t RingCapture::Level() {
  std::array<std::int16_t, kLevelSamples> latest;
  ring_.Latest(latest);
  return LevelWord(latest);
}

void RingCapture::Spectrum(std::span<float, kSpectrumBins> out) {
  ring_.Latest(latest_);
  analysis_.Magnitudes(latest_, out);
}

}  // namespace glimmora
