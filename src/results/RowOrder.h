#pragma once

#include "results/ChunkedVector.h"

#include <QtCore/qnamespace.h>
#include <QtGlobal>

#include <optional>
#include <vector>

namespace zorvik {

class RowStore;

// Which row of a RowStore stands at each position (from 0) of the list shown, and the sorts that
// rearrange them. Every row of the store has a position: a row added to the store is appended here
// too, at the end, as every search adds, and that ends a sorted order. Removals keep the order.
//
// The window's result list and the search without a window sort through this one class, so that
// "--sort size" and "--sort path" print the rows in the order of the window's header clicks.
class RowOrder {
public:
    enum class SortKey { Path, Size };
    // The order of the last sort, until rows are appended after it.
    struct SortState {
        SortKey key;
        Qt::SortOrder order;
    };
    // Positions [first, last).
    struct Span {
        std::size_t first;
        std::size_t last;
    };

    explicit RowOrder(const RowStore& store);

    std::size_t size() const { return shown_.size() - gap_; }
    quint32 rowAt(std::size_t position) const {
        return shown_[position < gapAt_ ? position : position + gap_];
    }
    // The position of a row of the store, none while it is being removed.
    std::optional<std::size_t> positionOf(quint32 row) const;

    // Shows `row`, just added to the store, after the others. True when that ended a sorted order.
    bool append(quint32 row);
    std::optional<SortState> sortState() const { return sortState_; }

    // Sorts stably (rows that compare equal keep their present order): by size in bytes, or by the
    // bytes of the path (case-sensitive), all at once. The window works the order out a slice at a time
    // (SortJob) and then puts it in place with rearrange(): `sortedRows` are the first positions' rows
    // in their new order, the rows after them follow. `state` is none when rows were appended meanwhile.
    void sort(SortKey key, Qt::SortOrder order);
    void rearrange(ChunkedVector<quint32> sortedRows, std::optional<SortState> state);

    // Removals work from the front to the back, so that none moves the rows after it more than once:
    // the rows taken out leave a gap behind the positions already passed, which the rows after it
    // cross a few at a time. takeOut() removes [first, last), at or after the positions passed, and
    // passes those before it; closeGap() passes up to `most` more and says whether the gap is gone.
    void takeOut(Span span);
    bool closeGap(std::size_t most);
    // Shows these rows instead, in this order: those a removal left, which keeps the sort state.
    void replaceRows(ChunkedVector<quint32> rows);
    // After the store erased these rows (ascending), renumbers the rest.
    void rowsErased(const std::vector<quint32>& ascendingRows);
    // Empties the order; the sort state stays until rows are appended, as the header's indicator does.
    void clear();

private:
    const RowStore& store_;
    ChunkedVector<quint32> shown_;
    std::size_t gapAt_ = 0; // the positions passed by a removal under way
    std::size_t gap_ = 0;   // elements of shown_ after them that stand for no position
    std::optional<SortState> sortState_;
    // Positions by row, built when one is looked up after rows moved; rows appended since follow it.
    mutable std::vector<quint32> positions_;
    mutable std::size_t positionsShown_ = 0; // positions when it was built
    mutable bool positionsValid_ = false;
};

} // namespace zorvik
