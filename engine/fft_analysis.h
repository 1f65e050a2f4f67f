// Level word and spectrum of the latest captured samples on the reference scale that the
// engine's constants (silence threshold 0.1, the gain table, the mode constants) were tuned
// for. The scale is described in docs/analysis.md:
//   x[n] = s[n] / 32768 over the latest 4096 samples, periodic Hann window
//   w[n] = 0.5 (1 - cos(2 pi n / 4096)); magnitude of bin k = |X_k| x 4 / 4096 for
//   k = 1..2047 and |X_0| x 2 / 4096 for bin 0.
//   Level word: the largest |s| over the latest 441 samples (20 ms at 22050 Hz), 0..32768,
//   in the low 16 bits and again in the high 16 bits.
//
// Threads: a SpectrumAnalysis object belongs to one thread at a time (its buffers are reused
// by every call). Construction and destruction may run on any thread.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "engine/capture.h"

namespace glimmora {

constexpr int kSpectrumSamples = 4096;  // samples per FFT
constexpr int kLevelSamples = 441;      // 20 ms at 22050 Hz

// The level word of the latest samples: max |s| over the last kLevelSamples of `samples`
// (all of them when fewer), in the low and the high 16 bits.
std::uint32_t LevelWord(std::span<const std::int16_t> samples);

// The 2048 magnitudes of a 4096-point FFT (FFTW single precision). The FFTW plan and its
// aligned buffers are made once in the constructor; Magnitudes allocates nothing.
class SpectrumAnalysis {
 public:
  SpectrumAnalysis();
  ~SpectrumAnalysis();
  SpectrumAnalysis(const SpectrumAnalysis&) = delete;
  SpectrumAnalysis& operator=(const SpectrumAnalysis&) = delete;

  void Magnitudes(std::span<const std::int16_t, kSpectrumSamples> samples, std::span<float, kSpectrumBins> out);

 private:
  struct Plan;
  std::unique_ptr<Plan> plan_;
};

}  // namespace glimmora
