// The benchmark program replaces operator new with one that counts.
#pragma once

#include <cstdint>

namespace NComParamBench {

// Allocations made so far by the calling thread, the library's included.
std::uint64_t AllocationCount();

}  // namespace NComParamBench
