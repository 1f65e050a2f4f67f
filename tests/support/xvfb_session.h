// An X server of the test's own: Xvfb on a free display number (it reports the number it
// took through -displayfd), optionally with trayer as the tray host, and DISPLAY set for the
// children the test starts. The destructor stops trayer and Xvfb by their process ids.
//
// Thread: the test's thread only.
#pragma once

#include <sys/types.h>

#include <string>

namespace glimmora::testing {

class XvfbSession {
 public:
  struct Options {
    int width = 640;
    int height = 480;
    bool trayHost = false;  // start trayer (tray window named "panel") at the bottom right
  };

  XvfbSession() : XvfbSession(Options{}) {}
  explicit XvfbSession(const Options& options);
  ~XvfbSession();
  XvfbSession(const XvfbSession&) = delete;
  XvfbSession& operator=(const XvfbSession&) = delete;

  // True once Xvfb accepts clients (and trayer runs, when asked for).
  bool Running() const { return !display_.empty() && (!trayWanted_ || trayer_ > 0); }
  // ":N"; empty when Xvfb did not start.
  const std::string& Display() const { return display_; }
  // Sets DISPLAY in this process, so that every child started afterwards uses this server.
  void ExportDisplay() const;

 private:
  pid_t xvfb_ = -1;
  pid_t trayer_ = -1;
  bool trayWanted_ = false;
  std::string display_;
  std::string previousDisplay_;
  bool hadDisplay_ = false;
};

// Stops a child: SIGTERM, up to five seconds for it to end, then SIGKILL. Sets pid to -1.
void StopProcess(pid_t& pid);

}  // namespace glimmora::testing
