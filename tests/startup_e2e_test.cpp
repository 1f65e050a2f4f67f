// The program as a whole, started from a private copy of the run folder with its own
// working and runtime directories: a second start ends at once with exit code 0 while the
// first keeps running.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/temp_directory.h"

extern char** environ;

namespace glimmora {
namespace {

namespace fs = std::filesystem;

pid_t Start(const std::string& program, const std::string& runtime) {
  std::vector<std::string> env = {"QT_QPA_PLATFORM=offscreen", "XDG_RUNTIME_DIR=" + runtime};
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string entry = *e;
    if (entry.rfind("QT_QPA_PLATFORM=", 0) != 0 && entry.rfind("XDG_RUNTIME_DIR=", 0) != 0) env.push_back(entry);
  }
  std::vector<char*> envp;
  for (std::string& entry : env) envp.push_back(entry.data());
  envp.push_back(nullptr);
  std::string name = program;
  char* argv[] = {name.data(), nullptr};
  pid_t pid = -1;
  if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, envp.data()) != 0) return -1;
  return pid;
}

// Waits for the process to end; -1 when it is still running after `seconds`.
int WaitExit(pid_t pid, int seconds) {
  for (int i = 0; i < seconds * 20; ++i) {
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return -1;
}

bool LockHeld(const std::string& path) {
  const int fd = open(path.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) return false;
  const bool held = flock(fd, LOCK_EX | LOCK_NB) != 0;
  close(fd);
  return held;
}

TEST(StartupEndToEnd, SecondInstanceEndsAtOnceWithExitCodeZero) {
  TempWorkingDirectory dir;
  fs::copy(GLIMMORA_RUN_DIR, dir.Path() + "run", fs::copy_options::recursive);
  const std::string runtime = dir.Path() + "xdg";
  ASSERT_EQ(mkdir(runtime.c_str(), 0700), 0);
  ASSERT_EQ(chdir((dir.Path() + "run").c_str()), 0);
  const std::string program = dir.Path() + "run/glimmora";

  const pid_t first = Start(program, runtime);
  ASSERT_GT(first, 0);
  bool held = false;
  for (int i = 0; i < 400 && !held; ++i) {
    held = LockHeld(runtime + "/Glimmora");
    if (!held) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  ASSERT_TRUE(held);

  const pid_t second = Start(program, runtime);
  ASSERT_GT(second, 0);
  const int code = WaitExit(second, 20);
  if (code < 0) {
    kill(second, SIGKILL);
    waitpid(second, nullptr, 0);
  }
  EXPECT_EQ(code, 0);

  int status = 0;
  EXPECT_EQ(waitpid(first, &status, WNOHANG), 0) << "the first instance must keep running";
  kill(first, SIGTERM);
  waitpid(first, nullptr, 0);
  ASSERT_EQ(chdir(dir.Path().c_str()), 0);
}

}  // namespace
}  // namespace glimmora
