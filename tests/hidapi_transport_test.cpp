// The hidapi transport on a machine that may have no HID device at all: enumeration works
// and its records match themselves, absent ids are not found, and writes with a null
// handle, a null buffer or no length are refused without touching anything.
#include "devices/platform/hidapi_transport.h"

#include <gtest/gtest.h>

#include "devices/hid_access.h"

namespace glimmora {
namespace {

TEST(HidapiTransportTest, EnumerationRecordsMatchTheirOwnIds) {
  HidapiTransport transport;
  for (const HidDeviceRecord& record : transport.Enumerate()) {
    SCOPED_TRACE(record.path);
    EXPECT_FALSE(record.path.empty());
    EXPECT_TRUE(HidMatches(record, record.productId, record.vendorId, -1));
    EXPECT_TRUE(HidMatches(record, record.productId, record.vendorId, record.version));
    EXPECT_FALSE(HidMatches(record, record.productId ^ 1, record.vendorId, -1));
    EXPECT_TRUE(HidIsPresent(transport, record.productId, record.vendorId, -1, 0));
  }
}

TEST(HidapiTransportTest, AbsentControllerIsNeitherPresentNorOpened) {
  HidapiTransport transport;
  // Ids 0/0 are what a setting.dat without "PID" and "VID" gives; no device has them.
  for (const int id : {0, 0xFFFF}) {
    EXPECT_FALSE(HidIsPresent(transport, id, id, -1, 0));
    EXPECT_EQ(HidOpen(transport, id, id, -1, 0), nullptr);
  }
  EXPECT_EQ(transport.OpenPath("/dev/glimmora-no-such-hidraw"), nullptr);
}

TEST(HidapiTransportTest, WriteRefusesNullHandleNullBufferAndNoLength) {
  HidapiTransport transport;
  const std::uint8_t report[2] = {0, 64};
  // Never dereferenced: every case below is refused before the handle is used.
  int notADevice = 0;
  const HidHandle bogus = &notADevice;
  EXPECT_EQ(HidWrite(transport, nullptr, report, 2), 0);
  EXPECT_EQ(HidWrite(transport, bogus, nullptr, 2), 0);
  EXPECT_EQ(HidWrite(transport, bogus, report, 0), 0);
  EXPECT_EQ(HidWrite(transport, bogus, report, -1), 0);
  EXPECT_EQ(transport.Write(nullptr, report, 2), 0);
  HidClose(transport, nullptr);
}

}  // namespace
}  // namespace glimmora
