#include "results/RowRemoval.h"

namespace zorvik {

RowRemoval::RowRemoval(const std::vector<quint32>& rows, std::size_t storeRows, std::size_t positions,
                       const SortPace& pace)
    : going_(storeRows), end_(positions), pace_(pace) {
    for (const quint32 row : rows)
        going_[row] = true;
}

std::vector<RowOrder::Span> RowRemoval::nextSpans(const RowOrder& order, const SortSlice& slice) {
    std::vector<RowOrder::Span> spans;
    std::size_t gone = 0;
    slice.loop(next_, end_, [&](std::size_t position) {
        const quint32 row = order.rowAt(position);
        if (row >= going_.size() || !going_[row])
            return;
        if (!spans.empty() && spans.back().last == position)
            ++spans.back().last;
        else
            spans.push_back({position, position + 1});
        ++gone;
    });
    // The positions still to look at close up behind those that go.
    next_ -= gone;
    end_ -= gone;
    return spans;
}

} // namespace zorvik
