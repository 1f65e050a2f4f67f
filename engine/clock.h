// The engine's only contact with time, so tests can run passes without sleeping.
#pragma once

namespace glimmora {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual void SleepMs(int milliseconds) = 0;
};

}  // namespace glimmora
