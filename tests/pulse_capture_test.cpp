// The real capture end to end against a private PulseAudio daemon: a tone played into the
// daemon's null sink comes out of the capture on the reference scale; silence is silent; the
// capture survives the daemon's death, answers silence meanwhile and recovers by itself.
// No durations are asserted: every wait polls with a generous bound.
#include "engine/platform/pulse_capture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <functional>
#include <numeric>
#include <string>
#include <thread>

#include "tests/support/pulse_daemon.h"

namespace glimmora {
namespace {

using Bins = std::array<float, kSpectrumBins>;

// Polls `done` every 20 ms for up to `seconds`.
bool WaitFor(const std::function<bool()>& done, int seconds = 20) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (std::chrono::steady_clock::now() < end) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return done();
}

struct Reading {
  std::uint32_t level = 0;
  int largestBin = 0;
  float largest = 0;
  float total = 0;  // bins 4..2047: what the engine's silence decision sums
};

// One engine-style read: the level word, then the spectrum.
Reading Read(Capture& capture) {
  Reading r;
  r.level = capture.Level();
  Bins bins{};
  capture.Spectrum(bins);
  const auto largest = std::max_element(bins.begin(), bins.end());
  r.largestBin = static_cast<int>(largest - bins.begin());
  r.largest = *largest;
  r.total = std::accumulate(bins.begin() + 4, bins.end(), 0.0f);
  return r;
}

bool IsTone(const Reading& r) {
  const int level = static_cast<int>(r.level & 0xffff);
  // The tone fills the whole 4096-sample window once its largest bin is near its figure.
  return level >= 2900 && level <= 3100 && r.largestBin >= 185 && r.largestBin <= 187 &&
         (r.level >> 16) == (r.level & 0xffff) && std::abs(r.largest - 0.088194f) < 0.0045f;
}

bool IsSilent(const Reading& r) { return r.level == 0 && r.total < 0.1f; }

std::string Describe(const Reading& r) {
  return "level " + std::to_string(r.level & 0xffff) + ", largest bin " + std::to_string(r.largestBin) + " (" +
         std::to_string(r.largest) + "), total " + std::to_string(r.total);
}

TEST(PulseCapture, ToneSilenceAndADaemonThatHangsDiesAndReturns) {
  PulseDaemon daemon;
  ASSERT_TRUE(daemon.Start()) << daemon.Log();
  daemon.PointClientsHere();

  PulseCapture capture;
  ASSERT_TRUE(capture.Start());
  ASSERT_TRUE(WaitFor([&] { return capture.State() == CaptureState::kRecording; })) << daemon.Log();

  // Nothing playing: the null sink's monitor delivers zeros.
  Reading r;
  EXPECT_TRUE(WaitFor([&] { return IsSilent(r = Read(capture)); })) << Describe(r);

  ASSERT_TRUE(daemon.PlayTone(1000, 3000, 60));
  EXPECT_TRUE(WaitFor([&] { return IsTone(r = Read(capture)); })) << Describe(r);

  daemon.StopTone();
  EXPECT_TRUE(WaitFor([&] { return IsSilent(r = Read(capture)); })) << Describe(r);

  // The daemon hangs while a tone plays: the stream stays connected but delivers nothing,
  // and the capture answers silence rather than the last sound it heard; then it goes on.
  ASSERT_TRUE(daemon.PlayTone(1000, 3000, 60));
  ASSERT_TRUE(WaitFor([&] { return IsTone(r = Read(capture)); })) << Describe(r);
  daemon.Pause();
  EXPECT_TRUE(WaitFor([&] { return IsSilent(r = Read(capture)); })) << Describe(r);
  daemon.Resume();
  EXPECT_TRUE(WaitFor([&] { return IsTone(r = Read(capture)); })) << Describe(r);

  // The daemon dies while a tone plays: the capture keeps answering, and answers silence.
  daemon.Kill();
  daemon.StopTone();
  EXPECT_TRUE(WaitFor([&] { return capture.State() == CaptureState::kLost; }));
  EXPECT_TRUE(IsSilent(r = Read(capture))) << Describe(r);
  for (int pass = 0; pass < 50; ++pass) Read(capture);

  // It comes back by itself.
  ASSERT_TRUE(daemon.Start()) << daemon.Log();
  ASSERT_TRUE(daemon.PlayTone(1000, 3000, 60));
  EXPECT_TRUE(WaitFor([&] { return IsTone(r = Read(capture)); })) << Describe(r);
  EXPECT_EQ(capture.State(), CaptureState::kRecording);
}

// Without a server, Start returns at once, the capture answers silence and logs its state
// once however often it retries; when a server appears at the address, it records.
TEST(PulseCapture, NoServerIsSilentAndLogsOnceUntilAServerAppears) {
  PulseDaemon daemon;
  daemon.PointClientsHere();  // nothing listens there yet

  testing::internal::CaptureStderr();
  {
    PulseCapture capture;
    ASSERT_TRUE(capture.Start());
    Reading r = Read(capture);
    EXPECT_TRUE(IsSilent(r)) << Describe(r);
    ASSERT_TRUE(WaitFor([&] { return capture.State() == CaptureState::kLost; }));
    // Several retries go by (one a second).
    std::this_thread::sleep_for(std::chrono::milliseconds(3500));
    r = Read(capture);
    EXPECT_TRUE(IsSilent(r)) << Describe(r);
    EXPECT_EQ(capture.State(), CaptureState::kLost);

    ASSERT_TRUE(daemon.Start()) << daemon.Log();
    EXPECT_TRUE(WaitFor([&] { return capture.State() == CaptureState::kRecording; }));
    ASSERT_TRUE(daemon.PlayTone(1000, 3000, 60));
    EXPECT_TRUE(WaitFor([&] { return IsTone(r = Read(capture)); })) << Describe(r);
  }
  const std::string log = testing::internal::GetCapturedStderr();
  std::size_t lostLines = 0;
  for (std::size_t at = log.find("no sound capture"); at != std::string::npos;
       at = log.find("no sound capture", at + 1)) {
    ++lostLines;
  }
  EXPECT_EQ(lostLines, 1u) << log;
  EXPECT_NE(log.find("recording"), std::string::npos) << log;
}

// A server that accepts the connection but never answers: the attempt is given up, the
// capture answers silence meanwhile, and records once the server answers again.
TEST(PulseCapture, AServerThatDoesNotAnswerIsGivenUpAndRetried) {
  PulseDaemon daemon;
  ASSERT_TRUE(daemon.Start()) << daemon.Log();
  daemon.PointClientsHere();
  daemon.Pause();

  PulseCapture capture;
  ASSERT_TRUE(capture.Start());
  Reading r = Read(capture);
  EXPECT_TRUE(IsSilent(r)) << Describe(r);
  EXPECT_TRUE(WaitFor([&] { return capture.State() == CaptureState::kLost; }));
  EXPECT_TRUE(IsSilent(r = Read(capture))) << Describe(r);

  daemon.Resume();
  EXPECT_TRUE(WaitFor([&] { return capture.State() == CaptureState::kRecording; }));
  ASSERT_TRUE(daemon.PlayTone(1000, 3000, 60));
  EXPECT_TRUE(WaitFor([&] { return IsTone(r = Read(capture)); })) << Describe(r);
}

// A server without any source: silence, one log line, and recording as soon as a source
// appears.
TEST(PulseCapture, NoSourceIsSilentUntilOneAppears) {
  PulseDaemon daemon(PulseDaemon::Sink::kNone);
  ASSERT_TRUE(daemon.Start()) << daemon.Log();
  daemon.PointClientsHere();

  testing::internal::CaptureStderr();
  {
    PulseCapture capture;
    ASSERT_TRUE(capture.Start());
    ASSERT_TRUE(WaitFor([&] { return capture.State() == CaptureState::kLost; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(2500));
    Reading r = Read(capture);
    EXPECT_TRUE(IsSilent(r)) << Describe(r);

    ASSERT_TRUE(daemon.AddNullSink()) << daemon.Log();
    EXPECT_TRUE(WaitFor([&] { return capture.State() == CaptureState::kRecording; }));
    ASSERT_TRUE(daemon.PlayTone(1000, 3000, 60));
    EXPECT_TRUE(WaitFor([&] { return IsTone(r = Read(capture)); })) << Describe(r);
  }
  const std::string log = testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 2) << log;
}

}  // namespace
}  // namespace glimmora
