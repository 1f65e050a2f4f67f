#include "ui/store/indicators.h"

#include <algorithm>
#include <cmath>

#include "ui/store/control_ids.h"

namespace glimmora {
namespace {

constexpr int kLedFrameTop = 4;      // rows 0..4: frame above the lamp
constexpr int kLedLastRow = 14;      // rows 5..14: the lamp
constexpr int kLedFrameBottom = 19;  // rows 15..19: frame below the lamp
constexpr int kBarTop = 20;          // rows 20..79: the level bar area
constexpr int kPixelsPerUnit = 2;    // bar height per level unit
constexpr int kGridRows = 22;        // rows 80, 77, ..., 17 (80 lies below the picture)
constexpr int kGridSpacing = 3;

}  // namespace

Indicators::Indicators(ProcessState& state, ControlStore& store) : state_(state), store_(store) {}

std::unique_lock<std::recursive_mutex> Indicators::LockUnit() { return std::unique_lock(mutex_); }

void Indicators::FillRows(int first, int last, std::uint32_t colour) {
  first = std::max(first, 0);
  last = std::min(last, kHeight - 1);
  if (first > last) return;
  std::fill(picture_.begin() + first * kWidth, picture_.begin() + (last + 1) * kWidth, PixelOf(colour));
}

void Indicators::HandOver(int channel) { store_.SetPicture(BandImageId(channel), picture_, kWidth, kHeight); }

void Indicators::DrawChannelLed(int channel, int on) {
  if (channel < 0 || channel > kChannelCount) return;
  std::lock_guard lock(mutex_);
  const int colourIndex = on != 0 && channel != 0 ? channel : 0;
  const std::uint32_t frame = state_.BrLedColor.load(std::memory_order_relaxed);
  FillRows(0, kLedLastRow, state_.ChannelColours[colourIndex].load(std::memory_order_relaxed));
  FillRows(0, kLedFrameTop, frame);
  FillRows(kLedLastRow + 1, kLedFrameBottom, frame);
  if (channel == 0) {
    for (int k = 1; k <= kChannelCount; ++k) HandOver(k);
  } else {
    HandOver(channel);
  }
}

void Indicators::DrawBandBar(int band) {
  if (band < 0 || band >= kChannelCount) return;
  std::lock_guard lock(mutex_);
  FillRows(kBarTop, kHeight - 1, state_.BkSpectrColor.load(std::memory_order_relaxed));
  std::atomic<float>& stored = state_.BandLevels[band];
  float level = stored.load(std::memory_order_relaxed);
  if (level > kMaxLevel) {
    level = kMaxLevel;
    stored.store(level, std::memory_order_relaxed);
  }
  // Nearest integer, ties to even (the default rounding mode). Not-a-number and negative
  // levels draw no bar.
  const int d = level > 0.0f ? static_cast<int>(std::nearbyint(level * kPixelsPerUnit)) : 0;
  if (d > 0) FillRows(kHeight - d, kHeight - 1, state_.SpectrColor.load(std::memory_order_relaxed));
  const std::uint32_t grid = state_.GdSpectrColor.load(std::memory_order_relaxed);
  for (int i = 0; i < kGridRows; ++i) {
    const int row = kHeight - kGridSpacing * i;
    FillRows(row, row, grid);
  }
  HandOver(band + 1);
}

void Indicators::ClearBandLevels() {
  std::lock_guard lock(mutex_);
  for (int b = 0; b < kChannelCount; ++b) state_.BandLevels[b].store(0.0f, std::memory_order_relaxed);
  for (int b = 0; b < kChannelCount; ++b) DrawBandBar(b);
}

}  // namespace glimmora
