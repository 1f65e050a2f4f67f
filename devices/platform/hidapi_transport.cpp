#include "devices/platform/hidapi_transport.h"

#include <hidapi.h>

namespace glimmora {

HidapiTransport::HidapiTransport() { hid_init(); }

HidapiTransport::~HidapiTransport() { hid_exit(); }

std::vector<HidDeviceRecord> HidapiTransport::Enumerate() {
  std::vector<HidDeviceRecord> records;
  hid_device_info* list = hid_enumerate(0, 0);
  for (const hid_device_info* info = list; info != nullptr; info = info->next) {
    records.push_back(HidDeviceRecord{info->path != nullptr ? info->path : "", info->vendor_id, info->product_id,
                                      info->release_number});
  }
  hid_free_enumeration(list);
  return records;
}

HidHandle HidapiTransport::OpenPath(const std::string& path) { return hid_open_path(path.c_str()); }

int HidapiTransport::Write(HidHandle handle, const std::uint8_t* data, std::size_t length) {
  if (handle == nullptr || data == nullptr || length == 0) return 0;
  return hid_write(static_cast<hid_device*>(handle), data, length);
}

void HidapiTransport::Close(HidHandle handle) {
  if (handle != nullptr) hid_close(static_cast<hid_device*>(handle));
}

}  // namespace glimmora
