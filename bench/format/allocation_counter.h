#pragma once
// Counts the heap allocations of the whole program (this binary replaces operator new), so a
// benchmark can show how many a run makes.
#include <cstddef>

namespace brixel::bench {

std::size_t AllocationCount();

}  // namespace brixel::bench
