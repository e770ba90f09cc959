#pragma once

#include "platform/FileId.h"

#include <cstddef>
#include <vector>

namespace zorvik {

// The identities of the files a search has listed, so that a file reached twice (a folder listed
// twice, or inside another listed one, a bind mount, a hard link) is listed once. Kept only while a
// search runs: 16 bytes a slot, open addressing, no node per file. Unknown identities are never
// taken as seen.
class FileIdSet {
public:
    // False when `id` was there already.
    bool insert(FileId id);
    std::size_t size() const { return count_; }

private:
    void grow();
    static std::size_t hashOf(FileId id);

    std::vector<FileId> slots_; // an unknown identity marks a free slot
    std::size_t count_ = 0;
};

} // namespace zorvik
