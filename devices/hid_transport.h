// The HID services the USB controller link needs: list the attached HID devices, open one
// by its path, write an output report, close. One real implementation over hidapi
// (devices/platform/hidapi_transport.h); tests use a scripted double.
//
// Thread: an implementation must allow Write on one thread while another thread lists
// devices; opening, writing through and closing one handle are serialised by the caller.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace glimmora {

// An open device; null means none.
using HidHandle = void*;

// One attached HID interface as the system lists it.
struct HidDeviceRecord {
  std::string path;
  int vendorId = 0;
  int productId = 0;
  int version = 0;  // release number of the device
};

class HidTransport {
 public:
  virtual ~HidTransport() = default;
  // Every attached HID interface, in the system's enumeration order.
  virtual std::vector<HidDeviceRecord> Enumerate() = 0;
  // Opens a device path for writing; null when it cannot be opened.
  virtual HidHandle OpenPath(const std::string& path) = 0;
  // Writes one output report (first byte: report ID); the bytes written, or -1 on error.
  virtual int Write(HidHandle handle, const std::uint8_t* data, std::size_t length) = 0;
  virtual void Close(HidHandle handle) = 0;
};

}  // namespace glimmora
