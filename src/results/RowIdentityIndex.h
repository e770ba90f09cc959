#pragma once

#include "platform/FileId.h"

#include <QtGlobal>

#include <cstddef>
#include <optional>
#include <vector>

namespace zorvik {

class RowStore;

// The rows of a RowStore by their files' identities, so that a search tells at once whether a file is
// listed already. It keeps row numbers only and reads each identity from the store, which holds it
// anyway: 4 bytes a slot, open addressing, at most four fifths full, about 6 bytes a row. The bits a
// slot's row number leaves free carry bits of the identity's hash, so that most probes never reach
// into the store. Rows of unknown identity are not indexed, buried ones never found; a file listed twice is
// found by either row.
class RowIdentityIndex {
public:
    // A row of `store` with identity `id`, if one is indexed.
    std::optional<std::size_t> find(const RowStore& store, FileId id) const;
    // Asks the processor to fetch the slot where `id` would be looked up: a search that tells this a
    // few files ahead finds them without waiting for memory each time, the slots being far larger
    // than its caches.
    void prefetch(FileId id) const;
    // Indexes `row`, just added to `store`.
    void added(const RowStore& store, std::size_t row);
    // Indexes every row of `store` anew: at first, after rows were erased (the later ones moved down)
    // and when the store outgrew the slots. The old slots go before the new ones are taken.
    void rebuild(const RowStore& store);

private:
    void insert(const RowStore& store, std::size_t row);
    std::size_t slotOf(quint64 hash) const;
    quint32 tagOf(quint64 hash) const { return quint32(hash) & tagMask_; }

    std::vector<quint32> slots_; // the hash's tag in the high bits, row + 1 below; 0 is free
    quint32 tagMask_ = 0;
};

} // namespace zorvik
