#include "results/SortJob.h"

#include "results/RowStore.h"
#include "results/SlicedSort.h"

#include <algorithm>
#include <numeric>
#include <optional>

namespace zorvik {

namespace {

// Sizes with their positions side by side in 12 bytes, so the sort reads memory in order and its buffer
// stays small.
struct SizeAt {
    quint32 high;
    quint32 low;
    quint32 position;
    quint64 bytes() const { return (quint64(high) << 32) | low; }
};
static_assert(sizeof(SizeAt) == 12);

struct SizeLess {
    bool descending;
    bool operator()(const SizeAt& a, const SizeAt& b) const {
        return descending ? b.bytes() < a.bytes() : a.bytes() < b.bytes();
    }
};

struct PathAt {
    quint32 rank; // of the row's folder among the folders' paths
    quint32 row;
    quint32 position;
};

// Most pairs of rows lie in folders of which neither holds the other: their order is that of their
// folders' ranks. Only rows of one folder, or of a folder and one inside it, are compared by their bytes.
struct PathLess {
    const RowStore* store;
    const std::vector<quint32>* lastInside;
    bool descending;
    bool ascending(const PathAt& a, const PathAt& b) const {
        if (a.rank != b.rank) {
            const auto& inside = *lastInside;
            const bool nested = a.rank < b.rank ? b.rank <= inside[a.rank] : a.rank <= inside[b.rank];
            if (!nested)
                return a.rank < b.rank;
        }
        return store->pathLess(a.row, b.row);
    }
    bool operator()(const PathAt& a, const PathAt& b) const {
        return descending ? ascending(b, a) : ascending(a, b);
    }
};

struct FolderLess {
    const RowStore* store;
    bool operator()(quint32 a, quint32 b) const { return store->folderPathAt(a) < store->folderPathAt(b); }
};

} // namespace

SortJob::SortJob(const RowStore& store, const RowOrder& order, SortKey key, Qt::SortOrder direction)
    : store_(store), order_(order), state_{key, direction}, rows_(order.size()) {
    if (key == SortKey::Size)
        planBySize();
    else
        planByPath();
}

SortJob::~SortJob() = default;

bool SortJob::step(const SortSlice& slice) {
    while (!done_) {
        if (!phases_[phase_](slice))
            return false;
        next_ = 0;
        if (++phase_ == phases_.size()) {
            phases_.clear(); // and with them the keys they sorted
            done_ = true;
        } else if (slice.spent()) {
            return false;
        }
    }
    return true;
}

void SortJob::planBySize() {
    const bool descending = state_.order == Qt::DescendingOrder;
    planSort<SizeAt>(
        [this](std::size_t i) {
            const quint64 bytes = store_.bytes(order_.rowAt(i));
            return SizeAt{quint32(bytes >> 32), quint32(bytes), quint32(i)};
        },
        SizeLess{descending});
}

void SortJob::planByPath() {
    const std::size_t folders = store_.folderCount();
    auto byBytes = std::make_shared<std::optional<SlicedSort<quint32, FolderLess>>>();
    phases_.emplace_back([this, folders, byBytes](const SortSlice& slice) {
        if (!*byBytes) {
            auto indexes = std::make_unique_for_overwrite<quint32[]>(folders);
            std::iota(indexes.get(), indexes.get() + folders, quint32(0));
            byBytes->emplace(std::move(indexes), folders, FolderLess{&store_}, slice.unit());
        }
        return (*byBytes)->step(slice);
    });
    phases_.emplace_back([this, folders, byBytes](const SortSlice& slice) {
        rank_.resize(folders);
        const quint32* sorted = (*byBytes)->sorted();
        return slice.loop(next_, folders, [&](std::size_t r) { rank_[sorted[r]] = quint32(r); });
    });
    // lastInside_[r]: the last rank whose folder path starts with the path of rank r (itself at least).
    phases_.emplace_back([this, folders, byBytes](const SortSlice& slice) {
        lastInside_.resize(folders);
        const quint32* sorted = (*byBytes)->sorted();
        const bool all = slice.loop(next_, folders, [&](std::size_t r) {
            while (!open_.empty() &&
                   !store_.folderPathAt(sorted[r]).startsWith(store_.folderPathAt(sorted[open_.back()]))) {
                lastInside_[open_.back()] = quint32(r - 1);
                open_.pop_back();
            }
            open_.push_back(quint32(r));
        });
        if (all) {
            for (const quint32 r : open_)
                lastInside_[r] = quint32(folders - 1);
            std::vector<quint32>().swap(open_);
        }
        return all;
    });
    planSort<PathAt>(
        [this](std::size_t i) {
            const quint32 row = order_.rowAt(i);
            return PathAt{rank_[store_.folderOf(row)], row, quint32(i)};
        },
        PathLess{&store_, &lastInside_, state_.order == Qt::DescendingOrder});
}

template <class Key, class Less> void SortJob::planSort(std::function<Key(std::size_t)> keyAt, Less less) {
    struct Work {
        std::unique_ptr<Key[]> keys;
        std::optional<SlicedSort<Key, Less>> sort;
    };
    auto work = std::make_shared<Work>();
    phases_.emplace_back([this, work, keyAt = std::move(keyAt)](const SortSlice& slice) {
        if (!work->keys)
            work->keys = std::make_unique_for_overwrite<Key[]>(rows_);
        return slice.loop(next_, rows_, [&](std::size_t i) { work->keys[i] = keyAt(i); });
    });
    phases_.emplace_back([this, work, less](const SortSlice& slice) {
        if (!work->sort)
            work->sort.emplace(std::move(work->keys), rows_, less, slice.unit());
        return work->sort->step(slice);
    });
    // Fresh memory costs a page fault per page when first written: 40 MB at ten million rows is more
    // than a turn may take, so the new positions' room is cleared a stretch at a time.
    phases_.emplace_back([this](const SortSlice& slice) {
        if (!newPositions_) {
            newPositions_ = std::make_shared<std::vector<quint32>>();
            newPositions_->reserve(rows_);
        }
        const std::size_t stretch = slice.unit() * 16;
        while (newPositions_->size() < rows_) {
            newPositions_->resize(std::min(rows_, newPositions_->size() + stretch));
            if (newPositions_->size() < rows_ && slice.spent())
                return false;
        }
        return true;
    });
    phases_.emplace_back([this, work](const SortSlice& slice) {
        const Key* sorted = work->sort->sorted();
        return slice.loop(next_, rows_, [&](std::size_t i) {
            const quint32 from = sorted[i].position;
            sortedRows_.pushBack(order_.rowAt(from));
            (*newPositions_)[from] = quint32(i);
        });
    });
}

} // namespace zorvik
