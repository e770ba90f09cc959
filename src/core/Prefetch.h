#pragma once

namespace zorvik {

// Asks the processor to fetch the cache line at `address` for writing, without waiting for it: a table
// read at random that is told of a lookup a few steps early finds the line there when it gets to it.
inline void prefetchForWriting(const void* address) {
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(address, 1);
#else
    (void)address;
#endif
}

} // namespace zorvik
