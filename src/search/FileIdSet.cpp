#include "search/FileIdSet.h"

#include "core/Prefetch.h"
#include "platform/LargePages.h"

#include <algorithm>
#include <utility>

namespace zorvik {

namespace {

constexpr int kInodeBits = 56;
constexpr std::uint64_t kLargestInode = (std::uint64_t(1) << kInodeBits) - 1;
constexpr std::size_t kMostDevices = 255;
// How many keys ahead growing fetches the slots it is going to fill.
constexpr std::size_t kKeysAhead = 16;

// A device's place among those seen (from 0) and an inode that fits, in one word.
std::uint64_t packed(std::ptrdiff_t place, std::uint64_t inode) {
    return (std::uint64_t(place) + 1) << kInodeBits | inode;
}

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
    return packed(known - devices_.begin(), id.inode);
}

std::uint64_t FileIdSet::seenKeyOf(FileId id) const {
    const auto known = std::find(devices_.begin(), devices_.end(), id.device);
    if (id.inode > kLargestInode || known == devices_.end())
        return 0;
    return packed(known - devices_.begin(), id.inode);
}

void FileIdSet::prefetch(FileId id) const {
    if (id.isKnown())
        if (const std::uint64_t key = seenKeyOf(id))
            prefetchKey(key);
}

void FileIdSet::prefetchKey(std::uint64_t key) const {
    if (!slots_.empty())
        prefetchForWriting(&slots_[hashOf(key) & (slots_.size() - 1)]);
}

void FileIdSet::note(FileId id) {
    if (!id.isKnown())
        return;
    if (const std::uint64_t key = keyOf(id))
        noted_.push_back(key);
    else
        unpacked_.emplace(id.device, id.inode);
}

bool FileIdSet::insert(FileId id) {
    if (!noted_.empty()) {
        for (const std::uint64_t key : std::exchange(noted_, {}))
            insertKey(key);
    }
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
    const std::size_t slots = slots_.empty() ? 64 : slots_.size() * 2;
    std::vector<std::uint64_t> fresh;
    fresh.reserve(slots);
    adviseLargePages(fresh.data(), slots * sizeof(std::uint64_t));
    fresh.assign(slots, 0);
    const std::vector<std::uint64_t> old = std::exchange(slots_, std::move(fresh));
    count_ = 0;
    for (std::size_t at = 0; at < old.size(); ++at) {
        if (at + kKeysAhead < old.size() && old[at + kKeysAhead] != 0)
            prefetchKey(old[at + kKeysAhead]);
        if (old[at] != 0)
            insertKey(old[at]);
    }
}

} // namespace zorvik
