// The latest captured samples: 16-bit signed, mono, 22050 Hz, newest last.
//
// Threads: one writer (the sound server's callback thread calls Write and Clear) and any
// number of readers (the engine thread calls Latest). A short mutex guards the buffer; no
// call allocates.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <span>

namespace glimmora {

class SampleRing {
 public:
  static constexpr std::size_t kCapacity = 8192;  // samples, about 0.37 s

  // Appends samples; when more than kCapacity arrive at once only the last kCapacity count.
  void Write(std::span<const std::int16_t> samples);
  // Forgets everything: the ring reads as silence until new samples arrive.
  void Clear();
  // Copies the latest out.size() samples (at most kCapacity) into out, oldest first.
  // Samples never written read as 0.
  void Latest(std::span<std::int16_t> out) const;

 private:
  mutable std::mutex mutex_;
  std::array<std::int16_t, kCapacity> samples_{};  // guarded by mutex_
  std::size_t next_ = 0;                           // guarded by mutex_; slot of the next write
};

}  // namespace glimmora
