#pragma once

#include <cstdint>

namespace zorvik::bench {

// Calls of malloc, calloc and realloc in the whole process since it started (every thread, every
// library): the bench replaces the three with counting ones that hand on to the C library's own.
std::uint64_t allocations();

} // namespace zorvik::bench
