#pragma once

#include "results/SortSlice.h"

#include <algorithm>
#include <cstddef>
#include <memory>
#include <type_traits>
#include <utility>

namespace zorvik {

// A stable sort that can stop after any unit of its work and go on later, so that ten million keys are
// sorted across turns of the event loop: runs of a unit's length are sorted first, then merged pairwise,
// each merge resumable in the middle. Its result is that of std::stable_sort with the same order: equal
// elements keep the order they came in.
template <class T, class Less> class SlicedSort {
    static_assert(std::is_trivially_copyable_v<T>);

public:
    // `items` holds `size` elements to sort; `runLength` is how many are sorted in one piece.
    SlicedSort(std::unique_ptr<T[]> items, std::size_t size, Less less, std::size_t runLength)
        : from_(std::move(items)), size_(size), less_(std::move(less)),
          run_(std::max<std::size_t>(runLength, 1)) {}

    // Goes on sorting until the slice is spent. True when every element is in place.
    bool step(const SortSlice& slice) {
        while (nextRun_ < size_) {
            const std::size_t end = std::min(size_, nextRun_ + run_);
            std::stable_sort(from_.get() + nextRun_, from_.get() + end, less_);
            nextRun_ = end;
            if (slice.spent())
                return nextRun_ >= size_ && run_ >= size_;
        }
        while (run_ < size_) {
            if (!to_)
                to_ = std::make_unique_for_overwrite<T[]>(size_);
            if (mergePass(slice.unit())) {
                std::swap(from_, to_);
                run_ *= 2;
                pair_ = 0;
            }
            if (run_ < size_ && slice.spent())
                return false;
        }
        to_.reset();
        return true;
    }
    // Once the sort is done: the elements in order.
    const T* sorted() const { return from_.get(); }

private:
    // Merges up to `count` more elements of this pass; true when the pass is complete.
    bool mergePass(std::size_t count) {
        while (pair_ < size_) {
            const std::size_t middle = std::min(pair_ + run_, size_);
            const std::size_t end = std::min(pair_ + 2 * run_, size_);
            if (!merging_) {
                left_ = pair_;
                right_ = middle;
                out_ = pair_;
                merging_ = true;
            }
            for (; count > 0 && out_ < end; --count) {
                // From the left on a tie: that is what keeps the sort stable.
                if (left_ < middle && (right_ == end || !less_(from_[right_], from_[left_])))
                    to_[out_++] = from_[left_++];
                else
                    to_[out_++] = from_[right_++];
            }
            if (out_ < end)
                return false;
            merging_ = false;
            pair_ = end;
        }
        return true;
    }

    std::unique_ptr<T[]> from_;
    std::unique_ptr<T[]> to_;
    std::size_t size_;
    Less less_;
    std::size_t run_;         // the length of the sorted runs in from_
    std::size_t nextRun_ = 0; // the first run not sorted yet
    std::size_t pair_ = 0;    // the start of the pair of runs being merged
    std::size_t left_ = 0;
    std::size_t right_ = 0;
    std::size_t out_ = 0;
    bool merging_ = false;
};

} // namespace zorvik
