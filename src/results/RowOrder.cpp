#include "results/RowOrder.h"

#include "results/RowStore.h"
#include "results/SortJob.h"

#include <algorithm>
#include <limits>

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

void RowOrder::sort(SortKey key, Qt::SortOrder order) {
    SortJob job(store_, *this, key, order);
    job.step(SortSlice(SortPace::allAtOnce()));
    rearrange(job.takeSortedRows(), job.state());
}

void RowOrder::rearrange(ChunkedVector<quint32> sortedRows, std::optional<SortState> state) {
    // Built beside the order while the sort ran, so that putting it in place copies only the rows
    // appended meanwhile.
    for (std::size_t i = sortedRows.size(); i < shown_.size(); ++i)
        sortedRows.pushBack(shown_[i]);
    shown_.swap(sortedRows);
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
