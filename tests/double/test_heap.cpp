// The bridge's heap in the native tests: the C runtime's, with failures on
// demand.
#include "tests/double/test_heap.h"

#include <atomic>
#include <cstdlib>

#include "bridge/heap.h"

namespace kxtest {
namespace {
std::atomic<int> allocations_until_failure{-1};
std::atomic<int> allocation_count{0};
}  // namespace

void fail_allocation_after(int successes) {
  allocations_until_failure = successes;
}
void stop_failing_allocations() { allocations_until_failure = -1; }
int allocations_made() { return allocation_count; }
void reset_allocation_count() { allocation_count = 0; }

}  // namespace kxtest

namespace kx {

void* heap_alloc(size_t size) {
  using namespace kxtest;
  int remaining = allocations_until_failure.load();
  if (remaining == 0) return nullptr;
  if (remaining > 0) allocations_until_failure = remaining - 1;
  ++allocation_count;
  return std::calloc(size != 0 ? size : 1, 1);
}

}  // namespace kx
