// The DMX library: ChannelSet(channel, value) sets DMX channel `channel` (slot channel - 1
// of universe 1) to `value` (0..255) through olad. Calls never wait for olad.
#include "dmx_writer.h"

namespace {

// Made on first use and never freed: an engine thread may still call ChannelSet while the
// process exits, after the writer thread has been stopped.
glimmora::dmx::DmxWriter& Writer() {
  static auto* writer = new glimmora::dmx::DmxWriter();
  return *writer;
}

__attribute__((destructor)) void StopWriter() { Writer().Stop(); }

}  // namespace

extern "C" __attribute__((visibility("default"))) void ChannelSet(int channel, int value) {
  Writer().Set(channel, value);
}
