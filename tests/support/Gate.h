#pragma once

#include <condition_variable>
#include <mutex>

namespace zorvik::test {

// A latch that calls pass through only once the test opens it: a system call that does not return
// until the test says so, as on a share that stopped answering. The test can wait until a given
// number of callers are held inside, without sleeping.
class Gate {
public:
    // Called by the held call: returns once the gate is open.
    void pass() {
        std::unique_lock lock(mutex_);
        ++inside_;
        ++passes_;
        changed_.notify_all();
        changed_.wait(lock, [this] { return open_; });
        --inside_;
        changed_.notify_all();
    }
    void open() {
        const std::lock_guard lock(mutex_);
        open_ = true;
        changed_.notify_all();
    }
    void waitUntilInside(int callers) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return inside_ >= callers; });
    }
    int inside() {
        const std::lock_guard lock(mutex_);
        return inside_;
    }
    // How many calls have come to the gate, held or let through.
    int passes() {
        const std::lock_guard lock(mutex_);
        return passes_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool open_ = false;
    int inside_ = 0;
    int passes_ = 0;
};

} // namespace zorvik::test
