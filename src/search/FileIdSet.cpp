#include "search/FileIdSet.h"

#include <utility>

namespace zorvik {

std::size_t FileIdSet::hashOf(FileId id) {
    // Inodes are mostly consecutive: mixed so that neighbours do not fill neighbouring slots.
    std::uint64_t h = id.inode * 0x9E3779B97F4A7C15ULL ^ (id.device + 0x632BE59BD9B4E019ULL);
    h ^= h >> 29;
    h *= 0xBF58476D1CE4E5B9ULL;
    h ^= h >> 32;
    return std::size_t(h);
}

bool FileIdSet::insert(FileId id) {
    if (!id.isKnown())
        return true;
    if ((count_ + 1) * 4 > slots_.size() * 3) // at most three quarters full
        grow();
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = hashOf(id) & mask;; at = (at + 1) & mask) {
        if (slots_[at] == id)
            return false;
        if (!slots_[at].isKnown()) {
            slots_[at] = id;
            ++count_;
            return true;
        }
    }
}

void FileIdSet::grow() {
    std::vector<FileId> old =
        std::exchange(slots_, std::vector<FileId>(slots_.empty() ? 64 : slots_.size() * 2));
    count_ = 0;
    for (const FileId id : old)
        if (id.isKnown())
            insert(id);
}

} // namespace zorvik
