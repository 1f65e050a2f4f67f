#include "engine/platform/sleep_clock.h"

#include <cerrno>
#include <ctime>

namespace glimmora {

void SleepClock::SleepMs(int milliseconds) {
  timespec left{milliseconds / 1000, (milliseconds % 1000) * 1000000L};
  while (clock_nanosleep(CLOCK_MONOTONIC, 0, &left, &left) == EINTR) {
  }
}

}  // namespace glimmora
