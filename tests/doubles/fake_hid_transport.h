// A scripted HidTransport: tests attach and detach devices, mark paths unopenable, and read
// back every report written, per device path. A write through a handle that was closed is
// recorded as a fault instead of being carried out.
//
// Thread: any; one mutex guards everything.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "devices/hid_transport.h"

namespace glimmora {

class FakeHidTransport : public HidTransport {
 public:
  std::vector<HidDeviceRecord> Enumerate() override;
  HidHandle OpenPath(const std::string& path) override;
  int Write(HidHandle handle, const std::uint8_t* data, std::size_t length) override;
  void Close(HidHandle handle) override;

  // Devices are listed in the order they were attached.
  void Attach(const HidDeviceRecord& device);
  void Detach(const std::string& path);
  void SetOpenable(const std::string& path, bool openable);

  // Every report written to the device at `path`, each as its bytes.
  std::vector<std::vector<std::uint8_t>> Reports(const std::string& path) const;
  // Just the command bytes (byte 1) of those reports.
  std::vector<int> Commands(const std::string& path) const;
  void ClearReports();
  int OpenAttempts() const;        // OpenPath calls so far
  int OpenCount() const;           // successful opens so far
  int OpenHandles() const;         // handles open now
  int ClosedHandleWrites() const;  // writes attempted through a closed handle

 private:
  struct Handle {
    std::string path;
    bool open = true;
  };

  mutable std::mutex mutex_;
  std::vector<HidDeviceRecord> devices_;
  std::set<std::string> unopenable_;
  std::vector<std::unique_ptr<Handle>> handles_;  // kept after closing to detect late writes
  std::map<std::string, std::vector<std::vector<std::uint8_t>>> reports_;
  int openAttempts_ = 0;
  int openCount_ = 0;
  int closedHandleWrites_ = 0;
};

}  // namespace glimmora
