#include "results/AnnouncementPace.h"

#include <QElapsedTimer>

namespace zorvik {

namespace {

constexpr int kAnnounceEveryMs = 300;
constexpr int kAddsPerClockCheck = 4096;

qint64 steadyMilliseconds() {
    static const QElapsedTimer kStarted = [] {
        QElapsedTimer timer;
        timer.start();
        return timer;
    }();
    return kStarted.elapsed();
}

} // namespace

AnnouncementPace::AnnouncementPace() : clock_(steadyMilliseconds), lastMs_(clock_()) {}

void AnnouncementPace::setClock(std::function<qint64()> milliseconds) {
    clock_ = std::move(milliseconds);
    restart();
}

bool AnnouncementPace::appendedAndDue() {
    if (++sinceClockCheck_ < kAddsPerClockCheck)
        return false;
    sinceClockCheck_ = 0;
    return due();
}

bool AnnouncementPace::due() const {
    return clock_() - lastMs_ >= kAnnounceEveryMs;
}

} // namespace zorvik
