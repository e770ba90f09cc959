#include "results/LayoutLog.h"

#include <algorithm>

namespace zorvik {

void LayoutLog::unfollow() {
    if (--followers_ > 0)
        return;
    base_ = version();
    changes_.clear();
}

void LayoutLog::add(Change change) {
    if (followers_ == 0)
        ++base_; // nobody asks where rows went: a new layout, nothing to keep
    else
        changes_.push_back(std::move(change));
}

void LayoutLog::moved(std::shared_ptr<const std::vector<quint32>> newPositions) {
    add({Kind::Moved, std::move(newPositions), nullptr});
}

void LayoutLog::removed(std::vector<int> ascendingPositions) {
    add({Kind::Removed, nullptr,
         followers_ > 0 ? std::make_shared<const std::vector<int>>(std::move(ascendingPositions)) : nullptr});
}

void LayoutLog::cleared() {
    add({Kind::Cleared, nullptr, nullptr});
}

std::optional<std::size_t> LayoutLog::now(std::size_t position, quint64 since) const {
    if (since < base_)
        return std::nullopt; // not followed then: a fault of the caller, and no row is a safe answer
    for (std::size_t i = std::size_t(since - base_); i < changes_.size(); ++i) {
        const Change& change = changes_[i];
        if (change.kind == Kind::Cleared)
            return std::nullopt;
        if (change.kind == Kind::Moved) {
            // Rows appended after the sort began stay where they are.
            if (position < change.moved->size())
                position = (*change.moved)[position];
            continue;
        }
        const std::vector<int>& gone = *change.removed;
        const auto at = std::lower_bound(gone.begin(), gone.end(), int(position + 1));
        if (at != gone.end() && *at == int(position + 1))
            return std::nullopt;
        position -= std::size_t(at - gone.begin());
    }
    return position;
}

} // namespace zorvik
