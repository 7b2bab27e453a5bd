#include "allocation_count.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::uint64_t> allocation_count{0};
std::atomic<std::uint64_t> allocated_bytes{0};

}  // namespace

void* operator new(std::size_t size) {
  allocation_count.fetch_add(1, std::memory_order_relaxed);
  allocated_bytes.fetch_add(size, std::memory_order_relaxed);
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}

void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }

namespace quorvex::bench {

std::uint64_t AllocationCount() { return allocation_count.load(std::memory_order_relaxed); }
std::uint64_t AllocatedBytes() { return allocated_bytes.load(std::memory_order_relaxed); }

}  // namespace quorvex::bench
