#pragma once

#include "results/RowOrder.h"
#include "results/SortSlice.h"

#include <QtGlobal>

#include <vector>

namespace zorvik {

// A removal of rows from the result list, worked through the order from the front a slice at a time:
// each slice names the positions of the rows that go among those it looked at, and the list removes
// them before the next slice. Rows appended after it began never go.
//
// Ownership rules: it lives on the user-interface thread inside the list; the list owns it and the
// order it reads, and changes the order between slices only by removing the spans it was given or
// appending rows.
class RowRemoval {
public:
    RowRemoval(const std::vector<quint32>& rows, std::size_t storeRows, std::size_t positions,
               const SortPace& pace);

    const SortPace& pace() const { return pace_; }
    // The next spans of positions whose rows go (ascending, numbered as before any of them goes), as
    // far as the slice reaches. The list removes all of them before it asks again.
    std::vector<RowOrder::Span> nextSpans(const RowOrder& order, const SortSlice& slice);
    // Whether every position it began with was looked at.
    bool scanned() const { return next_ == end_; }

private:
    std::vector<bool> going_; // by row of the store
    std::size_t next_ = 0;    // the first position not looked at
    std::size_t end_;         // the positions it began with
    SortPace pace_;
};

} // namespace zorvik
