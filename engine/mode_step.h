// The light-music modes: in every sounding pass the mode decides which of the 18 channels are
// lit. 1 manual thresholds, 2 thresholds that follow the bands, 3 random levels, 4 a bar
// graph of the capture level, 5 a group of three channels chosen by the capture level; 0 and
// any other number decide nothing.
//
// Thread: the engine thread. The main thread may write the threshold bars and clear the band
// levels meanwhile; each pass reads what it finds.
#pragma once

#include <array>
#include <cstdint>
#include <random>

#include "devices/engine_outputs.h"
#include "engine/channel_state.h"
#include "engine/process_state.h"
#include "ui/store/control_store.h"
#include "ui/store/indicators.h"

namespace glimmora {

class ModeStep {
 public:
  ModeStep(ProcessState& state, ControlStore& store, ChannelState& channels, Indicators& indicators,
           EngineOutputs& outputs, std::uint32_t randomSeed);

  // The decisions of `mode` for the band levels in BandLevels[0..17] and the pass's capture
  // level. Mode 3 replaces BandLevels[0..17] and snapshot[0..17] by its random levels.
  void Run(int mode, std::int16_t inputLevel, std::array<float, kSlots>& snapshot);

  int AruCounter() const { return aruCounter_; }
  std::int16_t LevelPeak() const { return levelPeak_; }
  void SetLevelPeak(std::int16_t peak) { levelPeak_ = peak; }

 private:
  void Manual();
  void UpdateAruCounter();
  void Auto();
  void Random(std::array<float, kSlots>& snapshot);
  void LevelGroup(std::int16_t inputLevel);
  void LevelBar(std::int16_t inputLevel);
  void RaisePeak(std::int16_t inputLevel);
  void LowerPeak();
  void SetChannelAndDmx(int channel, int on);
  int RandomUpTo(int n);

  ProcessState& state_;
  ControlStore& store_;
  ChannelState& channels_;
  Indicators& indicators_;
  EngineOutputs& outputs_;
  std::mt19937 random_;
  int aruCounter_ = 0;
  // The held peak of the capture level for modes 4 and 5: it only grows with the level and
  // falls by 18 in each of their sounding passes; never reset.
  std::int16_t levelPeak_ = 0;
};

}  // namespace glimmora
