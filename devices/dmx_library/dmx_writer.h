// The DMX library's writer: callers set channel values, a thread of its own sends the
// latest frame of universe 1 to olad (the OLA daemon) over its streaming client.
//
// - Frames are coalesced: at most one per kFramePeriod, always carrying the newest values.
// - Without olad nothing is sent and nothing fails; a connection is tried at most once per
//   kReconnectPeriod, and after a reconnection the whole current frame is sent again.
// - While connected and idle, the current frame is sent again every kRefreshPeriod.
// - Set never waits for olad: it only takes a short lock to store the value.
//
// Thread: Set from any thread; Stop once (at unload or exit), after which Set only stores.
// The destructor stops the writer.
#pragma once

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

namespace glimmora::dmx {

inline constexpr unsigned kUniverse = 1;
inline constexpr int kSlotCount = 512;
inline constexpr std::chrono::milliseconds kFramePeriod{25};
inline constexpr std::chrono::milliseconds kReconnectPeriod{1000};
inline constexpr std::chrono::milliseconds kRefreshPeriod{1000};

class DmxWriter {
 public:
  DmxWriter() = default;
  ~DmxWriter();
  DmxWriter(const DmxWriter&) = delete;
  DmxWriter& operator=(const DmxWriter&) = delete;

  // Channel c (1..512) is slot c - 1; other channels are ignored. Values are clamped to
  // 0..255. Starts the writer thread on first use.
  void Set(int channel, int value);
  // Ends the writer thread and waits for it.
  void Stop();

 private:
  void Run();

  std::mutex mutex_;
  std::condition_variable wake_;
  std::array<std::uint8_t, kSlotCount> frame_{};  // guarded by mutex_
  bool dirty_ = false;                            // guarded by mutex_
  bool stopping_ = false;                         // guarded by mutex_
  std::thread thread_;                            // started under mutex_
};

}  // namespace glimmora::dmx
