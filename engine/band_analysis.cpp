#include "engine/band_analysis.h"

#include <cmath>
#include <limits>

namespace glimmora {

int NearestInt(double value) {
  constexpr double kLowest = std::numeric_limits<int>::min();
  constexpr double kHighest = std::numeric_limits<int>::max();
  if (!(value > kLowest)) return std::numeric_limits<int>::min();
  if (value >= kHighest) return std::numeric_limits<int>::max();
  // The default rounding mode rounds to nearest with ties to even.
  return static_cast<int>(std::nearbyint(value));
}

void SumBands(std::span<const float, kSpectrumBins> spectrum, std::array<float, kSlots>& levels, KeyLevels& keys) {
  for (int b = 0; b < kBandCount; ++b) {
    float sum = 0.0f;
    for (int k = kBandFirstBin[b]; k < kBandFirstBin[b + 1]; ++k) sum += spectrum[k];
    levels[b] = sum;
  }
  // Band 0 is not part of the total. Each step subtracts the levels already divided.
  float total = 0.0f;
  for (int b = 1; b <= 7; ++b) total += levels[b];
  const float low = total / 8.0f;
  for (int b = 8; b <= 12; ++b) total += levels[b];
  const float mid = (total - low) / 5.0f;
  for (int b = 13; b <= 17; ++b) total += levels[b];
  const float high = (total - low - mid) / 5.0f;
  levels[kTotalSlot] = total;
  keys.level = {low, mid, high};
}

bool IsSilent(float total) { return kSilenceThreshold > total; }

int GainOf(float total) {
  const int gain = NearestInt(6.0 / static_cast<double>(total));
  return NearestInt(std::sqrt(static_cast<double>(gain)));
}

std::int16_t InputLevelOf(std::uint32_t levelWord) {
  const std::uint32_t low = levelWord & 0xFFFFu;
  if (low == 0x8000u) return std::numeric_limits<std::int16_t>::max();
  return static_cast<std::int16_t>(low);
}

void UpdateKeyFlags(KeyLevels& keys) {
  for (int i = 0; i < 3; ++i) {
    if (static_cast<float>(keys.peak[i]) < keys.level[i]) {
      keys.peak[i] = NearestInt(keys.level[i]);
      keys.ledOn[i] = 1;
    } else {
      keys.ledOn[i] = 0;
      keys.peak[i] -= 1;
    }
  }
}

}  // namespace glimmora
