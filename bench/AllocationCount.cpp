// Kept apart from every new-expression, so the compiler never pairs malloc with a delete. The
// count is the thread's: a plain increment, which costs the measured code next to nothing.
#include "AllocationCount.h"

#include <cstddef>
#include <cstdlib>
#include <new>

namespace {

thread_local std::uint64_t t_allocations = 0;

}  // namespace

namespace NComParamBench {

std::uint64_t AllocationCount() { return t_allocations; }

}  // namespace NComParamBench

// The shared library resolves operator new to the program's; new[] and the nothrow forms call
// this one.
void* operator new(std::size_t size) {
  ++t_allocations;
  if (void* pMemory = std::malloc(size == 0 ? 1 : size)) return pMemory;
  throw std::bad_alloc();
}

void operator delete(void* pMemory) noexcept { std::free(pMemory); }
void operator delete(void* pMemory, std::size_t) noexcept { std::free(pMemory); }
