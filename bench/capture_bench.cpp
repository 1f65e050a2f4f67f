// The capture's figures.
//
// BM_LevelAndSpectrum: what one engine pass asks of the capture, the level word and the
// 2048 magnitudes of the latest 4096 samples in the ring (copy out of the ring, window,
// FFT, magnitudes). Run with repetitions; the median is reported.
//
// BM_CaptureLatency: time from a sample entering the sound server to its being in the
// capture's ring. A private PulseAudio daemon (null sink at 22050 Hz mono, its monitor the
// default source) and the real PulseCapture recording from it. A playback stream with a
// 10 ms target length writes 100 fragments of 10 ms, one every 15 ms so that each one finds
// the server's queue empty; fragment i holds the constant value 100 (i + 1). The moment a
// fragment enters the server is taken just before pa_stream_write hands it over; a thread
// polling the ring every 100 us notes when that value first appears in the ring. Counters:
// median and worst over the 100 fragments, in milliseconds. A null sink passes a sample to
// its monitor as soon as it mixes it; a sound card's source adds the time its hardware
// buffer takes to fill, which the capture's 10 ms fragment size bounds.
#include <benchmark/benchmark.h>
#include <pulse/pulseaudio.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "engine/platform/pulse_capture.h"
#include "engine/ring_capture.h"
#include "tests/doubles/fake_capture.h"
#include "tests/support/pulse_daemon.h"

namespace glimmora {
namespace {

using Clock = std::chrono::steady_clock;

void BM_LevelAndSpectrum(benchmark::State& bench) {
  RingCapture capture;
  const std::vector<std::int16_t> tone = ToneSamples(1000.0, 3000.0);
  capture.Ring().Write(tone);
  std::array<float, kSpectrumBins> bins{};
  for (auto _ : bench) {
    benchmark::DoNotOptimize(capture.Level());
    capture.Spectrum(bins);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_LevelAndSpectrum)->Repetitions(10)->ReportAggregatesOnly(true);

constexpr pa_sample_spec kMarkerFormat{PA_SAMPLE_S16LE, 22050, 1};
constexpr int kFragments = 100;
constexpr int kFragmentSamples = 220;  // 10 ms

// A playback stream into the private daemon's default sink, on its own threaded mainloop.
class Player {
 public:
  Player() : loop_(pa_threaded_mainloop_new()) {}
  ~Player() {
    pa_threaded_mainloop_stop(loop_);
    if (stream_ != nullptr) pa_stream_unref(stream_);
    if (context_ != nullptr) {
      pa_context_disconnect(context_);
      pa_context_unref(context_);
    }
    pa_threaded_mainloop_free(loop_);
  }

  bool Open() {
    pa_threaded_mainloop_start(loop_);
    pa_threaded_mainloop_lock(loop_);
    context_ = pa_context_new(pa_threaded_mainloop_get_api(loop_), "capture latency");
    pa_context_set_state_callback(context_, &Player::Signal, loop_);
    bool ready = pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) == 0;
    while (ready && pa_context_get_state(context_) != PA_CONTEXT_READY) {
      ready = PA_CONTEXT_IS_GOOD(pa_context_get_state(context_));
      if (ready) pa_threaded_mainloop_wait(loop_);
    }
    if (ready) {
      stream_ = pa_stream_new(context_, "marker", &kMarkerFormat, nullptr);
      pa_stream_set_state_callback(stream_, &Player::SignalStream, loop_);
      pa_buffer_attr attributes{};
      attributes.maxlength = static_cast<std::uint32_t>(-1);
      attributes.tlength = static_cast<std::uint32_t>(pa_usec_to_bytes(10'000, &kMarkerFormat));
      attributes.prebuf = static_cast<std::uint32_t>(-1);
      attributes.minreq = static_cast<std::uint32_t>(-1);
      attributes.fragsize = static_cast<std::uint32_t>(-1);
      ready =
          pa_stream_connect_playback(stream_, nullptr, &attributes, PA_STREAM_ADJUST_LATENCY, nullptr, nullptr) == 0;
      while (ready && pa_stream_get_state(stream_) != PA_STREAM_READY) {
        ready = PA_STREAM_IS_GOOD(pa_stream_get_state(stream_));
        if (ready) pa_threaded_mainloop_wait(loop_);
      }
    }
    pa_threaded_mainloop_unlock(loop_);
    return ready;
  }

  // Hands the samples to the server; returns the moment just before.
  Clock::time_point Write(const std::vector<std::int16_t>& samples) {
    pa_threaded_mainloop_lock(loop_);
    const Clock::time_point now = Clock::now();
    pa_stream_write(stream_, samples.data(), samples.size() * sizeof(std::int16_t), nullptr, 0, PA_SEEK_RELATIVE);
    pa_threaded_mainloop_unlock(loop_);
    return now;
  }

 private:
  static void Signal(pa_context*, void* loop) {
    pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(loop), 0);
  }
  static void SignalStream(pa_stream*, void* loop) {
    pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(loop), 0);
  }

  pa_threaded_mainloop* loop_;
  pa_context* context_ = nullptr;
  pa_stream* stream_ = nullptr;
};

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

void BM_CaptureLatency(benchmark::State& bench) {
  PulseDaemon daemon;
  if (!daemon.Start()) {
    bench.SkipWithError("the private PulseAudio daemon did not start");
    return;
  }
  daemon.PointClientsHere();
  PulseCapture capture;
  capture.Start();
  Player player;
  const Clock::time_point limit = Clock::now() + std::chrono::seconds(10);
  while (capture.State() != CaptureState::kRecording && Clock::now() < limit) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (capture.State() != CaptureState::kRecording || !player.Open()) {
    bench.SkipWithError("no connection to the private PulseAudio daemon");
    return;
  }

  std::vector<double> latencies;
  for (auto _ : bench) {
    std::array<Clock::time_point, kFragments> entered{};
    std::array<std::atomic<std::int64_t>, kFragments> arrived{};  // ns since the epoch, 0: not yet
    std::atomic<bool> writing{true};
    std::thread watcher([&] {
      std::array<std::int16_t, 1024> latest{};
      const Clock::time_point end = Clock::now() + std::chrono::seconds(kFragments / 20 + 10);
      int found = 0;
      while (found < kFragments && Clock::now() < end) {
        capture.Ring().Latest(latest);
        const std::int64_t now = Clock::now().time_since_epoch().count();
        for (const std::int16_t s : latest) {
          const int fragment = s / 100 - 1;
          if (s % 100 == 0 && fragment >= 0 && fragment < kFragments && arrived[fragment].load() == 0) {
            arrived[fragment].store(now);
            ++found;
          }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(100));
      }
      writing.store(false);
    });
    // A null sink that had no client renders up to 2 s ahead; it settles to the latency its
    // streams ask for once that lead has run out. Measure only after that.
    Clock::time_point next = Clock::now() + std::chrono::milliseconds(2500);
    for (int i = 0; i < kFragments; ++i) {
      next += std::chrono::milliseconds(15);
      std::this_thread::sleep_until(next);
      entered[static_cast<std::size_t>(i)] =
          player.Write(std::vector<std::int16_t>(kFragmentSamples, static_cast<std::int16_t>(100 * (i + 1))));
    }
    watcher.join();
    for (int i = 0; i < kFragments; ++i) {
      const std::int64_t at = arrived[static_cast<std::size_t>(i)].load();
      if (at == 0) continue;
      latencies.push_back(Milliseconds(Clock::time_point(Clock::duration(at)) - entered[static_cast<std::size_t>(i)]));
    }
  }
  if (latencies.empty()) {
    bench.SkipWithError("no fragment reached the ring");
    return;
  }
  std::sort(latencies.begin(), latencies.end());
  bench.counters["median_ms"] = latencies[latencies.size() / 2];
  bench.counters["worst_ms"] = latencies.back();
  bench.counters["fragments_seen"] = static_cast<double>(latencies.size());
}
BENCHMARK(BM_CaptureLatency)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace glimmora
