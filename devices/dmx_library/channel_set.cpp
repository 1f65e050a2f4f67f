// The DMX library: ChannelSet(channel, value) sets DMX channel `channel` (slot channel - 1
// of universe 1) to `value` (0..255) through olad. Calls never wait for olad.
#include <mutex>

#include "dmx_writer.h"

namespace {

// The writer exists from the first call until the library is unloaded or the process
// exits; an engine thread may still call ChannelSet after that, and such calls do nothing.
// The mutex has no destructor to run, so it stays usable for those late calls.
std::mutex writerMutex;
glimmora::dmx::DmxWriter* writer = nullptr;  // guarded by writerMutex
bool finished = false;                       // guarded by writerMutex

__attribute__((destructor)) void StopWriter() {
  glimmora::dmx::DmxWriter* last = nullptr;
  {
    std::lock_guard lock(writerMutex);
    finished = true;
    last = writer;
    writer = nullptr;
  }
  delete last;  // stops and joins the writer thread
}

}  // namespace

extern "C" __attribute__((visibility("default"))) void ChannelSet(int channel, int value) {
  std::lock_guard lock(writerMutex);
  if (finished) return;
  if (writer == nullptr) writer = new glimmora::dmx::DmxWriter();
  writer->Set(channel, value);
}
