// A Capture that answers from a SampleRing: the level word and the spectrum of the latest
// samples in the ring, on the reference scale (engine/fft_analysis.h). The real capture feeds
// the ring from the sound server; tests feed it synthetic samples.
//
// Threads: Level and Spectrum on the engine thread only; the ring takes its writes from
// any one other thread.
#pragma once

#include <array>
#include <cstdint>

#include "engine/capture.h"
#include "engine/fft_analysis.h"
#include "engine/sample_ring.h"

namespace glimmora {

class RingCapture : public Capture {
 public:
  SampleRing& Ring() { return ring_; }
  const SampleRing& Ring() const { return ring_; }

  std::uint32_t Level() override;
  void Spectrum(std::span<float, kSpectrumBins> out) override;

 private:
  SampleRing ring_;
  SpectrumAnalysis analysis_;
  std::array<std::int16_t, kSpectrumSamples> latest_{};  // engine thread only
};

}  // namespace glimmora
