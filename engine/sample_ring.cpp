#include "engine/sample_ring.h"

#include <algorithm>

namespace glimmora {

void SampleRing::Write(std::span<const std::int16_t> samples) {
  if (samples.size() > kCapacity) samples = samples.last(kCapacity);
  std::lock_guard lock(mutex_);
  const std::size_t first = std::min(samples.size(), kCapacity - next_);
  std::copy_n(samples.begin(), first, samples_.begin() + static_cast<std::ptrdiff_t>(next_));
  std::copy(samples.begin() + static_cast<std::ptrdiff_t>(first), samples.end(), samples_.begin());
  next_ = (next_ + samples.size()) % kCapacity;
}

void SampleRing::Clear() {
  std::lock_guard lock(mutex_);
  samples_.fill(0);
}

void SampleRing::Latest(std::span<std::int16_t> out) const {
  if (out.size() > kCapacity) out = out.last(kCapacity);
  std::lock_guard lock(mutex_);
  const std::size_t start = (next_ + kCapacity - out.size()) % kCapacity;
  const std::size_t first = std::min(out.size(), kCapacity - start);
  std::copy_n(samples_.begin() + static_cast<std::ptrdiff_t>(start), first, out.begin());
  std::copy_n(samples_.begin(), out.size() - first, out.begin() + static_cast<std::ptrdiff_t>(first));
}

}  // namespace glimmora
