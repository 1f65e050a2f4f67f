// Counts the allocations (operator new) that the calling thread makes while a counter is
// alive, so that a test can require that some work allocates nothing. Linking this file
// replaces the global operator new and delete of the test program.
#pragma once

namespace glimmora::testing {

class AllocationCounter {
 public:
  AllocationCounter();
  ~AllocationCounter();
  AllocationCounter(const AllocationCounter&) = delete;
  AllocationCounter& operator=(const AllocationCounter&) = delete;

  long Count() const;
};

}  // namespace glimmora::testing
