#include "results/RowRemoval.h"

#include <algorithm>

namespace zorvik {

namespace {

// Rows that go cost the list more than the positions it looks at (each is announced, logged for the
// commands that follow rows, and taken from the totals): a slice takes at most this many, or a
// removal of millions from a long list would spend a third of a second in its first turn.
constexpr std::size_t kMostGoingPerSlice = std::size_t(1) << 16;

} // namespace

RowRemoval::RowRemoval(std::vector<int> ascendingPositions, std::size_t positions, std::size_t mostSpans,
                       const SortPace& pace)
    : going_(std::move(ascendingPositions)), end_(positions), pace_(pace) {
    std::size_t spans = 0;
    for (std::size_t i = 0; i < going_.size() && spans <= mostSpans; ++i)
        if (i == 0 || going_[i] != going_[i - 1] + 1)
            ++spans;
    atTheEnd_ = spans > mostSpans;
}

std::vector<RowOrder::Span> RowRemoval::nextSpans(const SortSlice& slice) {
    std::vector<RowOrder::Span> spans;
    std::size_t gone = 0;
    while (next_ < end_) {
        for (const std::size_t stop = std::min(end_, next_ + slice.unit()); next_ < stop; ++next_) {
            // Every position that went so far stood before this one.
            if (nextGoing_ == going_.size() || std::size_t(going_[nextGoing_]) != next_ + gone_ + 1)
                continue;
            ++nextGoing_;
            if (!spans.empty() && spans.back().last == next_)
                ++spans.back().last;
            else
                spans.push_back({next_, next_ + 1});
            ++gone;
        }
        if ((slice.bounded() && gone >= kMostGoingPerSlice) || slice.spent())
            break;
    }
    // The positions still to look at close up behind those that go, unless the views see them go only
    // at the end.
    if (!atTheEnd_) {
        next_ -= gone;
        end_ -= gone;
        gone_ += gone;
    }
    return spans;
}

} // namespace zorvik
