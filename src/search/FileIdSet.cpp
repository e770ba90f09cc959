#include "search/FileIdSet.h"

#include <algorithm>

namespace zorvik {

namespace {

constexpr int kInodeBits = 56;
constexpr std::uint64_t kLargestInode = (std::uint64_t(1) << kInodeBits) - 1;
constexpr std::size_t kMostDevices = 255;

std::size_t hashOf(std::uint64_t key) {
    // Inodes are mostly consecutive: mixed so that neighbours do not fill neighbouring slots.
    std::uint64_t h = key * 0x9E3779B97F4A7C15ULL;
    h ^= h >> 29;
    h *= 0xBF58476D1CE4E5B9ULL;
    h ^= h >> 32;
    return std::size_t(h);
}

} // namespace

std::uint64_t FileIdSet::keyOf(FileId id) {
    if (id.inode > kLargestInode)
        return 0;
    auto known = std::find(devices_.begin(), devices_.end(), id.device);
    if (known == devices_.end()) {
        if (devices_.size() == kMostDevices)
            return 0;
        known = devices_.insert(devices_.end(), id.device);
    }
    const auto place = std::uint64_t(known - devices_.begin()) + 1;
    return place << kInodeBits | id.inode;
}

bool FileIdSet::insert(FileId id) {
    if (!id.isKnown())
        return true;
    if (const std::uint64_t key = keyOf(id))
        return insertKey(key);
    return unpacked_.emplace(id.device, id.inode).second;
}

bool FileIdSet::insertKey(std::uint64_t key) {
    if ((count_ + 1) * 4 > slots_.size() * 3) // at most three quarters full
        grow();
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = hashOf(key) & mask;; at = (at + 1) & mask) {
        if (slots_[at] == key)
            return false;
        if (slots_[at] == 0) {
            slots_[at] = key;
            ++count_;
            return true;
        }
    }
}

void FileIdSet::grow() {
    std::vector<std::uint64_t> old =
        std::exchange(slots_, std::vector<std::uint64_t>(slots_.empty() ? 64 : slots_.size() * 2));
    count_ = 0;
    for (const std::uint64_t key : old)
        if (key != 0)
            insertKey(key);
}

} // namespace zorvik
