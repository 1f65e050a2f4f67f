// The DMX library: a shared library beside the program, loaded by file name at start-up,
// whose export ChannelSet(channel, value) sets one DMX channel (0..255). Without the
// library every call does nothing.
//
// Thread: Load and Unload on the main thread; SetDmxChannel and ChannelSet on either. A
// call and the unloading never overlap, and a call after Unload does nothing. Calls never
// wait for the DMX daemon: the library hands the values to a writer thread of its own.
#pragma once

#include <mutex>
#include <string>

namespace glimmora {

inline constexpr const char* kDmxLibraryFileName = "libglimmora-dmx.so";

class DmxLibrary {
 public:
  // directory: where the library lies, with its trailing separator (the program's directory).
  explicit DmxLibrary(std::string directory);
  ~DmxLibrary();
  DmxLibrary(const DmxLibrary&) = delete;
  DmxLibrary& operator=(const DmxLibrary&) = delete;

  // Loads the library; false when it cannot be loaded (DMX output then does nothing).
  bool Load();
  // Sends value x 20, at most 255, as the channel's DMX value.
  void SetDmxChannel(int channel, int value);
  // The library's ChannelSet, value as given.
  void ChannelSet(int channel, int value);
  void Unload();
  const char* FileName() const { return kDmxLibraryFileName; }

 private:
  using ChannelSetFunction = void (*)(int, int);

  std::string directory_;
  std::mutex mutex_;
  void* library_ = nullptr;                  // guarded by mutex_
  ChannelSetFunction channelSet_ = nullptr;  // guarded by mutex_
};

}  // namespace glimmora
