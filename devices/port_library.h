// The port library: a shared library beside the program, loaded by file name at start-up,
// whose export Out32(port, value) writes a raw parallel-port register (888 data, 890
// control).
//
// Thread: Load and Unload on the main thread; WriteLptPort on either thread. A write and
// the unloading never overlap, and a write after Unload does nothing.
#pragma once

#include <mutex>
#include <string>

namespace glimmora {

inline constexpr const char* kPortLibraryFileName = "libglimmora-port.so";
inline constexpr int kLptDataPort = 888;
inline constexpr int kLptControlPort = 890;
inline constexpr int kLptDataIdle = 0;
inline constexpr int kLptControlIdle = 11;

class PortLibrary {
 public:
  // directory: where the library lies, with its trailing separator (the program's directory).
  explicit PortLibrary(std::string directory);
  ~PortLibrary();
  PortLibrary(const PortLibrary&) = delete;
  PortLibrary& operator=(const PortLibrary&) = delete;

  // Loads the library; false when it cannot be loaded. A library without Out32 loads, but
  // its writes do nothing.
  bool Load();
  // Out32(port, value); nothing when the library or its export is missing.
  void WriteLptPort(int port, int value);
  void Unload();
  // The file name the program looks for, for the missing-library message.
  const char* FileName() const { return kPortLibraryFileName; }

 private:
  using Out32Function = void (*)(short, short);

  std::string directory_;
  std::mutex mutex_;
  void* library_ = nullptr;        // guarded by mutex_
  Out32Function out32_ = nullptr;  // guarded by mutex_
};

}  // namespace glimmora
