// The result list's removals: a RowRemoval worked through a slice per turn of the event loop.
#include "results/ResultList.h"

#include <algorithm>

namespace zorvik {

namespace {

// Beyond this many separate ranges, one reset at the end is cheaper for views than a removal per range.
constexpr std::size_t kMostRemovalRanges = 32;

// Up to this many rows in the store, buried rows are erased when a removal ends: a step too short to
// notice, and the list then holds no row it does not show.
constexpr std::size_t kErasedAtOnce = std::size_t(1) << 16;

} // namespace

// ---- removal

void ResultList::remove(int position) {
    rowAt(position); // fails for a position that is not there
    removePositions({position});
}

void ResultList::removePositions(std::vector<int> ascendingPositions) {
    if (ascendingPositions.empty())
        return;
    announcePending();
    // Fails before anything changes for a position that is not there.
    rowAt(ascendingPositions.front());
    rowAt(ascendingPositions.back());
    std::vector<int> going = std::move(ascendingPositions);
    if (removal_) {
        // One removal at a time: the one under way ends first, and the rows of this one are found
        // again by their keys, which no removal changes, then by where they stand after it.
        std::vector<quint64> keys;
        keys.reserve(going.size());
        for (int position : going)
            keys.push_back(rowKey(position));
        finishRemoval();
        going = positionsOfKeys(keys);
    }
    const SortPace pace = order_.size() <= removalPace_.rowsAtOnce ? SortPace::allAtOnce() : removalPace_;
    removal_ = std::make_unique<RowRemoval>(std::move(going), order_.size(), kMostRemovalRanges, pace);
    continueRemoval();
}

std::vector<int> ResultList::positionsOfKeys(const std::vector<quint64>& keys) const {
    std::vector<bool> wanted(store_.size());
    for (quint64 key : keys)
        if (const std::optional<std::size_t> row = store_.rowOfKey(key)) // none when it went already
            wanted[*row] = true;
    std::vector<int> positions;
    for (std::size_t position = 0; position < order_.size(); ++position)
        if (wanted[order_.rowAt(position)])
            positions.push_back(int(position) + 1);
    return positions;
}

void ResultList::finishRemoval() {
    if (!removal_)
        return;
    removalTurn_.stop();
    removeSlice(SortSlice(SortPace::allAtOnce()));
    endRemoval();
}

void ResultList::continueRemoval() {
    if (!removal_)
        return;
    if (removeSlice(SortSlice(removal_->pace())))
        endRemoval();
    else
        removalTurn_.start();
}

bool ResultList::removeSlice(const SortSlice& slice) {
    announcePending(); // removals are announced only among rows the views know
    if (removal_->atTheEnd())
        return gatherSlice(slice);
    if (!removal_->scanned()) {
        const std::vector<RowOrder::Span> spans = removal_->nextSpans(slice);
        if (!spans.empty())
            removeSpans(spans);
        if (!removal_->scanned())
            return false;
    }
    // The rows after the last that went cross the gap it left, a stretch at a time.
    while (!order_.closeGap(slice.unit()))
        if (slice.spent())
            return false;
    return true;
}

bool ResultList::gatherSlice(const SortSlice& slice) {
    // The rows that go leave the totals, the store's keys and identities, and the checked rows at once
    // (buried), but the views show them until the last slice.
    std::size_t position = removal_->next();
    ChunkedVector<quint32>& kept = removal_->kept();
    for (const RowOrder::Span& span : removal_->nextSpans(slice)) {
        for (; position < span.first; ++position)
            kept.pushBack(order_.rowAt(position));
        for (; position < span.last; ++position) {
            totals_.removing(order_.rowAt(position));
            store_.bury(order_.rowAt(position));
        }
    }
    for (; position < removal_->next(); ++position)
        kept.pushBack(order_.rowAt(position));
    if (!removal_->scanned())
        return false;
    for (; position < order_.size(); ++position) // appended meanwhile
        kept.pushBack(order_.rowAt(position));
    layout_.removed(removal_->takePositions());
    beginResetModel();
    order_.replaceRows(std::move(kept));
    announced_ = count();
    endResetModel();
    totalsChanged();
    return true;
}

void ResultList::removeSpans(const std::vector<RowOrder::Span>& spans) {
    // At most kMostRemovalRanges spans in all (more go at the end): each is announced on its own.
    std::vector<int> positions; // 1-based, for those who follow the layout
    for (const RowOrder::Span& span : spans)
        for (std::size_t position = span.first; position < span.last; ++position) {
            positions.push_back(int(position) + 1);
            totals_.removing(order_.rowAt(position));
        }
    layout_.removed(positions);
    std::size_t gone = 0; // rows of earlier spans: the later ones moved up by as many
    for (const RowOrder::Span& span : spans) {
        const RowOrder::Span now{span.first - gone, span.last - gone};
        beginRemoveRows(QModelIndex(), int(now.first), int(now.last) - 1);
        for (std::size_t position = now.first; position < now.last; ++position)
            store_.bury(order_.rowAt(position));
        order_.takeOut(now);
        announced_ = count();
        endRemoveRows();
        gone += span.last - span.first;
    }
    totalsChanged();
}

void ResultList::endRemoval() {
    removal_.reset();
    if (store_.buriedCount() > 0 && store_.size() <= kErasedAtOnce)
        order_.rowsErased(store_.eraseBuried());
    restartSort();
}

} // namespace zorvik
