// The DMX library end to end against a real olad of the test's own (unprivileged, only the
// Dummy plugin, in a private network namespace with only loopback): values arrive as
// value x 20 capped at 255, calls go on harmlessly while olad is away or stalled, values
// arrive again after it restarts or resumes, and the shutdown zeros reach channels 1..19.
#include "devices/dmx_library.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "devices/port_library.h"
#include "devices/shutdown_outputs.h"
#include "devices/usb_link.h"
#include "engine/process_state.h"
#include "tests/doubles/fake_hid_transport.h"
#include "tests/support/ola_daemon.h"
#include "ui/store/control_store.h"

namespace glimmora {
namespace {

using Slots = std::vector<std::uint8_t>;

// Polls olad until the first slots equal `expected` (up to about 5 s); the last reading.
Slots AwaitSlots(const Slots& expected) {
  Slots seen;
  for (int attempt = 0; attempt < 100; ++attempt) {
    seen = OlaDaemon::FetchDmx(1, static_cast<int>(expected.size()));
    if (seen == expected) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return seen;
}

class DmxLibraryTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { privateNetwork = geteuid() == 0 && OlaDaemon::EnterPrivateNetwork(); }

  void SetUp() override {
    if (!privateNetwork) GTEST_SKIP() << "needs root for a private network namespace";
    ASSERT_TRUE(dmx.Load()) << dmx.FileName();
  }

  static inline bool privateNetwork = false;
  DmxLibrary dmx{GLIMMORA_RUN_DIR "/"};
};

TEST_F(DmxLibraryTest, ValuesReachOladAndSurviveItsAbsence) {
  OlaDaemon olad;
  ASSERT_TRUE(olad.Start());

  const int values[] = {0, 1, 12, 13, 255};
  for (int channel = 1; channel <= 5; ++channel) dmx.SetDmxChannel(channel, values[channel - 1]);
  dmx.SetDmxChannel(0, 5);    // ignored
  dmx.SetDmxChannel(513, 5);  // ignored
  EXPECT_EQ(AwaitSlots({0, 20, 240, 255, 255}), (Slots{0, 20, 240, 255, 255}));

  olad.Stop();
  for (int i = 0; i < 200; ++i) dmx.SetDmxChannel(1 + i % 18, i % 14);
  dmx.SetDmxChannel(1, 3);
  dmx.SetDmxChannel(2, 4);

  ASSERT_TRUE(olad.Start());
  EXPECT_EQ(AwaitSlots({60, 80}), (Slots{60, 80}));
}

TEST_F(DmxLibraryTest, StalledOladHoldsUpNeitherCallsNorUnloading) {
  OlaDaemon olad;
  ASSERT_TRUE(olad.Start());
  dmx.ChannelSet(1, 1);
  ASSERT_EQ(AwaitSlots({1}), (Slots{1}));

  kill(olad.Pid(), SIGSTOP);  // olad stops reading; its socket buffers fill up
  for (int i = 0; i < 2000; ++i) {
    for (int channel = 1; channel <= 18; ++channel) dmx.SetDmxChannel(channel, (i + channel) % 13);
    if (i % 100 == 0) std::this_thread::sleep_for(std::chrono::milliseconds(30));
  }
  kill(olad.Pid(), SIGCONT);
  dmx.ChannelSet(1, 77);
  EXPECT_EQ(AwaitSlots({77}), (Slots{77}));
  dmx.Unload();
}

TEST_F(DmxLibraryTest, ShutdownZeroesChannelsOneToNineteen) {
  OlaDaemon olad;
  ASSERT_TRUE(olad.Start());
  const Slots lit(20, 255);
  for (int channel = 1; channel <= 20; ++channel) dmx.ChannelSet(channel, 255);
  ASSERT_EQ(AwaitSlots(lit), lit);

  ProcessState state;
  ControlStore store;
  FakeHidTransport transport;
  UsbLink usb(state, store, transport);
  PortLibrary port("/nonexistent/");
  SwitchOutputsOff(usb, port, dmx);
  Slots expected(19, 0);
  expected.push_back(255);
  EXPECT_EQ(AwaitSlots(expected), expected);
}

}  // namespace
}  // namespace glimmora
