#include "results/RowIdentityIndex.h"

#include "results/RowStore.h"

#include "core/Prefetch.h"
#include "platform/LargePages.h"

#include <algorithm>
#include <bit>

namespace zorvik {

namespace {

constexpr std::size_t kLeastSlots = 64;
// How many rows ahead a rebuild fetches the slots it is going to fill.
constexpr std::size_t kRowsAhead = 16;

quint64 hashOf(FileId id) {
    // Inodes are mostly consecutive: mixed so that neighbours do not fill neighbouring slots.
    quint64 h = (id.inode ^ (id.device * 0xC2B2AE3D27D4EB4FULL)) * 0x9E3779B97F4A7C15ULL;
    h ^= h >> 29;
    h *= 0xBF58476D1CE4E5B9ULL;
    h ^= h >> 32;
    return h;
}

} // namespace

std::size_t RowIdentityIndex::slotOf(quint64 hash) const {
    // The high half of the hash scaled to the slots, which need not be a power of two.
    return std::size_t(((hash >> 32) * quint64(slots_.size())) >> 32);
}

std::optional<std::size_t> RowIdentityIndex::find(const RowStore& store, FileId id) const {
    if (!id.isKnown() || slots_.empty())
        return std::nullopt;
    const quint64 hash = hashOf(id);
    const quint32 tag = tagOf(hash);
    for (std::size_t at = slotOf(hash);; at = at + 1 == slots_.size() ? 0 : at + 1) {
        const quint32 slot = slots_[at];
        if (slot == 0)
            return std::nullopt;
        if ((slot & tagMask_) != tag)
            continue;
        const std::size_t row = (slot & ~tagMask_) - 1;
        if (store.fileId(row) == id && !store.isBuried(row))
            return row;
    }
}

void RowIdentityIndex::prefetch(FileId id) const {
    if (id.isKnown() && !slots_.empty())
        prefetchForWriting(&slots_[slotOf(hashOf(id))]);
}

void RowIdentityIndex::added(const RowStore& store, std::size_t row) {
    if (store.size() * 5 > slots_.size() * 4)
        rebuild(store);
    else
        insert(store, row);
}

void RowIdentityIndex::insert(const RowStore& store, std::size_t row) {
    const FileId id = store.fileId(row);
    if (!id.isKnown())
        return;
    const quint64 hash = hashOf(id);
    std::size_t at = slotOf(hash);
    while (slots_[at] != 0)
        at = at + 1 == slots_.size() ? 0 : at + 1;
    slots_[at] = tagOf(hash) | quint32(row + 1);
}

void RowIdentityIndex::rebuild(const RowStore& store) {
    // Half as many again as there are rows at four fifths full: the next rebuild for growth comes
    // after the store grew by half.
    const std::size_t slots = std::max(kLeastSlots, store.size() * 15 / 8);
    std::vector<quint32>().swap(slots_);
    slots_.reserve(slots);
    adviseLargePages(slots_.data(), slots * sizeof(quint32));
    slots_.assign(slots, 0);
    // Every row number, plus one, below the tag: the slots outnumber the rows.
    const auto rowBits = std::bit_width(quint64(slots));
    tagMask_ = rowBits >= 32 ? 0 : ~quint32(0) << rowBits;
    for (std::size_t row = 0; row < store.size(); ++row) {
        if (row + kRowsAhead < store.size())
            prefetch(store.fileId(row + kRowsAhead));
        if (!store.isBuried(row))
            insert(store, row);
    }
}

} // namespace zorvik
