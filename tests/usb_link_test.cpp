// The USB controller link against a scripted HID transport: command bytes and report
// framing, presence checks with the status label, brightness and step after start-up and
// replugging, shutdown bytes, device matching, and handle replacement while the engine
// thread writes.
#include "devices/usb_link.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "devices/dmx_library.h"
#include "devices/hid_access.h"
#include "devices/port_library.h"
#include "devices/shutdown_outputs.h"
#include "engine/process_state.h"
#include "tests/doubles/fake_hid_transport.h"
#include "ui/store/control_ids.h"
#include "ui/store/control_store.h"

namespace glimmora {
namespace {

using Commands = std::vector<int>;

constexpr int kVid = 0x16C0;
constexpr int kPid = 0x05DF;
const HidDeviceRecord kController{"/dev/hidraw3", kVid, kPid, 0x0100};
const HidDeviceRecord kOther{"/dev/hidraw0", 0x046D, 0xC52B, 0x1200};

class UsbLinkTest : public testing::Test {
 protected:
  UsbLinkTest() {
    state.UsbVendorId = kVid;
    state.UsbProductId = kPid;
  }

  void Pass() { link.SendUsbPass(0, 64, 128); }
  Commands Sent(const HidDeviceRecord& device = kController) const { return transport.Commands(device.path); }

  ProcessState state;
  ControlStore store;
  FakeHidTransport transport;
  UsbLink link{state, store, transport};
};

TEST_F(UsbLinkTest, BrightnessAndStepCommandBytes) {
  struct Case {
    int brightness, step;
    Commands expected;
  };
  const Case cases[] = {
      {0, 0, {0, 64, 128, 192, 208, 224}},
      {15, 255, {0, 64, 128, 207, 223, 239}},
      {3, 40, {0, 64, 128, 195, 216, 226}},
  };
  transport.Attach(kController);
  link.UsbCheck();
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "brightness " << c.brightness << " step " << c.step);
    transport.ClearReports();
    store.SetState(BrightBar, c.brightness);
    store.SetState(StepBar, c.step);
    state.BrightnessDirty = 1;
    Pass();
    EXPECT_EQ(Sent(), c.expected);
    EXPECT_EQ(state.BrightnessDirty.load(), 0);
  }
  for (const auto& report : transport.Reports(kController.path)) {
    ASSERT_EQ(report.size(), 2u);
    EXPECT_EQ(report[0], 0);
  }
}

TEST_F(UsbLinkTest, CommandKeepsTheLowEightBits) {
  transport.Attach(kController);
  link.UsbCheck();
  link.SendUsbCommand(63);
  link.SendUsbCommand(0x100 + 191);
  EXPECT_EQ(Sent(), (Commands{63, 191}));
}

TEST_F(UsbLinkTest, ControllerAttachedAtStartUpGetsBrightnessAndStepInTheFirstPass) {
  transport.Attach(kOther);
  transport.Attach(kController);
  state.BrightnessDirty = 1;  // set by start-up before the first check
  link.UsbCheck();
  EXPECT_EQ(store.Text(UsbStatusLabel), "USBON");
  EXPECT_EQ(store.TextColour(UsbStatusLabel), kUsbOnColour);

  link.SendUsbPass(5, 64 + 9, 128 + 33);
  EXPECT_EQ(Sent(), (Commands{5, 73, 161, 192 + 11, 208 + (40 & 15), 224 + (40 >> 4)}));
  transport.ClearReports();
  Pass();
  EXPECT_EQ(Sent(), (Commands{0, 64, 128}));
  EXPECT_TRUE(transport.Reports(kOther.path).empty());
}

TEST_F(UsbLinkTest, ControllerAttachedLaterGetsBrightnessOnlyWhenABarMoves) {
  state.BrightnessDirty = 1;
  link.UsbCheck();
  EXPECT_EQ(store.Text(UsbStatusLabel), "USBOFF");
  Pass();  // nothing to write to, but the flag is used up
  EXPECT_EQ(state.BrightnessDirty.load(), 0);

  transport.Attach(kController);
  link.UsbCheck();
  EXPECT_EQ(store.Text(UsbStatusLabel), "USBON");
  Pass();
  EXPECT_EQ(Sent(), (Commands{0, 64, 128}));

  transport.ClearReports();
  state.BrightnessDirty = 1;  // the user moved BrightBar
  Pass();
  EXPECT_EQ(Sent(), (Commands{0, 64, 128, 203, 216, 226}));
}

TEST_F(UsbLinkTest, UnplugAndReplugWithinOneCheckEach) {
  transport.Attach(kController);
  link.UsbCheck();
  Pass();

  transport.Detach(kController.path);
  link.UsbCheck();
  EXPECT_EQ(store.Text(UsbStatusLabel), "USBOFF");
  EXPECT_EQ(store.TextColour(UsbStatusLabel), kUsbOffColour);
  EXPECT_EQ(state.UsbWasOff.load(), 1);
  EXPECT_EQ(transport.OpenHandles(), 0);
  EXPECT_FALSE(link.Connected());

  transport.ClearReports();
  transport.Attach(kController);
  link.UsbCheck();
  EXPECT_EQ(store.Text(UsbStatusLabel), "USBON");
  EXPECT_EQ(state.BrightnessDirty.load(), 1);
  EXPECT_EQ(state.UsbWasOff.load(), 0);
  Pass();
  EXPECT_EQ(Sent(), (Commands{0, 64, 128, 203, 216, 226}));
  // One open per appearance: repeated checks with the same result change nothing.
  link.UsbCheck();
  link.UsbCheck();
  EXPECT_EQ(transport.OpenCount(), 2);
  EXPECT_EQ(transport.OpenHandles(), 1);
}

TEST_F(UsbLinkTest, ShutdownBytesOnlyWhileConnected) {
  PortLibrary port("/nonexistent/");
  DmxLibrary dmx("/nonexistent/");
  transport.Attach(kController);
  link.UsbCheck();
  SwitchOutputsOff(link, port, dmx);
  EXPECT_EQ(Sent(), (Commands{0, 64, 128}));

  transport.Detach(kController.path);
  link.UsbCheck();
  transport.ClearReports();
  transport.Attach(kController);  // plugged in, but not yet seen by a check
  SwitchOutputsOff(link, port, dmx);
  EXPECT_TRUE(Sent().empty());
}

TEST_F(UsbLinkTest, OnlyTheFirstOfTwoMatchingControllersIsUsed) {
  const HidDeviceRecord second{"/dev/hidraw7", kVid, kPid, 0x0200};
  transport.Attach(kController);
  transport.Attach(second);
  link.UsbCheck();
  Pass();
  EXPECT_EQ(Sent(), (Commands{0, 64, 128}));
  EXPECT_TRUE(transport.Reports(second.path).empty());
}

TEST_F(UsbLinkTest, ControllerThatCannotBeOpenedShowsUsbOnAndIsNotRetried) {
  transport.Attach(kController);
  transport.SetOpenable(kController.path, false);
  link.UsbCheck();
  EXPECT_EQ(store.Text(UsbStatusLabel), "USBON");
  link.UsbCheck();
  link.UsbCheck();
  EXPECT_EQ(transport.OpenAttempts(), 1);
  transport.SetOpenable(kController.path, true);
  state.BrightnessDirty = 1;
  Pass();
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(state.BrightnessDirty.load(), 0);
}

TEST_F(UsbLinkTest, MissingIdsFindNothing) {
  state.UsbVendorId = 0;
  state.UsbProductId = 0;
  transport.Attach(kController);
  link.UsbCheck();
  EXPECT_EQ(store.Text(UsbStatusLabel), "USBOFF");
  EXPECT_EQ(transport.OpenAttempts(), 0);
}

TEST_F(UsbLinkTest, NoWriteUsesAClosedHandleWhileTheControllerComesAndGoes) {
  transport.Attach(kController);
  link.UsbCheck();
  std::atomic<bool> stop{false};
  std::thread engine([&] {
    while (!stop) Pass();
  });
  for (int i = 0; i < 300; ++i) {
    transport.Detach(kController.path);
    link.UsbCheck();
    transport.Attach(kController);
    link.UsbCheck();
  }
  stop = true;
  engine.join();
  EXPECT_EQ(transport.ClosedHandleWrites(), 0);
  EXPECT_EQ(transport.OpenHandles(), 1);
}

// The matching rules of the device scan, on scripted enumeration records.
TEST(HidAccessTest, MatchingRules) {
  FakeHidTransport transport;
  transport.Attach({"/dev/hidraw0", 0x046D, 0xC52B, 0x1200});
  transport.Attach({"/dev/hidraw1", kVid, kPid, 0x0100});
  transport.Attach({"/dev/hidraw2", kVid, kPid, 0x0200});
  struct Case {
    int product, vendor, version, index;
    const char* opened;  // null: nothing found
  };
  const Case cases[] = {
      {kPid, kVid, -1, 0, "/dev/hidraw1"},
      {kPid, kVid, -1, 1, "/dev/hidraw2"},
      {kPid, kVid, -1, 2, nullptr},
      {kPid + 0x10000, kVid + 0x30000, -1, 0, "/dev/hidraw1"},  // only 16 bits compared
      {kPid, kVid, 0x0200, 0, "/dev/hidraw2"},
      {kPid, kVid, 0x0300, 0, nullptr},
      {kVid, kPid, -1, 0, nullptr},  // ids swapped
      {0, 0, -1, 0, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.product << " " << c.vendor << " " << c.version << " " << c.index);
    EXPECT_EQ(HidIsPresent(transport, c.product, c.vendor, c.version, c.index), c.opened != nullptr);
    transport.ClearReports();
    const HidHandle handle = HidOpen(transport, c.product, c.vendor, c.version, c.index);
    ASSERT_EQ(handle != nullptr, c.opened != nullptr);
    if (handle == nullptr) continue;
    const std::uint8_t report[2] = {0, 7};
    EXPECT_EQ(HidWrite(transport, handle, report, 2), 2);
    EXPECT_EQ(transport.Commands(c.opened), (Commands{7}));
    HidClose(transport, handle);
    EXPECT_EQ(transport.OpenHandles(), 0) << "the other opened devices are closed too";
  }
}

TEST(HidAccessTest, UnopenableMatchIsSkippedWhenOpening) {
  FakeHidTransport transport;
  transport.Attach({"/dev/hidraw1", kVid, kPid, 0});
  transport.Attach({"/dev/hidraw2", kVid, kPid, 0});
  transport.SetOpenable("/dev/hidraw1", false);
  const HidHandle handle = HidOpen(transport, kPid, kVid, -1, 0);
  const std::uint8_t report[2] = {0, 9};
  EXPECT_EQ(HidWrite(transport, handle, report, 2), 2);
  EXPECT_EQ(transport.Commands("/dev/hidraw2"), (Commands{9}));
  HidClose(transport, handle);
  HidClose(transport, nullptr);
}

}  // namespace
}  // namespace glimmora
