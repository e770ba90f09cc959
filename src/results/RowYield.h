#pragma once

#include <QElapsedTimer>

namespace zorvik {

// The per-row yield of the long result commands. Events are processed when about 10 ms have passed
// since the last time: often enough that the window never seems stuck, rarely enough that a million
// rows are not slowed down by a million empty passes of the event loop.
template <class Yield> class RowYield {
public:
    explicit RowYield(Yield yield) : yield_(std::move(yield)) { sinceLast_.start(); }
    void operator()() {
        if (sinceLast_.elapsed() < kIntervalMs)
            return;
        yield_();
        sinceLast_.restart();
    }

private:
    static constexpr int kIntervalMs = 10;
    Yield yield_;
    QElapsedTimer sinceLast_;
};

} // namespace zorvik
