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
        for (std::size_t position = 0; position < size(); ++position)
            positions_[rowAt(position)] = quint32(position);
        positionsShown_ = size();
        positionsValid_ = true;
    }
    if (row < positions_.size()) {
        if (positions_[row] == kNoPosition)
            return std::nullopt;
        return positions_[row];
    }
    // Rows appended since the index was built follow its positions in the order they were added.
    const std::size_t position = positionsShown_ + (row - positions_.size());
    if (position < size())
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
    for (std::size_t i = sortedRows.size(); i < size(); ++i)
        sortedRows.pushBack(rowAt(i));
    shown_.swap(sortedRows);
    gapAt_ = 0;
    gap_ = 0;
    sortState_ = state;
    positionsValid_ = false;
}

void RowOrder::replaceRows(ChunkedVector<quint32> rows) {
    shown_.swap(rows);
    gapAt_ = 0;
    gap_ = 0;
    positionsValid_ = false;
}

void RowOrder::takeOut(Span span) {
    closeGap(span.first - gapAt_);
    gap_ += span.last - span.first;
    positionsValid_ = false;
}

bool RowOrder::closeGap(std::size_t most) {
    const std::size_t stop = std::min(size(), gapAt_ + most);
    if (gap_ == 0) {
        gapAt_ = stop;
    } else {
        for (; gapAt_ < stop; ++gapAt_)
            shown_[gapAt_] = shown_[gapAt_ + gap_];
    }
    if (gapAt_ < size())
        return false;
    shown_.truncate(size());
    gapAt_ = 0;
    gap_ = 0;
    return true;
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
    gapAt_ = 0;
    gap_ = 0;
    std::vector<quint32>().swap(positions_);
    positionsValid_ = false;
}

} // namespace zorvik
