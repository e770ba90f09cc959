#include "platform/LargePages.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace zorvik {

void adviseLargePages(void* data, std::size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    // Only 2 MiB-aligned stretches can take a large page; a smaller table gains nothing.
    constexpr std::uintptr_t kLargePage = std::uintptr_t(2) << 20;
    if (bytes < kLargePage)
        return;
    const auto pageSize = std::uintptr_t(sysconf(_SC_PAGESIZE));
    const auto address = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t skip = (pageSize - address % pageSize) % pageSize;
    const std::size_t length = (bytes - skip) / pageSize * pageSize;
    if (length > 0) // a hint: a failure changes nothing
        madvise(static_cast<char*>(data) + skip, length, MADV_HUGEPAGE);
#else
    (void)data;
    (void)bytes;
#endif
}

} // namespace zorvik
