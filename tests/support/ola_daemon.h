// A private olad (the OLA daemon) for tests: started as the unprivileged user nobody with
// a fresh configuration directory in which every plugin but Dummy is disabled before the
// first start, universe 1 patched to the Dummy device's output port, and stopped by its
// process id. DMX values are read back with the OLA client API.
//
// Call EnterPrivateNetwork() first, on the main thread before any other thread starts, so
// that olad and every client of this test live in a network namespace with only loopback.
//
// Thread: one test thread.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

namespace glimmora {

class OlaDaemon {
 public:
  // Moves the process (its calling thread, and every thread started from it later) into a
  // new network namespace and brings its loopback interface up. Needs root.
  static bool EnterPrivateNetwork();

  OlaDaemon();
  ~OlaDaemon();  // stops olad and removes the configuration directory
  OlaDaemon(const OlaDaemon&) = delete;
  OlaDaemon& operator=(const OlaDaemon&) = delete;

  // Starts olad, waits until it answers and patches universe 1; false when any step fails.
  // May be called again after Stop: the configuration directory is kept.
  bool Start();
  // SIGTERM to olad's process id, then waits for it.
  void Stop();
  pid_t Pid() const { return pid_; }

  // The first `count` slots of the universe as olad holds them; empty when unreadable.
  static std::vector<std::uint8_t> FetchDmx(unsigned universe, int count);

 private:
  std::string configDir_;
  pid_t pid_ = -1;
};

}  // namespace glimmora
