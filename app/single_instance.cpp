#include "app/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

namespace glimmora {

bool AcquireSingleInstance() {
  std::string directory;
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && runtime[0] != '\0') {
    directory = runtime;
  } else {
    directory = "/tmp/glimmora-" + std::to_string(getuid());
    mkdir(directory.c_str(), 0700);
  }
  const std::string path = directory + "/Glimmora";
  // The descriptor stays open for the life of the process: closing it would drop the lock.
  const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return true;
  if (flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
  const bool held = errno == EWOULDBLOCK;
  close(fd);
  return !held;
}

}  // namespace glimmora
