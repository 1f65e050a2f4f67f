#include "tests/doubles/fake_capture.h"

#include <algorithm>
#include <cmath>
#include <numbers>

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

std::vector<std::int16_t> ToneSamples(double hz, double amplitude) {
  std::vector<std::int16_t> samples(kSpectrumSamples);
  for (std::size_t n = 0; n < samples.size(); ++n) {
    samples[n] = static_cast<std::int16_t>(
        std::lround(amplitude * std::sin(2.0 * std::numbers::pi * hz * static_cast<double>(n) / 22050.0)));
  }
  return samples;
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
