#include "devices/hid_access.h"

namespace glimmora {

bool HidMatches(const HidDeviceRecord& record, int productId, int vendorId, int version) {
  return (record.productId & 0xFFFF) == (productId & 0xFFFF) && (record.vendorId & 0xFFFF) == (vendorId & 0xFFFF) &&
         (version == -1 || record.version == version);
}

bool HidIsPresent(HidTransport& transport, int productId, int vendorId, int version, int index) {
  int count = 0;
  for (const HidDeviceRecord& record : transport.Enumerate()) {
    if (!HidMatches(record, productId, vendorId, version)) continue;
    if (count >= index) return true;
    ++count;
  }
  return false;
}

HidHandle HidOpen(HidTransport& transport, int productId, int vendorId, int version, int index) {
  int count = 0;
  for (const HidDeviceRecord& record : transport.Enumerate()) {
    if (!HidMatches(record, productId, vendorId, version)) continue;
    HidHandle handle = transport.OpenPath(record.path);
    if (handle == nullptr) continue;
    if (count == index) return handle;
    transport.Close(handle);
    ++count;
  }
  return nullptr;
}

int HidWrite(HidTransport& transport, HidHandle handle, const std::uint8_t* buffer, int length) {
  if (handle == nullptr || buffer == nullptr || length < 1) return 0;
  const int written = transport.Write(handle, buffer, static_cast<std::size_t>(length));
  return written < 0 ? 0 : written;
}

void HidClose(HidTransport& transport, HidHandle handle) {
  if (handle != nullptr) transport.Close(handle);
}

}  // namespace glimmora
