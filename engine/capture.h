// The sound capture as the engine sees it: once per pass, the level word and then the
// 2048 magnitudes of a 4096-sample FFT of the latest captured sound, on the reference scale
// (docs/analysis.md). A capture that has nothing delivers silence.
#pragma once

#include <cstdint>
#include <span>

namespace glimmora {

constexpr int kSpectrumBins = 2048;

class Capture {
 public:
  virtual ~Capture() = default;
  // Largest |sample| of the latest 20 ms in the low 16 bits and again in the high 16 bits.
  virtual std::uint32_t Level() = 0;
  // Writes the magnitudes of bins 0..2047 into out[0..2047]. Leaves `out` as it was when
  // nothing can be delivered. Must not allocate.
  virtual void Spectrum(std::span<float, kSpectrumBins> out) = 0;
};

}  // namespace glimmora
