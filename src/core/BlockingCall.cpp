#include "core/BlockingCall.h"

#include <cstdio>
#include <thread>

#include <unistd.h>

namespace zorvik {

namespace {

struct Running {
    std::mutex mutex;
    std::condition_variable changed;
    int count = 0;
};

// Never destroyed: a detached worker may still count itself out after static destructors would run.
Running& runningState() {
    static auto* const state = new Running; // NOLINT: deliberately immortal
    return *state;
}

} // namespace

namespace detail {

LeftBehind& leftBehind() {
    static auto* const registry = new LeftBehind; // NOLINT: deliberately immortal, as above
    return *registry;
}

} // namespace detail

void WorkerThreads::start(std::function<void()> work) {
    Running& state = runningState();
    {
        const std::lock_guard lock(state.mutex);
        ++state.count;
    }
    try {
        std::thread([work = std::move(work)]() mutable {
            struct CountedOut {
                ~CountedOut() {
                    Running& state = runningState();
                    {
                        const std::lock_guard lock(state.mutex);
                        --state.count;
                    }
                    state.changed.notify_all();
                }
            } countedOut;
            // Counted out only once what the work owns is gone too.
            const std::function<void()> own = std::move(work);
            own();
        }).detach();
    } catch (...) {
        const std::lock_guard lock(state.mutex);
        --state.count;
        throw;
    }
}

int WorkerThreads::running() {
    Running& state = runningState();
    const std::lock_guard lock(state.mutex);
    return state.count;
}

bool WorkerThreads::waitUntilNoneRuns(std::chrono::milliseconds timeout) {
    Running& state = runningState();
    std::unique_lock lock(state.mutex);
    return state.changed.wait_for(lock, timeout, [&] { return state.count == 0; });
}

void WorkerThreads::endProcessIfAnyRuns(int exitCode, std::chrono::milliseconds grace) {
    if (waitUntilNoneRuns(grace))
        return;
    // exit() would destroy what a worker may touch when its call returns; the settings are on disk
    // already (every change is written when it is made), so nothing is lost.
    std::fflush(nullptr);
    ::_exit(exitCode);
}

} // namespace zorvik
