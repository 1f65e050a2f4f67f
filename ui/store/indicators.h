// The 18 band indicators: one shared 8 x 80 picture (IndicatorPicture) is drawn and then
// handed to the BandImage concerned through the control store. Rows 0..19 hold the lamp
// with its frame (DrawChannelLed), rows 20..79 the level bar over its grid (DrawBandBar).
// A redraw leaves the other part of the picture as the last redraw of either kind left it,
// so a lamp redraw hands over the bar of the most recent bar redraw, of whatever band.
//
// Thread: every operation may be called from the engine thread and the main thread. One
// recursive mutex serialises the redraws of both threads; LockUnit lets a caller join a
// SetChannel(k) and the DrawBandBar(k - 1) that completes it into one unit. The mutex is
// never held while waiting on the GUI: the store only marks the image controls changed and
// the GUI takes the changes later, so the engine thread never waits for the main thread.
#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <span>

#include "engine/process_state.h"
#include "ui/store/control_store.h"

namespace glimmora {

class Indicators {
 public:
  static constexpr int kWidth = 8;
  static constexpr int kHeight = 80;
  // Levels above this are shown, and stored back into BandLevels, as this.
  static constexpr float kMaxLevel = 30.0f;

  Indicators(ProcessState& state, ControlStore& store);
  Indicators(const Indicators&) = delete;
  Indicators& operator=(const Indicators&) = delete;

  // Redraws the lamp of indicator `channel` (1..18), or of all 18 when `channel` is 0, in the
  // channel's colour when `on` is non-zero and in the off colour otherwise; channel 0 always
  // uses the off colour. Other channel numbers are ignored.
  void DrawChannelLed(int channel, int on);
  // Redraws the bar of band `band` (0..17), shown by BandImage band + 1, from BandLevels,
  // storing 30 back into a level above 30. Other band numbers are ignored.
  void DrawBandBar(int band);
  // BandLevels[0..17] := 0, then DrawBandBar for bands 0..17 in order, as one unit.
  void ClearBandLevels();

  // Holds off the other thread's redraws until the lock is released.
  [[nodiscard]] std::unique_lock<std::recursive_mutex> LockUnit();

 private:
  void FillRows(int first, int last, std::uint32_t colour);
  void HandOver(int channel);

  ProcessState& state_;
  ControlStore& store_;
  std::recursive_mutex mutex_;  // guards the picture and the order of hand-overs
  // IndicatorPicture: 0x00RRGGBB pixels, row by row from the top. Guarded by mutex_.
  std::array<std::uint32_t, kWidth * kHeight> picture_{};
};

// A colour as stored (red in the low byte) as a picture pixel 0x00RRGGBB.
constexpr std::uint32_t PixelOf(std::uint32_t colour) {
  return (colour & 0xFFu) << 16 | (colour & 0xFF00u) | (colour >> 16 & 0xFFu);
}

}  // namespace glimmora
