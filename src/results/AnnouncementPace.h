#pragma once

#include <QtGlobal>

#include <functional>

namespace zorvik {

// How often the result list tells its views of the rows appended since it last did: once the interval
// has passed, a few times a second while rows arrive. Reading the clock for each of a million rows
// would cost more than storing them, so an append looks at it only once every few thousand rows.
class AnnouncementPace {
public:
    AnnouncementPace();

    // Where the time comes from (milliseconds of a steady clock).
    void setClock(std::function<qint64()> milliseconds);
    // Counts an appended row: true when it is one that looks at the clock and the interval has passed.
    bool appendedAndDue();
    bool due() const;
    // The views were told now.
    void restart() { lastMs_ = clock_(); }

private:
    std::function<qint64()> clock_;
    qint64 lastMs_ = 0;
    int sinceClockCheck_ = 0;
};

} // namespace zorvik
