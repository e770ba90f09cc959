#include "results/RowOrder.h"

#include "results/RowStore.h"

#include <algorithm>
#include <limits>
#include <numeric>

namespace zorvik {

namespace {

constexpr quint32 kNoPosition = std::numeric_limits<quint32>::max();

} // namespace

RowOrder::RowOrder(const RowStore& store) : store_(store) {}

std::optional<std::size_t> RowOrder::positionOf(quint32 row) const {
    if (!positionsValid_) {
        positions_.assign(store_.size(), kNoPosition);
        for (std::size_t position = 0; position < shown_.size(); ++position)
            positions_[shown_[position]] = quint32(position);
        positionsShown_ = shown_.size();
        positionsValid_ = true;
    }
    if (row < positions_.size()) {
        if (positions_[row] == kNoPosition)
            return std::nullopt;
        return positions_[row];
    }
    // Rows appended since the index was built follow its positions in the order they were added.
    const std::size_t position = positionsShown_ + (row - positions_.size());
    if (position < shown_.size())
        return position;
    return std::nullopt;
}

bool RowOrder::append(quint32 row) {
    shown_.pushBack(row);
    if (!sortState_)
        return false;
    sortState_.reset();
    return true;
}

std::vector<quint32> RowOrder::sorted(SortKey key, Qt::SortOrder order) const {
    return key == SortKey::Size ? sortedBySize(order) : sortedByPath(order);
}

std::vector<quint32> RowOrder::sortedBySize(Qt::SortOrder order) const {
    // Sizes with their positions side by side in 12 bytes, so the sort reads memory in order and its
    // buffer stays small.
    struct SizeAt {
        quint32 high;
        quint32 low;
        quint32 position;
        quint64 bytes() const { return (quint64(high) << 32) | low; }
    };
    static_assert(sizeof(SizeAt) == 12);
    std::vector<SizeAt> sizes(shown_.size());
    for (std::size_t i = 0; i < shown_.size(); ++i) {
        const quint64 bytes = store_.bytes(shown_[i]);
        sizes[i] = {quint32(bytes >> 32), quint32(bytes), quint32(i)};
    }
    if (order == Qt::AscendingOrder)
        std::stable_sort(sizes.begin(), sizes.end(),
                         [](const SizeAt& a, const SizeAt& b) { return a.bytes() < b.bytes(); });
    else
        std::stable_sort(sizes.begin(), sizes.end(),
                         [](const SizeAt& a, const SizeAt& b) { return a.bytes() > b.bytes(); });
    std::vector<quint32> oldPositions(sizes.size());
    for (std::size_t i = 0; i < sizes.size(); ++i)
        oldPositions[i] = sizes[i].position;
    return oldPositions;
}

std::vector<quint32> RowOrder::sortedByPath(Qt::SortOrder order) const {
    // Most pairs of rows lie in folders of which neither holds the other: their order is that of their
    // folders' paths, ranked once here. Only rows of one folder, or of a folder and one inside it, are
    // compared by their bytes.
    const std::size_t folders = store_.folderCount();
    std::vector<quint32> byBytes(folders);
    std::iota(byBytes.begin(), byBytes.end(), quint32(0));
    std::sort(byBytes.begin(), byBytes.end(),
              [this](quint32 a, quint32 b) { return store_.folderPathAt(a) < store_.folderPathAt(b); });
    std::vector<quint32> rank(folders);
    for (std::size_t r = 0; r < folders; ++r)
        rank[byBytes[r]] = quint32(r);
    // lastInside[r]: the last rank whose folder path starts with the path of rank r (itself at least).
    std::vector<quint32> lastInside(folders);
    std::vector<quint32> open;
    for (std::size_t r = 0; r < folders; ++r) {
        while (!open.empty() &&
               !store_.folderPathAt(byBytes[r]).startsWith(store_.folderPathAt(byBytes[open.back()]))) {
            lastInside[open.back()] = quint32(r - 1);
            open.pop_back();
        }
        open.push_back(quint32(r));
    }
    for (quint32 r : open)
        lastInside[r] = quint32(folders - 1);

    struct Key {
        quint32 rank;
        quint32 row;
        quint32 position;
    };
    std::vector<Key> keys(shown_.size());
    for (std::size_t i = 0; i < shown_.size(); ++i)
        keys[i] = {rank[store_.folderOf(shown_[i])], shown_[i], quint32(i)};
    auto less = [&](const Key& a, const Key& b) {
        if (a.rank != b.rank) {
            const bool nested = a.rank < b.rank ? b.rank <= lastInside[a.rank] : a.rank <= lastInside[b.rank];
            if (!nested)
                return a.rank < b.rank;
        }
        return store_.pathLess(a.row, b.row);
    };
    if (order == Qt::AscendingOrder)
        std::stable_sort(keys.begin(), keys.end(), less);
    else
        std::stable_sort(keys.begin(), keys.end(), [&](const Key& a, const Key& b) { return less(b, a); });
    std::vector<quint32> oldPositions(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i)
        oldPositions[i] = keys[i].position;
    return oldPositions;
}

void RowOrder::rearrange(const std::vector<quint32>& oldPositions, SortState state) {
    ChunkedVector<quint32> moved;
    for (const quint32 from : oldPositions)
        moved.pushBack(shown_[from]);
    shown_.swap(moved);
    sortState_ = state;
    positionsValid_ = false;
}

void RowOrder::erase(const std::vector<Span>& ascendingSpans) {
    if (ascendingSpans.empty())
        return;
    std::size_t kept = ascendingSpans.front().first;
    std::size_t span = 0;
    for (std::size_t i = kept; i < shown_.size(); ++i) {
        while (span < ascendingSpans.size() && i >= ascendingSpans[span].last)
            ++span;
        if (span < ascendingSpans.size() && i >= ascendingSpans[span].first)
            continue;
        shown_[kept++] = shown_[i];
    }
    shown_.truncate(kept);
    positionsValid_ = false;
}

void RowOrder::rowsErased(const std::vector<quint32>& ascendingRows) {
    if (ascendingRows.empty())
        return;
    for (std::size_t i = 0; i < shown_.size(); ++i) {
        const quint32 row = shown_[i];
        const auto below = std::lower_bound(ascendingRows.begin(), ascendingRows.end(), row);
        shown_[i] = row - quint32(below - ascendingRows.begin());
    }
    positionsValid_ = false;
}

void RowOrder::clear() {
    shown_.clear();
    std::vector<quint32>().swap(positions_);
    positionsValid_ = false;
}

} // namespace zorvik
