#include "tests/doubles/fake_hid_transport.h"

#include <algorithm>

namespace glimmora {

std::vector<HidDeviceRecord> FakeHidTransport::Enumerate() {
  std::lock_guard lock(mutex_);
  return devices_;
}

HidHandle FakeHidTransport::OpenPath(const std::string& path) {
  std::lock_guard lock(mutex_);
  ++openAttempts_;
  const bool attached =
      std::any_of(devices_.begin(), devices_.end(), [&](const HidDeviceRecord& d) { return d.path == path; });
  if (!attached || unopenable_.count(path) != 0) return nullptr;
  ++openCount_;
  handles_.push_back(std::make_unique<Handle>(Handle{path}));
  return handles_.back().get();
}

int FakeHidTransport::Write(HidHandle handle, const std::uint8_t* data, std::size_t length) {
  std::lock_guard lock(mutex_);
  auto* h = static_cast<Handle*>(handle);
  if (!h->open) {
    ++closedHandleWrites_;
    return -1;
  }
  const bool attached =
      std::any_of(devices_.begin(), devices_.end(), [&](const HidDeviceRecord& d) { return d.path == h->path; });
  if (!attached) return -1;
  reports_[h->path].emplace_back(data, data + length);
  return static_cast<int>(length);
}

void FakeHidTransport::Close(HidHandle handle) {
  std::lock_guard lock(mutex_);
  static_cast<Handle*>(handle)->open = false;
}

void FakeHidTransport::Attach(const HidDeviceRecord& device) {
  std::lock_guard lock(mutex_);
  devices_.push_back(device);
}

void FakeHidTransport::Detach(const std::string& path) {
  std::lock_guard lock(mutex_);
  std::erase_if(devices_, [&](const HidDeviceRecord& d) { return d.path == path; });
}

void FakeHidTransport::SetOpenable(const std::string& path, bool openable) {
  std::lock_guard lock(mutex_);
  if (openable) {
    unopenable_.erase(path);
  } else {
    unopenable_.insert(path);
  }
}

std::vector<std::vector<std::uint8_t>> FakeHidTransport::Reports(const std::string& path) const {
  std::lock_guard lock(mutex_);
  const auto found = reports_.find(path);
  return found == reports_.end() ? std::vector<std::vector<std::uint8_t>>{} : found->second;
}

std::vector<int> FakeHidTransport::Commands(const std::string& path) const {
  std::vector<int> commands;
  for (const auto& report : Reports(path)) commands.push_back(report.size() > 1 ? report[1] : -1);
  return commands;
}

void FakeHidTransport::ClearReports() {
  std::lock_guard lock(mutex_);
  reports_.clear();
}

int FakeHidTransport::OpenAttempts() const {
  std::lock_guard lock(mutex_);
  return openAttempts_;
}

int FakeHidTransport::OpenCount() const {
  std::lock_guard lock(mutex_);
  return openCount_;
}

int FakeHidTransport::OpenHandles() const {
  std::lock_guard lock(mutex_);
  return static_cast<int>(std::count_if(handles_.begin(), handles_.end(), [](const auto& h) { return h->open; }));
}

int FakeHidTransport::ClosedHandleWrites() const {
  std::lock_guard lock(mutex_);
  return closedHandleWrites_;
}

}  // namespace glimmora
