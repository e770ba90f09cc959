#pragma once

#include "results/RowOrder.h"
#include "results/SortSlice.h"

#include <QtGlobal>

#include <vector>

namespace zorvik {

// A removal of rows from the result list, worked through the order from the front a slice at a time.
// Rows appended after it began never go.
//
// It keeps the positions it was given, not the rows: while it runs, the order changes only by its own
// spans going and by rows appended at the end, so a position given is found again by counting those
// that went before it. Nothing is looked up or marked when it starts, however many rows go.
//
// A few spans go from the views one by one, each slice a complete removal. Many scattered spans would
// each cost a view that keeps a record per row as much as the whole list, so then the views go on
// showing the list as it was while the slices mark the rows that go and gather those that stay, and
// take the new list in a single reset at the end (atTheEnd()).
//
// Ownership rules: it lives on the user-interface thread inside the list; the list owns it and the
// order it works on, and changes the order between slices only by removing the spans it was given or
// appending rows.
class RowRemoval {
public:
    // `ascendingPositions`: 1-based, ascending, no repeats, none past `positions` (the rows shown).
    // More than `mostSpans` spans of them go at the end.
    RowRemoval(std::vector<int> ascendingPositions, std::size_t positions, std::size_t mostSpans,
               const SortPace& pace);

    const SortPace& pace() const { return pace_; }
    bool atTheEnd() const { return atTheEnd_; }
    // The next spans of positions that go (ascending, 0-based, numbered as before any of them goes),
    // as far as the slice reaches. Unless it goes at the end, the list removes all of them before it
    // asks again.
    std::vector<RowOrder::Span> nextSpans(const SortSlice& slice);
    // The first position not looked at.
    std::size_t next() const { return next_; }
    // Whether every position it began with was looked at.
    bool scanned() const { return next_ == end_; }

    // For a removal at the end: the rows that stay, in order, as the list gathers them.
    ChunkedVector<quint32>& kept() { return kept_; }
    // The positions given (1-based), for those who follow the layout; once, at the end.
    std::vector<int> takePositions() { return std::move(going_); }

private:
    std::vector<int> going_; // as numbered when it began
    std::size_t nextGoing_ = 0;
    std::size_t gone_ = 0; // positions removed by earlier slices
    std::size_t next_ = 0; // the first position not looked at, as numbered now
    std::size_t end_;      // the positions it began with, as numbered now
    bool atTheEnd_ = false;
    ChunkedVector<quint32> kept_;
    SortPace pace_;
};

} // namespace zorvik
