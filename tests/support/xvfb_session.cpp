#include "tests/support/xvfb_session.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

namespace glimmora::testing {
namespace {

using namespace std::chrono_literals;

// Starts Xvfb with -displayfd on a pipe and reads the display number it chose; the read
// returns once the server accepts clients (or with nothing when it failed to start).
pid_t StartXvfb(int width, int height, std::string& display) {
  int ready[2];
  if (pipe(ready) != 0) return -1;
  const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
  const pid_t pid = fork();
  if (pid < 0) {
    close(ready[0]);
    close(ready[1]);
    return -1;
  }
  if (pid == 0) {
    close(ready[0]);
    if (ready[1] != 3) {
      dup2(ready[1], 3);
      close(ready[1]);
    }
    execlp("Xvfb", "Xvfb", "-displayfd", "3", "-nolisten", "tcp", "-screen", "0", screen.c_str(),
           static_cast<char*>(nullptr));
    _exit(127);
  }
  close(ready[1]);
  std::string number;
  char c = 0;
  while (read(ready[0], &c, 1) == 1 && c != '\n') number += c;
  close(ready[0]);
  if (!number.empty()) display = ":" + number;
  return pid;
}

pid_t StartTrayer(const std::string& display) {
  const pid_t pid = fork();
  if (pid != 0) return pid;
  setenv("DISPLAY", display.c_str(), 1);
  execlp("trayer", "trayer", "--edge", "bottom", "--align", "right", "--widthtype", "request", "--height", "32",
         static_cast<char*>(nullptr));
  _exit(127);
}

// True once a window named "panel" (trayer's) exists on the display.
bool TrayerReady(const std::string& display) {
  const std::string command = "DISPLAY=" + display + " xwininfo -name panel >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

}  // namespace

void StopProcess(pid_t& pid) {
  if (pid <= 0) return;
  kill(pid, SIGTERM);
  for (int i = 0; i < 50; ++i) {
    if (waitpid(pid, nullptr, WNOHANG) == pid) {
      pid = -1;
      return;
    }
    std::this_thread::sleep_for(100ms);
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
  pid = -1;
}

XvfbSession::XvfbSession(const Options& options) : trayWanted_(options.trayHost) {
  if (const char* current = std::getenv("DISPLAY")) {
    hadDisplay_ = true;
    previousDisplay_ = current;
  }
  xvfb_ = StartXvfb(options.width, options.height, display_);
  if (display_.empty()) {
    StopProcess(xvfb_);
    return;
  }
  if (!options.trayHost) return;
  trayer_ = StartTrayer(display_);
  for (int i = 0; i < 100 && trayer_ > 0 && !TrayerReady(display_); ++i) {
    if (waitpid(trayer_, nullptr, WNOHANG) == trayer_) trayer_ = -1;
    std::this_thread::sleep_for(50ms);
  }
}

XvfbSession::~XvfbSession() {
  StopProcess(trayer_);
  StopProcess(xvfb_);
  if (hadDisplay_) {
    setenv("DISPLAY", previousDisplay_.c_str(), 1);
  } else {
    unsetenv("DISPLAY");
  }
}

void XvfbSession::ExportDisplay() const {
  if (!display_.empty()) setenv("DISPLAY", display_.c_str(), 1);
}

}  // namespace glimmora::testing
