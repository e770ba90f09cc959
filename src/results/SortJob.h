#pragma once

#include "results/ChunkedVector.h"
#include "results/RowOrder.h"
#include "results/SortSlice.h"

#include <QtGlobal>

#include <functional>
#include <memory>
#include <vector>

namespace zorvik {

class RowStore;

// The new order of a sort, worked out a slice at a time so that the window's event loop turns between
// slices however many rows there are. It covers the rows at the positions the order had when the job
// began; rows appended meanwhile are not its business (they stay after the sorted ones). Nothing may
// remove or move a row while it runs: whoever does starts a new job.
//
// Owned by one thread (the window's, or the search's without a window); it keeps references to the
// store and the order, which outlive it.
class SortJob {
public:
    using SortKey = RowOrder::SortKey;

    SortJob(const RowStore& store, const RowOrder& order, SortKey key, Qt::SortOrder direction);
    ~SortJob();
    SortJob(const SortJob&) = delete;
    SortJob& operator=(const SortJob&) = delete;

    // Works on until the slice is spent. True once the new order is known.
    bool step(const SortSlice& slice);
    bool done() const { return done_; }

    RowOrder::SortState state() const { return state_; }
    // Once done: the rows of the positions covered, in their new order (taken once).
    std::size_t rows() const { return rows_; }
    ChunkedVector<quint32> takeSortedRows() {
        ChunkedVector<quint32> taken;
        taken.swap(sortedRows_);
        return taken;
    }
    // Once done: the new position of the row at each position covered.
    std::shared_ptr<const std::vector<quint32>> newPositions() const { return newPositions_; }

private:
    using Phase = std::function<bool(const SortSlice&)>;
    void planBySize();
    void planByPath();
    template <class Key, class Less> void planSort(std::function<Key(std::size_t)> keyAt, Less less);

    const RowStore& store_;
    const RowOrder& order_;
    RowOrder::SortState state_;
    std::size_t rows_; // positions covered
    std::vector<Phase> phases_;
    std::size_t phase_ = 0;
    bool done_ = false;
    std::size_t next_ = 0; // within the current phase
    // The folders' ranks in the order of their paths, and for each rank the last one inside its folder.
    std::vector<quint32> rank_;
    std::vector<quint32> lastInside_;
    std::vector<quint32> open_;
    ChunkedVector<quint32> sortedRows_;
    std::shared_ptr<std::vector<quint32>> newPositions_;
};

} // namespace zorvik
