#include "engine/fft_analysis.h"

#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <mutex>
#include <numbers>

namespace glimmora {

namespace {

// FFTW's planner is not thread-safe: plans are made and destroyed under this lock.
std::mutex& PlannerMutex() {
  static std::mutex mutex;
  return mutex;
}

constexpr float kSampleScale = 1.0f / 32768.0f;
constexpr float kBinScale = 4.0f / kSpectrumSamples;  // bins 1..2047
constexpr float kDcScale = 2.0f / kSpectrumSamples;   // bin 0

}  // namespace

std::uint32_t LevelWord(std::span<const std::int16_t> samples) {
  if (samples.size() > static_cast<std::size_t>(kLevelSamples)) samples = samples.last(kLevelSamples);
  std::uint32_t peak = 0;
  for (const std::int16_t s : samples) {
    peak = std::max(peak, static_cast<std::uint32_t>(std::abs(static_cast<int>(s))));
  }
  return peak | peak << 16;
}

struct SpectrumAnalysis::Plan {
  float* input = nullptr;           // kSpectrumSamples windowed samples
  fftwf_complex* output = nullptr;  // kSpectrumSamples / 2 + 1 bins
  float* window = nullptr;          // periodic Hann, kSpectrumSamples values
  fftwf_plan plan = nullptr;
};

SpectrumAnalysis::SpectrumAnalysis() : plan_(std::make_unique<Plan>()) {
  std::lock_guard lock(PlannerMutex());
  plan_->input = fftwf_alloc_real(kSpectrumSamples);
  plan_->window = fftwf_alloc_real(kSpectrumSamples);
  plan_->output = fftwf_alloc_complex(kSpectrumSamples / 2 + 1);
  plan_->plan = fftwf_plan_dft_r2c_1d(kSpectrumSamples, plan_->input, plan_->output, FFTW_ESTIMATE);
  for (int n = 0; n < kSpectrumSamples; ++n) {
    const double phase = 2.0 * std::numbers::pi * n / kSpectrumSamples;
    plan_->window[n] = static_cast<float>(0.5 * (1.0 - std::cos(phase)));
  }
}

SpectrumAnalysis::~SpectrumAnalysis() {
  std::lock_guard lock(PlannerMutex());
  fftwf_destroy_plan(plan_->plan);
  fftwf_free(plan_->output);
  fftwf_free(plan_->window);
  fftwf_free(plan_->input);
}

void SpectrumAnalysis::Magnitudes(std::span<const std::int16_t, kSpectrumSamples> samples,
                                  std::span<float, kSpectrumBins> out) {
  for (int n = 0; n < kSpectrumSamples; ++n) {
    plan_->input[n] = static_cast<float>(samples[static_cast<std::size_t>(n)]) * kSampleScale * plan_->window[n];
  }
  fftwf_execute(plan_->plan);
  const fftwf_complex* x = plan_->output;
  out[0] = std::hypot(x[0][0], x[0][1]) * kDcScale;
  for (int k = 1; k < kSpectrumBins; ++k) {
    out[static_cast<std::size_t>(k)] = std::hypot(x[k][0], x[k][1]) * kBinScale;
  }
}

}  // namespace glimmora
