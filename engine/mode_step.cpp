#include "engine/mode_step.h"

#include "engine/band_analysis.h"
#include "ui/store/control_ids.h"

namespace glimmora {
namespace {

// Mode 5: the first fraction of the peak that the level exceeds gives the group's first channel.
struct LevelGroupStart {
  double fraction;
  int channel;
};
constexpr LevelGroupStart kLevelGroups[] = {{0.95, 16}, {0.8, 13}, {0.65, 10}, {0.5, 7}, {0.35, 4}, {0.1, 1}};

constexpr int kPeakFall = 18;
constexpr int kLevelBarSteps = 19;
constexpr int kDmxOn = 255;

}  // namespace

ModeStep::ModeStep(ProcessState& state, ControlStore& store, ChannelState& channels, Indicators& indicators,
                   EngineOutputs& outputs, std::uint32_t randomSeed)
    : state_(state),
      store_(store),
      channels_(channels),
      indicators_(indicators),
      outputs_(outputs),
      random_(randomSeed) {}

void ModeStep::Run(int mode, std::int16_t inputLevel, std::array<float, kSlots>& snapshot) {
  if (mode == 1) Manual();
  UpdateAruCounter();
  if (mode == 2) Auto();
  if (mode == 3) Random(snapshot);
  if (mode == 5) LevelGroup(inputLevel);
  if (mode == 4) LevelBar(inputLevel);
}

void ModeStep::Manual() {
  for (int c = 1; c <= kChannelCount; ++c) {
    const int threshold = store_.State(ThresholdBarId(c));
    auto unit = indicators_.LockUnit();
    channels_.SetChannel(c, state_.BandLevels[c - 1].load(std::memory_order_relaxed) > threshold ? 1 : 0);
    indicators_.DrawBandBar(c - 1);
  }
}

void ModeStep::UpdateAruCounter() {
  ++aruCounter_;
  if (aruCounter_ >= state_.AruValue.load(std::memory_order_relaxed)) aruCounter_ = 0;
}

void ModeStep::Auto() {
  for (int c = 1; c <= kChannelCount; ++c) {
    const int id = ThresholdBarId(c);
    const float level = state_.BandLevels[c - 1].load(std::memory_order_relaxed);
    auto unit = indicators_.LockUnit();
    if (level > store_.State(id)) {
      store_.SetState(id, NearestInt(level));
      channels_.SetChannel(c, 1);
    } else {
      channels_.SetChannel(c, 0);
      if (aruCounter_ == 0) store_.SetState(id, NearestInt(static_cast<double>(level) + 1.0));
    }
    indicators_.DrawBandBar(c - 1);
  }
}

void ModeStep::Random(std::array<float, kSlots>& snapshot) {
  const int threshold = 26 + RandomUpTo(13);
  for (int b = 0; b < kChannelCount; ++b) {
    const auto level = static_cast<float>(RandomUpTo(40));
    state_.BandLevels[b].store(level, std::memory_order_relaxed);
    snapshot[b] = level;
    auto unit = indicators_.LockUnit();
    channels_.SetChannel(b + 1, level > static_cast<float>(threshold) ? 1 : 0);
    indicators_.DrawBandBar(b);
  }
}

void ModeStep::LevelGroup(std::int16_t inputLevel) {
  RaisePeak(inputLevel);
  int start = 0;
  for (const LevelGroupStart& group : kLevelGroups) {
    if (inputLevel > NearestInt(levelPeak_ * group.fraction)) {
      start = group.channel;
      break;
    }
  }
  for (int c = 1; c < start; ++c) SetChannelAndDmx(c, 0);
  // With start 0 the first call is the all-channels form; channels 3..18 go off again below.
  for (int c = start; c <= start + 2; ++c) channels_.SetChannel(c, 1);
  for (int c = start; c <= start + 2; ++c) outputs_.SetDmxChannel(c, kDmxOn);
  for (int c = start + 3; c <= kChannelCount; ++c) SetChannelAndDmx(c, 0);
  LowerPeak();
}

void ModeStep::LevelBar(std::int16_t inputLevel) {
  RaisePeak(inputLevel);
  const int step = levelPeak_ / kLevelBarSteps + 1;
  const int lit = inputLevel / step;
  for (int c = 1; c <= kChannelCount; ++c) SetChannelAndDmx(c, lit >= c ? 1 : 0);
  LowerPeak();
}

void ModeStep::RaisePeak(std::int16_t inputLevel) {
  if (levelPeak_ < inputLevel) levelPeak_ = inputLevel;
}

void ModeStep::LowerPeak() {
  if (levelPeak_ > kPeakFall) levelPeak_ = static_cast<std::int16_t>(levelPeak_ - kPeakFall);
}

void ModeStep::SetChannelAndDmx(int channel, int on) {
  channels_.SetChannel(channel, on);
  outputs_.SetDmxChannel(channel, on != 0 ? kDmxOn : 0);
}

int ModeStep::RandomUpTo(int n) { return std::uniform_int_distribution<int>(0, n)(random_); }

}  // namespace glimmora
