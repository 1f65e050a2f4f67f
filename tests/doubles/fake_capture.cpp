#include "tests/doubles/fake_capture.h"

#include <algorithm>

#include "engine/fft_analysis.h"

namespace glimmora {

std::uint32_t FakeCapture::Level() {
  ++levelCalls;
  return level;
}

void FakeCapture::Spectrum(std::span<float, kSpectrumBins> out) {
  ++spectrumCalls;
  if (delivering) std::copy(bins.begin(), bins.end(), out.begin());
}

void FakeCapture::SetSamples(std::span<const std::int16_t> samples) {
  if (samples.size() > kSpectrumSamples) samples = samples.last(kSpectrumSamples);
  std::array<std::int16_t, kSpectrumSamples> window{};
  std::copy(samples.begin(), samples.end(), window.end() - static_cast<std::ptrdiff_t>(samples.size()));
  level = LevelWord(window);
  SpectrumAnalysis analysis;
  analysis.Magnitudes(window, bins);
}

}  // namespace glimmora
