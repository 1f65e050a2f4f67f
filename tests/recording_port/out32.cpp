// A stand-in port library for tests: Out32 records every (port, value) call instead of
// touching hardware; RecordedOut32 hands the records to the test.
#include <mutex>
#include <utility>
#include <vector>

namespace {
std::mutex recordsMutex;
std::vector<std::pair<int, int>> records;  // guarded by recordsMutex
}  // namespace

extern "C" __attribute__((visibility("default"))) void Out32(short port, short value) {
  std::lock_guard lock(recordsMutex);
  records.emplace_back(port, value);
}

// Copies up to `capacity` records as port, value pairs into `out`, forgets them all and
// returns how many there were.
extern "C" __attribute__((visibility("default"))) int RecordedOut32(int* out, int capacity) {
  std::lock_guard lock(recordsMutex);
  const int count = static_cast<int>(records.size());
  for (int i = 0; i < count && i < capacity; ++i) {
    out[2 * i] = records[static_cast<std::size_t>(i)].first;
    out[2 * i + 1] = records[static_cast<std::size_t>(i)].second;
  }
  records.clear();
  return count;
}
