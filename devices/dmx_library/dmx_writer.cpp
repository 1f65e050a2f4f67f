#include "dmx_writer.h"

#include <ola/DmxBuffer.h>
#include <ola/client/StreamingClient.h>
#include <signal.h>

#include <memory>

namespace glimmora::dmx {

namespace {

using Clock = std::chrono::steady_clock;

// A connected client, or null when olad cannot be reached.
std::unique_ptr<ola::client::StreamingClient> Connect() {
  ola::client::StreamingClient::Options options;
  options.auto_start = false;  // never start a daemon of our own
  auto client = std::make_unique<ola::client::StreamingClient>(options);
  if (!client->Setup()) return nullptr;
  return client;
}

}  // namespace

DmxWriter::~DmxWriter() { Stop(); }

void DmxWriter::Set(int channel, int value) {
  if (channel < 1 || channel > kSlotCount) return;
  const auto byte = static_cast<std::uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value);
  std::lock_guard lock(mutex_);
  std::uint8_t& slot = frame_[static_cast<std::size_t>(channel - 1)];
  if (slot == byte && (dirty_ || thread_.joinable())) return;
  slot = byte;
  const bool wasDirty = dirty_;
  dirty_ = true;
  if (stopping_) return;
  if (!thread_.joinable()) {
    thread_ = std::thread([this] { Run(); });
  } else if (!wasDirty) {
    wake_.notify_one();  // the writer only waits for the first change of a frame
  }
}

void DmxWriter::Stop() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_one();
  if (thread_.joinable()) thread_.join();
}

void DmxWriter::Run() {
  // A write to a socket olad has just closed must not end the process.
  sigset_t pipe;
  sigemptyset(&pipe);
  sigaddset(&pipe, SIGPIPE);
  pthread_sigmask(SIG_BLOCK, &pipe, nullptr);

  std::unique_ptr<ola::client::StreamingClient> client;
  Clock::time_point nextAttempt = Clock::now();
  Clock::time_point nextFrame = Clock::now();
  ola::DmxBuffer buffer;
  std::unique_lock lock(mutex_);
  for (;;) {
    // While connected, the frame is sent again after a quiet second, so olad (and the rig
    // behind it) regains the current values after a restart or a stall.
    if (client) {
      wake_.wait_for(lock, kRefreshPeriod, [this] { return dirty_ || stopping_; });
    } else {
      wake_.wait(lock, [this] { return dirty_ || stopping_; });
    }
    // Wait out the frame period (and, while disconnected, the reconnection period) so
    // that the frame sent carries the newest values.
    const Clock::time_point due = client ? nextFrame : std::max(nextFrame, nextAttempt);
    wake_.wait_until(lock, due, [this] { return stopping_; });
    if (stopping_) break;
    buffer.Set(frame_.data(), kSlotCount);
    dirty_ = false;
    lock.unlock();

    bool sent = false;
    if (!client) {
      nextAttempt = Clock::now() + kReconnectPeriod;
      client = Connect();
    }
    if (client) {
      sent = client->SendDmx(kUniverse, buffer);
      if (!sent) client.reset();
    }
    nextFrame = Clock::now() + kFramePeriod;

    lock.lock();
    if (!sent) dirty_ = true;  // keep the frame for the next connection
  }
  lock.unlock();
  client.reset();
}

}  // namespace glimmora::dmx
