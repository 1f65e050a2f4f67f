// The port library loader against a stand-in library that records its Out32 calls: the
// writes arrive in order with their raw values, shutdown writes the idle values and then
// unloads with no engine write after it, and a missing library makes writes do nothing.
#include "devices/port_library.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "devices/device_outputs.h"
#include "devices/dmx_library.h"
#include "devices/shutdown_outputs.h"
#include "devices/usb_link.h"
#include "engine/engine_loop.h"
#include "engine/process_state.h"
#include "tests/doubles/engine_rig.h"
#include "tests/doubles/fake_capture.h"
#include "tests/doubles/fake_hid_transport.h"
#include "tests/doubles/scripted_lock_keys.h"
#include "ui/store/control_ids.h"
#include "ui/store/control_store.h"

namespace glimmora {
namespace {

using Writes = std::vector<std::pair<int, int>>;

const std::string kRecordingDir = GLIMMORA_BINARY_DIR "/tests/recording_port/";

class PortLibraryTest : public testing::Test {
 protected:
  void SetUp() override {
    // The test's own reference keeps the stand-in (and its records) loaded across Unload.
    recorder_ = dlopen((kRecordingDir + kPortLibraryFileName).c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(recorder_, nullptr) << dlerror();
    recorded_ = reinterpret_cast<int (*)(int*, int)>(dlsym(recorder_, "RecordedOut32"));
    ASSERT_NE(recorded_, nullptr);
    Recorded();
  }
  void TearDown() override {
    if (recorder_ != nullptr) dlclose(recorder_);
  }

  Writes Recorded() {
    int raw[2 * 64];
    const int count = recorded_(raw, 64);
    Writes writes;
    for (int i = 0; i < count && i < 64; ++i) writes.emplace_back(raw[2 * i], raw[2 * i + 1]);
    return writes;
  }

  void* recorder_ = nullptr;
  int (*recorded_)(int*, int) = nullptr;
};

TEST_F(PortLibraryTest, WritesArriveInOrderWithRawValues) {
  PortLibrary port(kRecordingDir);
  ASSERT_TRUE(port.Load());
  ProcessState state;
  ControlStore store;
  FakeHidTransport transport;
  UsbLink usb(state, store, transport);
  ScriptedLockKeys keyboard;
  DmxLibrary dmx("/nonexistent/");
  DeviceOutputs outputs(state, usb, port, keyboard, dmx);
  outputs.WriteLptPort(kLptDataPort, 0xA5);
  outputs.WriteLptPort(kLptControlPort, 4 + 1);
  outputs.WriteLptPort(kLptDataPort, 255);
  EXPECT_EQ(Recorded(), (Writes{{888, 0xA5}, {890, 5}, {888, 255}}));
}

TEST_F(PortLibraryTest, ShutdownWritesIdleValuesThenUnloads) {
  PortLibrary port(kRecordingDir);
  ASSERT_TRUE(port.Load());
  ProcessState state;
  state.UsbVendorId = 0x16C0;
  state.UsbProductId = 0x05DF;
  ControlStore store;
  FakeHidTransport transport;
  transport.Attach({"/dev/hidraw3", 0x16C0, 0x05DF, 0});
  UsbLink usb(state, store, transport);
  usb.UsbCheck();
  ScriptedLockKeys keyboard;
  DmxLibrary dmx("/nonexistent/");
  DeviceOutputs outputs(state, usb, port, keyboard, dmx);

  outputs.WriteLptPort(kLptDataPort, 7);
  outputs.SendUsbPass(1, 65, 129);
  state.OutputsPaused = 1;
  // The engine's writes of a pass already past its own check of the flag are dropped.
  outputs.WriteLptPort(kLptControlPort, 4);
  outputs.SendUsbPass(2, 66, 130);
  outputs.SwitchOutputsOff();
  outputs.WriteLptPort(kLptDataPort, 9);
  outputs.SendUsbPass(3, 67, 131);
  outputs.SetKeyboardLed('c', 1);

  EXPECT_EQ(Recorded(), (Writes{{888, 7}, {888, 0}, {890, 11}}));
  EXPECT_EQ(transport.Commands("/dev/hidraw3"), (std::vector<int>{1, 65, 129, 0, 64, 128}));
  EXPECT_EQ(keyboard.presses, "") << "the restored lock keys stay as they are";
  port.WriteLptPort(kLptDataPort, 9);
  EXPECT_TRUE(Recorded().empty()) << "unloaded";
}

TEST_F(PortLibraryTest, EnginePassesWriteDataThenControlAndStopAtShutdown) {
  PortLibrary port(kRecordingDir);
  ASSERT_TRUE(port.Load());
  ProcessState state;
  ControlStore store;
  for (int pin = 1; pin <= kChannelCount; ++pin) store.AddItem(PinComboId(pin), "");
  FakeHidTransport transport;
  UsbLink usb(state, store, transport);
  ScriptedLockKeys keyboard;
  DmxLibrary dmx("/nonexistent/");
  DeviceOutputs outputs(state, usb, port, keyboard, dmx);
  Indicators indicators(state, store);
  ChannelState channels(state, store, indicators);
  FakeCapture capture;
  NoSleepClock clock;
  Engine engine(state, store, capture, clock, outputs, channels, indicators, 1);
  // Mode 4 with a loud first pass lights channels 1..18: data 255, control 11 - 1 - 2 + 4 - 8.
  state.LightMode = 4;
  capture.level = 0x7FFF7FFF;
  capture.bins[100] = 1.0f;

  store.SetState(LptToggle, 1);
  engine.Pass();
  engine.Pass();
  EXPECT_EQ(Recorded(), (Writes{{888, 255}, {890, 4}, {888, 255}, {890, 4}}));
  store.SetState(LptToggle, 0);
  engine.Pass();
  EXPECT_EQ(Recorded(), (Writes{{888, 0}, {890, 11}}));

  store.SetState(LptToggle, 1);
  state.OutputsPaused = 1;
  outputs.SwitchOutputsOff();
  engine.Pass();
  EXPECT_EQ(Recorded(), (Writes{{888, 0}, {890, 11}})) << "only the shutdown writes";
}

TEST_F(PortLibraryTest, MissingLibraryWritesNothing) {
  PortLibrary missing("/nonexistent/");
  EXPECT_FALSE(missing.Load());
  EXPECT_STREQ(missing.FileName(), "libglimmora-port.so");
  missing.WriteLptPort(kLptDataPort, 1);
  missing.Unload();

  EXPECT_TRUE(Recorded().empty());
}

}  // namespace
}  // namespace glimmora
