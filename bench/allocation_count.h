#pragma once
// Every allocation through operator new in a program that links
// allocation_count.cpp, counted, so that a benchmark can tell what a piece of
// work allocates.

#include <cstdint>

namespace quorvex::bench {

std::uint64_t AllocationCount();
std::uint64_t AllocatedBytes();

}  // namespace quorvex::bench
