// One engine pass's output stage: three USB reports through the scripted HID transport, two
// LPT writes through the recording stand-in port library, and 18 DMX calls into the real
// DMX library (no olad: the values are only stored for its writer thread).
#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <string>

#include "devices/device_outputs.h"
#include "devices/dmx_library.h"
#include "devices/port_library.h"
#include "devices/usb_link.h"
#include "engine/process_state.h"
#include "tests/doubles/fake_hid_transport.h"
#include "tests/doubles/scripted_lock_keys.h"
#include "ui/store/control_store.h"

namespace glimmora {
namespace {

// The build folder: this program lies in its bench/ folder.
std::string BuildDir() {
  char path[PATH_MAX] = {};
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  std::string self(path, length > 0 ? static_cast<std::size_t>(length) : 0);
  self.erase(self.rfind('/'));
  return self.substr(0, self.rfind('/') + 1);
}

void BM_OutputStage(benchmark::State& bench) {
  const std::string build = BuildDir();
  ProcessState state;
  state.UsbVendorId = 0x16C0;
  state.UsbProductId = 0x05DF;
  ControlStore store;
  FakeHidTransport transport;
  transport.Attach({"/dev/hidraw3", 0x16C0, 0x05DF, 0x0100});
  UsbLink usb(state, store, transport);
  usb.UsbCheck();
  PortLibrary port(build + "tests/recording_port/");
  DmxLibrary dmx(build + "run/");
  if (!port.Load() || !dmx.Load()) {
    bench.SkipWithError("the stand-in port library or the DMX library is missing");
    return;
  }
  void* recorder = dlopen((build + "tests/recording_port/" + kPortLibraryFileName).c_str(), RTLD_NOW | RTLD_LOCAL);
  auto recorded = reinterpret_cast<int (*)(int*, int)>(dlsym(recorder, "RecordedOut32"));
  ScriptedLockKeys keyboard;
  DeviceOutputs outputs(state, usb, port, keyboard, dmx);

  int pass = 0;
  for (auto _ : bench) {
    const int lit = pass & 63;
    outputs.SendUsbPass(lit, 64 + lit, 128 + lit);
    outputs.WriteLptPort(kLptDataPort, pass & 255);
    outputs.WriteLptPort(kLptControlPort, 11 ^ (pass & 4));
    for (int channel = 1; channel <= 18; ++channel) outputs.SetDmxChannel(channel, (pass + channel) & 15);
    if (++pass % 4096 == 0) {
      // Keep the doubles' records from growing without bound.
      bench.PauseTiming();
      transport.ClearReports();
      int discard[2];
      recorded(discard, 0);
      bench.ResumeTiming();
    }
  }
  dlclose(recorder);
}
BENCHMARK(BM_OutputStage)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace glimmora
