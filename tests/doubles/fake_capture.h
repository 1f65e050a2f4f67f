// A Capture for engine tests: answers a fixed level word and fixed magnitudes that the test
// sets directly, or those computed from synthetic samples on the reference scale. Counts
// the calls. With `delivering` false, Spectrum leaves its output untouched, as a capture
// that has nothing to deliver does.
//
// Threads: one test thread (or the engine thread under test, with the test setting values
// only between passes).
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "engine/capture.h"

namespace glimmora {

class FakeCapture : public Capture {
 public:
  std::uint32_t Level() override;
  void Spectrum(std::span<float, kSpectrumBins> out) override;

  // Level word and magnitudes of these samples (the latest last), as the real capture
  // would report them; fewer than 4096 samples are preceded by zeros.
  void SetSamples(std::span<const std::int16_t> samples);

  std::uint32_t level = 0;
  std::array<float, kSpectrumBins> bins{};
  bool delivering = true;
  int levelCalls = 0;
  int spectrumCalls = 0;
};

// 4096 samples of a sine tone of `hz` and `amplitude` at 22050 Hz, rounded to 16 bits.
std::vector<std::int16_t> ToneSamples(double hz, double amplitude);

}  // namespace glimmora
