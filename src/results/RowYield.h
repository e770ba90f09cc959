#pragma once

#include "core/CommandHost.h"

#include <QElapsedTimer>

namespace zorvik {

// When a command that works through rows gives the event loop its turn: once the host's row interval
// (about 10 ms) has passed since the last turn. Often enough that the window never seems stuck, rarely
// enough that a million rows are not slowed down by a million empty turns of the loop.
class RowYield {
public:
    explicit RowYield(const CommandHost& host) : intervalMs_(host.rowYieldIntervalMs()) {
        sinceLast_.start();
    }
    // Whether the turn is due before the next row.
    bool due() {
        if (sinceLast_.elapsed() < intervalMs_)
            return false;
        sinceLast_.restart();
        return true;
    }

private:
    qint64 intervalMs_;
    QElapsedTimer sinceLast_;
};

} // namespace zorvik
