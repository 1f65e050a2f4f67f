// Starting the built program the way a user does, for end-to-end tests and benchmarks.
#pragma once

#include <sys/types.h>

#include <string>

namespace glimmora::testing {

// Forks and runs `folder`/glimmora with `folder` as its working directory, on X display
// `display`, with `runtimeDirectory` as XDG_RUNTIME_DIR (the single-instance lock lives
// there) and Qt's own platform choice. Returns the child's pid, -1 when fork fails.
pid_t LaunchProgram(const std::string& folder, const std::string& display, const std::string& runtimeDirectory);

}  // namespace glimmora::testing
