// Band analysis of one engine pass: the 18 band sums of the spectrum and their total, the
// low, mid and high levels for the keyboard LEDs, the silence decision, the gain, and the
// conversion of the capture's level word. Pure functions over plain arrays, so they allocate
// nothing and any thread may call them.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "engine/capture.h"
#include "engine/process_state.h"

namespace glimmora {

constexpr int kBandCount = 18;
constexpr int kTotalSlot = 18;  // BandLevels[18] holds the total

// First FFT bin of band b; band b ends where band b + 1 begins.
constexpr std::array<int, kBandCount + 1> kBandFirstBin{0,   4,   8,   12,  16,  24,  32,   48,   64,  96,
                                                        128, 192, 256, 384, 512, 768, 1024, 1536, 2048};

// A total below this is silence; a total of exactly this is sound.
constexpr float kSilenceThreshold = 0.1f;

// The low, mid and high levels of a pass with their held peaks and the wanted lock-key LED
// states (Num, Caps and Scroll Lock).
struct KeyLevels {
  std::array<float, 3> level{};
  std::array<std::int32_t, 3> peak{};
  std::array<int, 3> ledOn{};
};

// Nearest integer, a tie going to the even neighbour; held to the int range.
int NearestInt(double value);

// levels[0..17] := the band sums (bins in ascending order), levels[18] := the total of bands
// 1..17 built in three steps, and the low, mid and high levels taken on the way.
void SumBands(std::span<const float, kSpectrumBins> spectrum, std::array<float, kSlots>& levels, KeyLevels& keys);

bool IsSilent(float total);

// The automatic gain 0..8 of a sounding pass: the nearest integer of the square root of the
// nearest integer of 6 / total.
int GainOf(float total);

// The signed 16-bit level of the pass from the low 16 bits of the level word. A clipped input
// (0x8000, one sample at full negative scale) is held at 32767, the loudest level, instead of
// turning negative.
std::int16_t InputLevelOf(std::uint32_t levelWord);

// The keyboard flags: a peak below its level jumps to the level's nearest integer and lights
// its LED; otherwise the LED is off and the peak falls by 1.
void UpdateKeyFlags(KeyLevels& keys);

}  // namespace glimmora
