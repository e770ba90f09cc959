#pragma once

#include <cstddef>

namespace zorvik {

// Asks the system to back [data, data + bytes) with large pages where it can, before the memory is
// first written. A table of some megabytes read at random then costs one walk of the page tables per
// few megabytes instead of one per 4 KiB, which is most of the time of each random read. Only a hint:
// where the system has no such pages, or a range is too small for one, nothing changes.
void adviseLargePages(void* data, std::size_t bytes);

} // namespace zorvik
