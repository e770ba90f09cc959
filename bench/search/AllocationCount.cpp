// Replaces malloc, calloc and realloc for the whole process (the executable's definitions come before
// the C library's) with ones that count their calls and hand on to the C library's own entry points.
// free, and the aligned allocations, stay the C library's: the memory is the same heap's either way.
#include "AllocationCount.h"

#include <atomic>
#include <cstddef>

extern "C" {
void* __libc_malloc(std::size_t size);                    // NOLINT(readability-identifier-naming)
void* __libc_calloc(std::size_t count, std::size_t size); // NOLINT(readability-identifier-naming)
void* __libc_realloc(void* old, std::size_t size);        // NOLINT(readability-identifier-naming)
}

namespace {

// Relaxed: a count read after the threads that allocated have handed their work over.
std::atomic<std::uint64_t> counted{0};

} // namespace

extern "C" {

void* malloc(std::size_t size) {
    counted.fetch_add(1, std::memory_order_relaxed);
    return __libc_malloc(size);
}

void* calloc(std::size_t count, std::size_t size) {
    counted.fetch_add(1, std::memory_order_relaxed);
    return __libc_calloc(count, size);
}

void* realloc(void* old, std::size_t size) {
    counted.fetch_add(1, std::memory_order_relaxed);
    return __libc_realloc(old, size);
}
}

namespace zorvik::bench {

std::uint64_t allocations() {
    return counted.load(std::memory_order_relaxed);
}

} // namespace zorvik::bench
