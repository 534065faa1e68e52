#pragma once

namespace kxtest {
// The next `successes` heap allocations of the bridge succeed, every later
// one fails until stop_failing_allocations().
void fail_allocation_after(int successes);
void stop_failing_allocations();
int allocations_made();
void reset_allocation_count();
}  // namespace kxtest
