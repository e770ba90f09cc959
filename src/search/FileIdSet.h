#pragma once

#include "platform/FileId.h"

#include <cstddef>
#include <cstdint>
#include <set>
#include <utility>
#include <vector>

namespace zorvik {

// The identities of the files a search has listed, so that a file reached twice (a folder listed
// twice, or inside another listed one, a bind mount, a hard link) is listed once. Kept only while a
// search runs, which may list millions: 8 bytes a slot, open addressing, no node per file. Unknown
// identities are never taken as seen.
class FileIdSet {
public:
    // False when `id` was there already.
    bool insert(FileId id);
    // Takes in `id`, which the caller knows is not there, without looking: its key is only noted, and
    // goes into the slots at the next insert(). A walk that meets most files once pays no slot for them
    // as long as it asks nothing.
    void note(FileId id);
    // Asks the processor to fetch the slot where `id` would go: a search that tells this a few files
    // ahead finds them without waiting for memory each time, the slots being far larger than its caches.
    void prefetch(FileId id) const;
    std::size_t size() const { return count_ + noted_.size() + unpacked_.size(); }

private:
    // The identity in one word: the device's place among those this set has seen (a search meets a
    // handful) in the top byte, the inode below. Zero, a free slot, is never a key: it stands for an
    // identity that does not fit, as on a file system with inodes of more than 56 bits.
    std::uint64_t keyOf(FileId id);
    // The same without taking in a new device: zero for one not seen yet.
    std::uint64_t seenKeyOf(FileId id) const;
    bool insertKey(std::uint64_t key);
    void prefetchKey(std::uint64_t key) const;
    void grow();

    std::vector<std::uint64_t> slots_;
    std::size_t count_ = 0;
    std::vector<std::uint64_t> noted_;   // keys not in the slots yet
    std::vector<std::uint64_t> devices_; // a key's top byte is its device's place here, plus one
    std::set<std::pair<std::uint64_t, std::uint64_t>> unpacked_; // the identities no key can hold
};

} // namespace zorvik
