#include "devices/port_library.h"

#include <dlfcn.h>

#include <utility>

namespace glimmora {

PortLibrary::PortLibrary(std::string directory) : directory_(std::move(directory)) {}

PortLibrary::~PortLibrary() { Unload(); }

bool PortLibrary::Load() {
  std::lock_guard lock(mutex_);
  if (library_ != nullptr) return true;
  const std::string path = directory_ + kPortLibraryFileName;
  library_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library_ == nullptr) return false;
  out32_ = reinterpret_cast<Out32Function>(dlsym(library_, "Out32"));
  return true;
}

void PortLibrary::WriteLptPort(int port, int value) {
  std::lock_guard lock(mutex_);
  if (out32_ != nullptr) out32_(static_cast<short>(port), static_cast<short>(value));
}

void PortLibrary::Unload() {
  std::lock_guard lock(mutex_);
  if (library_ != nullptr) dlclose(library_);
  library_ = nullptr;
  out32_ = nullptr;
}

}  // namespace glimmora
