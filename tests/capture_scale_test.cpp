// The capture's level word and magnitudes against the reference figures measured on the
// reference capture library with the same 22050 Hz mono 16-bit samples.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <numeric>
#include <string>
#include <vector>

#include "engine/fft_analysis.h"
#include "engine/ring_capture.h"
#include "tests/allocation_counter/allocation_counter.h"

namespace glimmora {
namespace {

using Samples = std::array<std::int16_t, kSpectrumSamples>;
using Bins = std::array<float, kSpectrumBins>;

constexpr double kRate = 22050.0;

// round(amplitude x sin(2 pi cycles n / 4096)) for n = 0..4095.
Samples Sine(double amplitude, double cyclesPerWindow) {
  Samples s{};
  for (int n = 0; n < kSpectrumSamples; ++n) {
    s[static_cast<std::size_t>(n)] = static_cast<std::int16_t>(
        std::lround(amplitude * std::sin(2.0 * std::numbers::pi * cyclesPerWindow * n / kSpectrumSamples)));
  }
  return s;
}

Samples Constant(std::int16_t value) {
  Samples s;
  s.fill(value);
  return s;
}

struct Figure {
  int bin;  // -1: the sum of all bins; -2: the largest bin (value and index)
  double value;
  int largestBin = 0;
};

struct Row {
  std::string signal;
  Samples samples;
  std::vector<Figure> figures;
  std::uint32_t level;                 // 0 where the table names no level
  std::vector<int> zeroBinsFrom = {};  // every bin from this one on (skipping figures) is 0
};

constexpr int kSum = -1;
constexpr int kLargest = -2;

std::vector<Row> ReferenceTable() {
  return {
      {"sine 32767 on bin 100", Sine(32767, 100), {{100, 0.999968}, {99, 0.5}, {101, 0.5}, {kSum, 2.0003}}, 32767},
      {"sine 16384 on bin 100", Sine(16384, 100), {{100, 0.500002}, {kSum, 1.0003}}, 16384},
      {"sine 32767 at bin 100.5", Sine(32767, 100.5), {{kLargest, 0.848801, 101}, {kSum, 2.1225}}, 0},
      {"constant 8192", Constant(8192), {{0, 0.25}, {1, 0.25}}, 8192, {2}},
      {"sine 32767 on bin 3", Sine(32767, 3), {{3, 0.999969}, {2, 0.499985}}, 0},
      {"sine 1000 Hz amplitude 3000",
       Sine(3000, 1000.0 * kSpectrumSamples / kRate),
       {{kLargest, 0.088194, 186}, {kSum, 0.19162}},
       3000},
  };
}

// Relative tolerance of the reference figures.
void ExpectNear(double actual, double expected, const std::string& what) {
  EXPECT_NEAR(actual, expected, 1e-4 * std::abs(expected)) << what;
}

TEST(CaptureScale, EveryReferenceFigureFromTheSameSamples) {
  SpectrumAnalysis analysis;
  for (const Row& row : ReferenceTable()) {
    SCOPED_TRACE(row.signal);
    Bins bins{};
    analysis.Magnitudes(row.samples, bins);
    for (const Figure& figure : row.figures) {
      if (figure.bin == kSum) {
        const double sum = std::accumulate(bins.begin(), bins.end(), 0.0);
        ExpectNear(sum, figure.value, "sum of all bins");
      } else if (figure.bin == kLargest) {
        const auto largest = std::max_element(bins.begin(), bins.end());
        EXPECT_EQ(largest - bins.begin(), figure.largestBin);
        ExpectNear(*largest, figure.value, "largest bin");
      } else {
        ExpectNear(bins[static_cast<std::size_t>(figure.bin)], figure.value, "bin " + std::to_string(figure.bin));
      }
    }
    for (const int from : row.zeroBinsFrom) {
      const float rest = *std::max_element(bins.begin() + from, bins.end());
      EXPECT_LT(rest, 1e-6f) << "bins from " << from << " must be 0";
    }
    if (row.level != 0) {
      EXPECT_EQ(LevelWord(row.samples), row.level | row.level << 16);
    }
  }
}

// The level word looks at the latest 441 samples only, takes |s| of the most negative sample
// (32768, which no longer fits a signed 16-bit value), and repeats it in the high half.
TEST(CaptureScale, LevelWordOfTheLatest441Samples) {
  struct Case {
    const char* name;
    int position;  // from the end: 1 = the latest sample
    std::int16_t value;
    std::uint32_t level;
  } const cases[] = {
      {"one sample of -32768", 1, -32768, 0x80008000u},
      {"32767 as the oldest counted sample", 441, 32767, 0x7fff7fffu},
      {"just older than 20 ms", 442, 32767, 0u},
      {"negative sample", 200, -1234, 1234u | 1234u << 16},
  };
  for (const Case& c : cases) {
    Samples s{};
    s[kSpectrumSamples - static_cast<std::size_t>(c.position)] = c.value;
    EXPECT_EQ(LevelWord(s), c.level) << c.name;
  }
}

// Through the ring: the same figures come out of a capture fed in fragments, and the latest
// samples count, not the first ones written.
TEST(CaptureScale, RingCaptureAnswersForTheLatestSamples) {
  RingCapture capture;
  const Samples old = Constant(8192);
  const Samples tone = Sine(3000, 1000.0 * kSpectrumSamples / kRate);
  capture.Ring().Write(old);
  for (std::size_t start = 0; start < tone.size(); start += 220) {
    capture.Ring().Write(std::span(tone).subspan(start, std::min<std::size_t>(220, tone.size() - start)));
  }
  EXPECT_EQ(capture.Level(), 3000u | 3000u << 16);
  Bins bins{};
  capture.Spectrum(bins);
  EXPECT_EQ(std::max_element(bins.begin(), bins.end()) - bins.begin(), 186);
  ExpectNear(bins[186], 0.088194, "bin 186");
  EXPECT_LT(bins[0], 1e-3f) << "the old constant must be gone";

  capture.Ring().Clear();
  EXPECT_EQ(capture.Level(), 0u);
  capture.Spectrum(bins);
  EXPECT_EQ(*std::max_element(bins.begin(), bins.end()), 0.0f);
}

// What the engine calls on every pass allocates nothing once the capture exists.
TEST(CaptureScale, LevelAndSpectrumAllocateNothing) {
  RingCapture capture;
  const Samples tone = Sine(3000, 1000.0 * kSpectrumSamples / kRate);
  Bins bins{};
  const testing::AllocationCounter allocations;
  for (int pass = 0; pass < 100; ++pass) {
    capture.Ring().Write(std::span(tone).first(220));
    capture.Level();
    capture.Spectrum(bins);
  }
  EXPECT_EQ(allocations.Count(), 0);
}

// A write longer than the ring keeps its last samples, in order.
TEST(CaptureScale, RingKeepsTheLatestOfAnOversizedWrite) {
  SampleRing ring;
  std::vector<std::int16_t> many(SampleRing::kCapacity + 100);
  std::iota(many.begin(), many.end(), std::int16_t{0});
  ring.Write(std::span(many).first(50));
  ring.Write(many);
  std::array<std::int16_t, 3> latest{};
  ring.Latest(latest);
  EXPECT_EQ(latest, (std::array<std::int16_t, 3>{many[many.size() - 3], many[many.size() - 2], many.back()}));
}

}  // namespace
}  // namespace glimmora
