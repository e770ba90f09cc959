#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <utility>

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
        if (onHeld_)
            std::exchange(onHeld_, nullptr)();
        changed_.wait(lock, [this] { return open_; });
        --inside_;
        changed_.notify_all();
    }
    // Runs once, on the held thread, when the next caller is held (it must only post, never wait).
    void whenHeld(std::function<void()> action) {
        const std::lock_guard lock(mutex_);
        onHeld_ = std::move(action);
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
    std::function<void()> onHeld_;
};

} // namespace zorvik::test
