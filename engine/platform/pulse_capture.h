// The real capture: a PulseAudio record stream from the default source, 22050 Hz mono signed
// 16-bit with fragments of about 10 ms, feeding a ring of the latest samples. Level and
// Spectrum answer from that ring on the reference scale (engine/fft_analysis.h).
//
// Without a server, without a source, or after the server died, the capture answers silence,
// logs the change once to stderr, and tries to connect again about once a second from its own
// thread until the server is back. A stream that stays connected but delivers nothing for
// half a second (a hung server) also answers silence, not the last sound it heard, until
// samples flow again. Nothing here waits for the server.
//
// Threads: Start, State and the destructor on the owner's thread (start-up); Level and
// Spectrum on the engine thread. PulseAudio's callbacks run on the capture's own mainloop
// thread, the only writer of the ring.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "engine/capture.h"
#include "engine/ring_capture.h"

namespace glimmora {

enum class CaptureState {
  kStopped,     // Start not called yet
  kConnecting,  // connecting to the server or creating the record stream
  kRecording,   // samples are arriving
  kLost,        // no server, no source or the stream failed: silence, retrying
};

class PulseCapture : public Capture {
 public:
  PulseCapture();
  ~PulseCapture() override;
  PulseCapture(const PulseCapture&) = delete;
  PulseCapture& operator=(const PulseCapture&) = delete;

  // Starts the capture thread and the first connection attempt, and returns at once. False
  // only when the thread cannot be started (the capture then stays silent).
  bool Start();
  CaptureState State() const { return state_.load(std::memory_order_relaxed); }

  std::uint32_t Level() override;
  void Spectrum(std::span<float, kSpectrumBins> out) override;

  // The ring the stream writes into (for measurements).
  const SampleRing& Ring() const { return samples_.Ring(); }

 private:
  struct Connection;  // the PulseAudio objects; touched only under the mainloop lock

  bool Stale() const;

  RingCapture samples_;
  std::atomic<CaptureState> state_{CaptureState::kStopped};
  // steady_clock time of the latest samples written, in its own ticks; 0: none yet.
  std::atomic<std::int64_t> lastWrite_{0};
  std::unique_ptr<Connection> connection_;
};

}  // namespace glimmora
