#pragma once

#include "results/RowOrder.h"
#include "results/SortSlice.h"

#include <QtGlobal>

#include <vector>

namespace zorvik {

// A removal of rows from the result list, worked through the order from the front a slice at a time:
// each slice names the spans of positions that go among those it looked at, and the list removes
// them before the next slice. Rows appended after it began never go.
//
// It keeps the positions it was given, not the rows: while it runs, the order changes only by its own
// spans going and by rows appended at the end, so a position given is found again by counting those
// that went before it. Nothing is looked up or marked when it starts, however many rows go.
//
// Ownership rules: it lives on the user-interface thread inside the list; the list owns it and the
// order it works on, and changes the order between slices only by removing the spans it was given or
// appending rows.
class RowRemoval {
public:
    // `ascendingPositions`: 0-based, ascending, no repeats, all below `positions` (the rows shown).
    RowRemoval(std::vector<int> ascendingPositions, std::size_t positions, const SortPace& pace);

    const SortPace& pace() const { return pace_; }
    // The next spans of positions that go (ascending, numbered as before any of them goes), as far as
    // the slice reaches. The list removes all of them before it asks again.
    std::vector<RowOrder::Span> nextSpans(const SortSlice& slice);
    // Whether every position it began with was looked at.
    bool scanned() const { return next_ == end_; }

private:
    std::vector<int> going_; // as numbered when it began
    std::size_t nextGoing_ = 0;
    std::size_t gone_ = 0; // positions removed by earlier slices
    std::size_t next_ = 0; // the first position not looked at, as numbered now
    std::size_t end_;      // the positions it began with, as numbered now
    SortPace pace_;
};

} // namespace zorvik
