#pragma once

#include "core/CommandHost.h"

#include <QElapsedTimer>

namespace zorvik {

// The per-row yield of the long result commands. Events are processed when the host's row interval
// (about 10 ms) has passed since the last time: often enough that the window never seems stuck, rarely
// enough that a million rows are not slowed down by a million empty passes of the event loop.
class RowYield {
public:
    explicit RowYield(CommandHost& host) : host_(host), intervalMs_(host.rowYieldIntervalMs()) {
        sinceLast_.start();
    }
    void operator()() {
        if (sinceLast_.elapsed() < intervalMs_)
            return;
        host_.yield();
        sinceLast_.restart();
    }

private:
    CommandHost& host_;
    qint64 intervalMs_;
    QElapsedTimer sinceLast_;
};

} // namespace zorvik
