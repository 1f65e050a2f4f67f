#include "tests/support/program_launch.h"

#include <unistd.h>

#include <cstdlib>

namespace glimmora::testing {

pid_t LaunchProgram(const std::string& folder, const std::string& display, const std::string& runtimeDirectory) {
  const std::string program = folder + "/glimmora";
  const pid_t pid = fork();
  if (pid != 0) return pid;
  if (chdir(folder.c_str()) != 0) _exit(127);
  setenv("DISPLAY", display.c_str(), 1);
  setenv("XDG_RUNTIME_DIR", runtimeDirectory.c_str(), 1);
  unsetenv("QT_QPA_PLATFORM");
  execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
  _exit(127);
}

}  // namespace glimmora::testing
