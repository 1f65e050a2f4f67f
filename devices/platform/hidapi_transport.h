// HidTransport over hidapi (hidraw backend): hid_enumerate, hid_open_path, hid_write,
// hid_close. hid_init is called once by the constructor and hid_exit by the destructor.
//
// Thread: Enumerate may run on one thread while another writes through an open handle;
// hidapi keeps no shared state for either.
#pragma once

#include "devices/hid_transport.h"

namespace glimmora {

class HidapiTransport : public HidTransport {
 public:
  HidapiTransport();
  ~HidapiTransport() override;
  HidapiTransport(const HidapiTransport&) = delete;
  HidapiTransport& operator=(const HidapiTransport&) = delete;

  std::vector<HidDeviceRecord> Enumerate() override;
  HidHandle OpenPath(const std::string& path) override;
  int Write(HidHandle handle, const std::uint8_t* data, std::size_t length) override;
  void Close(HidHandle handle) override;
};

}  // namespace glimmora
