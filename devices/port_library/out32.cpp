// The port library: Out32(port, value) writes a raw register value of the first parallel
// port, 888 (0x378) the data register and 890 (0x37A) the control register.
//
// The first call picks the way in: Linux ppdev (/dev/parport0, claimed once) when it can be
// opened, raw port I/O (ioperm/outb) when the process may do that, otherwise nothing.
// Other port addresses are ignored. Both threads of the program may call Out32.
#include <fcntl.h>
#include <linux/parport.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <mutex>

#if defined(__x86_64__) || defined(__i386__)
#include <sys/io.h>
#endif

namespace {

constexpr int kDataPort = 0x378;
constexpr int kControlPort = 0x37A;

enum class Access { Unknown, Ppdev, RawIo, None };

std::mutex accessMutex;
Access portAccess = Access::Unknown;  // guarded by accessMutex
int parport = -1;                     // guarded by accessMutex

Access OpenAccess() {
  const int fd = open("/dev/parport0", O_RDWR | O_CLOEXEC);
  if (fd >= 0) {
    if (ioctl(fd, PPCLAIM) == 0) {
      parport = fd;
      return Access::Ppdev;
    }
    close(fd);
  }
#if defined(__x86_64__) || defined(__i386__)
  if (ioperm(kDataPort, kControlPort - kDataPort + 1, 1) == 0) return Access::RawIo;
#endif
  return Access::None;
}

void WritePpdev(int port, unsigned char byte) {
  if (port == kDataPort) {
    ioctl(parport, PPWDATA, &byte);
  } else if (port == kControlPort) {
    ioctl(parport, PPWCONTROL, &byte);
  }
}

void WriteRawIo([[maybe_unused]] int port, [[maybe_unused]] unsigned char byte) {
#if defined(__x86_64__) || defined(__i386__)
  if (port == kDataPort || port == kControlPort) outb(byte, static_cast<unsigned short>(port));
#endif
}

__attribute__((destructor)) void ReleasePort() {
  std::lock_guard lock(accessMutex);
  if (parport >= 0) {
    ioctl(parport, PPRELEASE);
    close(parport);
    parport = -1;
  }
  portAccess = Access::None;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) void Out32(short port, short value) {
  const int address = static_cast<unsigned short>(port);
  const auto byte = static_cast<unsigned char>(value & 0xFF);
  std::lock_guard lock(accessMutex);
  if (portAccess == Access::Unknown) portAccess = OpenAccess();
  switch (portAccess) {
    case Access::Ppdev:
      WritePpdev(address, byte);
      break;
    case Access::RawIo:
      WriteRawIo(address, byte);
      break;
    case Access::Unknown:
    case Access::None:
      break;
  }
}
