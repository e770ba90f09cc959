#pragma once

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <limits>

namespace zorvik {

// How much of a long sort one turn of the event loop may do: `unit` elements at a time, and more units
// until `budget` of a steady clock has passed since the turn began. A budget of zero does one unit a
// turn, which makes the number of turns a test sees depend on the rows alone. Up to `rowsAtOnce` rows
// take less than a turn may: they are sorted at once.
struct SortPace {
    std::size_t unit = 4096;
    std::chrono::nanoseconds budget = std::chrono::milliseconds(12);
    std::size_t rowsAtOnce = 20000;

    // No turn at all: for the search without a window, and for lists too short to be worth one.
    static SortPace allAtOnce() { return {std::size_t(1) << 16, std::chrono::nanoseconds::max(), 0}; }
};

// The share of one turn: asked after every unit whether the turn has had its time.
class SortSlice {
public:
    explicit SortSlice(const SortPace& pace) : pace_(pace), start_(std::chrono::steady_clock::now()) {}
    std::size_t unit() const { return pace_.unit; }
    // Whether the turn has a time at all (not so for a slice that must finish what it was given).
    bool bounded() const { return pace_.budget != std::chrono::nanoseconds::max(); }
    bool spent() const {
        if (pace_.budget == std::chrono::nanoseconds::max())
            return false;
        return std::chrono::steady_clock::now() - start_ >= pace_.budget;
    }

    // Calls body(i) for i from `next` up to `end`, a unit at a time, until the turn's time is spent.
    // True when it reached the end; `next` says where to go on otherwise.
    template <class Body> bool loop(std::size_t& next, std::size_t end, Body&& body) const {
        while (next < end) {
            const std::size_t stop = std::min(end, next + unit());
            for (; next < stop; ++next)
                body(next);
            if (next < end && spent())
                return false;
        }
        return true;
    }

private:
    SortPace pace_;
    std::chrono::steady_clock::time_point start_;
};

} // namespace zorvik
