// Start-up time and resident memory of the real program, started the way a user starts it.
// Each repetition starts the program from a private copy of the run folder under an Xvfb of
// its own with trayer as the tray host and measures the wall time from fork until the tray
// icon is docked in the tray host. The icon's docking request reaches the X server in the
// last steps of start-up or with the event loop's first flush, so this is close to the time
// from the process start to the event loop running.
// The resident memory (VmRSS) is read 300 ms later. The program is stopped by its pid.
#include <X11/Xlib.h>
#include <benchmark/benchmark.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "tests/support/program_launch.h"
#include "tests/support/temp_directory.h"
#include "tests/support/xvfb_session.h"

namespace glimmora {
namespace {

using Clock = std::chrono::steady_clock;

// The window's _NET_WM_NAME, or else its WM_NAME ("" when it has neither).
std::string WindowName(Display* display, Window window) {
  std::string name;
  Atom type = 0;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  const Atom netWmName = XInternAtom(display, "_NET_WM_NAME", False);
  if (XGetWindowProperty(display, window, netWmName, 0, 256, False, AnyPropertyType, &type, &format, &count, &after,
                         &data) == Success &&
      data != nullptr) {
    name.assign(reinterpret_cast<char*>(data), count);
    XFree(data);
  }
  char* wmName = nullptr;
  if (name.empty() && XFetchName(display, window, &wmName) != 0 && wmName != nullptr) {
    name = wmName;
    XFree(wmName);
  }
  return name;
}

// True when a window named `name` lies (at any depth) under a window named `tray`.
bool Docked(Display* display, Window window, bool underTray, const char* name, const char* tray) {
  const std::string windowName = WindowName(display, window);
  bool found = underTray && windowName == name;
  underTray = underTray || windowName == tray;
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (!found && XQueryTree(display, window, &root, &parent, &children, &count) != 0) {
    for (unsigned int i = 0; i < count && !found; ++i) found = Docked(display, children[i], underTray, name, tray);
    if (children != nullptr) XFree(children);
  }
  return found;
}

long ResidentKiB(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

void BM_StartUpToEventLoop(benchmark::State& bench) {
  testing::XvfbSession xvfb(testing::XvfbSession::Options{640, 480, true});
  if (!xvfb.Running()) {
    bench.SkipWithError("Xvfb or trayer did not start");
    return;
  }
  TempWorkingDirectory folder;
  const std::string run = folder.Path() + "run";
  const std::string runtime = folder.Path() + "xdg";
  std::filesystem::copy(GLIMMORA_RUN_DIR, run, std::filesystem::copy_options::recursive);
  mkdir(runtime.c_str(), 0700);
  Display* display = XOpenDisplay(xvfb.Display().c_str());
  long rss = 0;
  for (auto _ : bench) {
    const Clock::time_point start = Clock::now();
    pid_t pid = testing::LaunchProgram(run, xvfb.Display(), runtime);
    bool docked = false;
    while (!docked && Clock::now() - start < std::chrono::seconds(20)) {
      docked = Docked(display, DefaultRootWindow(display), false, "glimmora", "panel");
      if (!docked) std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    bench.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    rss = ResidentKiB(pid);
    testing::StopProcess(pid);
    // Let the tray host drop the old icon before the next start.
    while (Docked(display, DefaultRootWindow(display), false, "glimmora", "panel")) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (!docked) bench.SkipWithError("the tray icon never appeared");
  }
  bench.counters["rss_MiB"] = static_cast<double>(rss) / 1024.0;
  XCloseDisplay(display);
}
BENCHMARK(BM_StartUpToEventLoop)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(10)
    ->ReportAggregatesOnly(false);

}  // namespace
}  // namespace glimmora
