#pragma once

#include <cstddef>
#include <memory>
#include <type_traits>
#include <vector>

namespace zorvik {

// A sequence kept in chunks of a fixed size that never move. Growing it never copies what it holds and
// never needs the old and the new storage at once, as a vector does at each doubling: for a million
// rows that doubling alone was a third of the list's memory at its peak. Elements are plain data.
template <class T, int ChunkBits = 16> class ChunkedVector {
    static_assert(std::is_trivially_copyable_v<T>);

public:
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    T& operator[](std::size_t i) { return chunks_[i >> ChunkBits][i & kMask]; }
    const T& operator[](std::size_t i) const { return chunks_[i >> ChunkBits][i & kMask]; }

    void pushBack(const T& value) {
        if ((size_ >> ChunkBits) == chunks_.size())
            chunks_.push_back(std::make_unique_for_overwrite<T[]>(kChunk));
        (*this)[size_++] = value;
    }
    // Keeps the first `count` elements (no more than there are) and lets unused chunks go.
    void truncate(std::size_t count) {
        size_ = count;
        chunks_.resize((count + kMask) >> ChunkBits);
    }
    // Removes the elements at [first, last), moving the later ones down.
    void erase(std::size_t first, std::size_t last) {
        for (std::size_t from = last, to = first; from < size_; ++from, ++to)
            (*this)[to] = (*this)[from];
        truncate(size_ - (last - first));
    }
    void clear() {
        std::vector<std::unique_ptr<T[]>>().swap(chunks_);
        size_ = 0;
    }
    void swap(ChunkedVector& other) noexcept {
        chunks_.swap(other.chunks_);
        std::swap(size_, other.size_);
    }

private:
    static constexpr std::size_t kChunk = std::size_t(1) << ChunkBits;
    static constexpr std::size_t kMask = kChunk - 1;
    std::vector<std::unique_ptr<T[]>> chunks_;
    std::size_t size_ = 0;
};

} // namespace zorvik
