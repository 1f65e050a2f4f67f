// The program as a user meets it, under an Xvfb of the test's own with trayer as the tray
// host. Each test runs the program from a private copy of the run folder, which is also its
// working directory, with a runtime directory of its own (the single-instance lock lives
// there): it starts into the tray with its window hidden; a second start ends at once with
// exit code 0, creating nothing, while the first keeps running; without the port library the
// warning with the built-in texts appears alone, and after Return the process ends with 0.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/program_launch.h"
#include "tests/support/temp_directory.h"
#include "tests/support/x_windows.h"
#include "tests/support/xvfb_session.h"

namespace glimmora {
namespace {

using namespace std::chrono_literals;
using testing::StopProcess;
using testing::XDisplay;
using testing::XvfbSession;

constexpr const char* kTrayIconName = "glimmora";  // the tray icon window's name
constexpr const char* kWindowTitle = "Glimmora";
constexpr const char* kMessageCaption = "Файл отсутствует!";

class StartupEndToEnd : public ::testing::Test {
 protected:
  StartupEndToEnd() : xvfb_(XvfbSession::Options{640, 480, true}), x_(xvfb_.Display()) {
    std::filesystem::copy(GLIMMORA_RUN_DIR, folder_.Path() + "run", std::filesystem::copy_options::recursive);
    mkdir(runtime_.c_str(), 0700);
  }

  ~StartupEndToEnd() override {
    for (pid_t& pid : started_) StopProcess(pid);
  }

  // Starts the program in its folder with DISPLAY and the private runtime directory.
  pid_t Start() {
    const pid_t pid = testing::LaunchProgram(run_, xvfb_.Display(), runtime_);
    started_.push_back(pid);
    return pid;
  }

  // The exit code once the process has ended, -1 when it still runs after `seconds`.
  int WaitExit(pid_t pid, int seconds) {
    for (int i = 0; i < seconds * 20; ++i) {
      int status = 0;
      if (waitpid(pid, &status, WNOHANG) == pid) {
        for (pid_t& p : started_) {
          if (p == pid) p = -1;
        }
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
      std::this_thread::sleep_for(50ms);
    }
    return -1;
  }

  bool Running(pid_t pid) { return waitpid(pid, nullptr, WNOHANG) == 0; }

  // Polls `ready` for up to `seconds` while the process runs.
  bool WaitFor(pid_t pid, const std::function<bool()>& ready, int seconds = 20) {
    for (int i = 0; i < seconds * 10; ++i) {
      if (ready()) return true;
      if (!Running(pid)) return false;
      std::this_thread::sleep_for(100ms);
    }
    return false;
  }

  std::vector<std::string> VisibleWindowsNamed(const std::string& name) const {
    const std::string ids = x_.Run("xdotool search --onlyvisible --name '^" + name + "$'");
    std::vector<std::string> found;
    std::size_t start = 0;
    while (start < ids.size()) {
      const std::size_t end = ids.find('\n', start);
      if (end > start) found.push_back(ids.substr(start, end - start));
      if (end == std::string::npos) break;
      start = end + 1;
    }
    return found;
  }

  XvfbSession xvfb_;
  XDisplay x_;
  TempWorkingDirectory folder_;
  std::string run_ = folder_.Path() + "run";
  std::string runtime_ = folder_.Path() + "xdg";
  std::vector<pid_t> started_;
};

TEST_F(StartupEndToEnd, StartsIntoTheTrayWithItsWindowHidden) {
  ASSERT_TRUE(xvfb_.Running());
  const pid_t pid = Start();
  ASSERT_TRUE(WaitFor(pid, [&] { return x_.TrayIcons(kTrayIconName).size() == 1; })) << "no tray icon appeared";
  std::this_thread::sleep_for(500ms);
  EXPECT_TRUE(Running(pid));
  EXPECT_TRUE(x_.ViewableTopLevel(kWindowTitle).empty()) << "the main window must stay hidden";
  EXPECT_TRUE(VisibleWindowsNamed(kWindowTitle).empty());
}

TEST_F(StartupEndToEnd, SecondStartEndsAtOnceWithExitCodeZeroAndCreatesNothing) {
  ASSERT_TRUE(xvfb_.Running());
  const pid_t first = Start();
  ASSERT_TRUE(WaitFor(first, [&] { return x_.TrayIcons(kTrayIconName).size() == 1; })) << "no tray icon appeared";
  const std::size_t windows = x_.Windows().size();

  const pid_t second = Start();
  EXPECT_EQ(WaitExit(second, 20), 0);
  EXPECT_TRUE(Running(first)) << "the first instance must keep running";
  EXPECT_EQ(x_.TrayIcons(kTrayIconName).size(), 1u) << "no second tray icon";
  EXPECT_EQ(x_.Windows().size(), windows) << "the second start left no window behind";
  EXPECT_TRUE(x_.ViewableTopLevel(kWindowTitle).empty());
}

TEST_F(StartupEndToEnd, WithoutThePortLibraryOnlyTheWarningShowsAndReturnEndsWithZero) {
  ASSERT_TRUE(xvfb_.Running());
  std::filesystem::remove(run_ + "/libglimmora-port.so");
  const pid_t pid = Start();
  ASSERT_TRUE(WaitFor(pid, [&] { return VisibleWindowsNamed(kMessageCaption).size() == 1; }))
      << "the missing-library warning did not appear";
  EXPECT_TRUE(x_.TrayIcons(kTrayIconName).empty()) << "no tray icon before the warning is closed";
  EXPECT_TRUE(VisibleWindowsNamed(kWindowTitle).empty());
  const std::string message = VisibleWindowsNamed(kMessageCaption)[0];
  x_.Run("xdotool windowfocus --sync " + message + " key Return");
  EXPECT_EQ(WaitExit(pid, 20), 0);
  EXPECT_TRUE(x_.TrayIcons(kTrayIconName).empty()) << "the program never created a tray icon";
}

}  // namespace
}  // namespace glimmora
