// The real engine clock: sleeps with clock_nanosleep, whose resolution needs no raising.
#pragma once

#include "engine/clock.h"

namespace glimmora {

class SleepClock : public Clock {
 public:
  void SleepMs(int milliseconds) override;
};

}  // namespace glimmora
