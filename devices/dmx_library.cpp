#include "devices/dmx_library.h"

#include <dlfcn.h>

#include <utility>

namespace glimmora {

DmxLibrary::DmxLibrary(std::string directory) : directory_(std::move(directory)) {}

DmxLibrary::~DmxLibrary() { Unload(); }

bool DmxLibrary::Load() {
  std::lock_guard lock(mutex_);
  if (library_ != nullptr) return true;
  const std::string path = directory_ + kDmxLibraryFileName;
  library_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library_ == nullptr) return false;
  channelSet_ = reinterpret_cast<ChannelSetFunction>(dlsym(library_, "ChannelSet"));
  return true;
}

void DmxLibrary::SetDmxChannel(int channel, int value) {
  long long v = static_cast<long long>(value) * 20;
  if (v > 255) v = 255;
  ChannelSet(channel, static_cast<int>(v));
}

void DmxLibrary::ChannelSet(int channel, int value) {
  std::lock_guard lock(mutex_);
  if (channelSet_ != nullptr) channelSet_(channel, value);
}

void DmxLibrary::Unload() {
  std::lock_guard lock(mutex_);
  if (library_ != nullptr) dlclose(library_);
  library_ = nullptr;
  channelSet_ = nullptr;
}

}  // namespace glimmora
