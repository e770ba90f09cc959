#pragma once

// A few threads that run one piece of work after another, for calls that may never return (a network
// share that stopped answering keeps a thread in a system call until it answers).
//
// Ownership rules:
// - The pool's state is shared between the WorkerPool object and every worker through shared_ptr: a
//   worker stuck in a call keeps it alive after the pool is gone.
// - A worker owns the work it took: the function object and everything it captured, destroyed on the
//   worker before the worker counts itself out of the calls that run. Between two pieces of work it
//   owns nothing, and touches only the pool's state.
// - Workers are detached and never joined: one may be stuck for ever. A worker stuck in a call longer
//   than Limits::stuckAfter no longer counts as available, and a new one may start in its place.
// - Idle workers beyond Limits::keptIdle end once they have been idle for Limits::retireAfter. They wait
//   on a condition variable the whole time, never waking to look for work.
#include <chrono>
#include <functional>
#include <memory>

namespace zorvik {

class WorkerPool {
public:
    struct Limits {
        // Calls running at once, not counting those stuck (at least one); more wait for a worker.
        int most = 64;
        // Idle workers that stay for the next calls.
        int keptIdle = 4;
        // A call running for this long counts as stuck.
        std::chrono::milliseconds stuckAfter{2000};
        // An idle worker beyond keptIdle ends after this long without work.
        std::chrono::milliseconds retireAfter{30000};
    };

    explicit WorkerPool(Limits limits);
    WorkerPool() : WorkerPool(Limits{}) {}
    // Idle workers end; busy ones finish their calls, and whatever still waits for a worker, first.
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    // Runs `work` on an idle worker, or on a new one, or, when Limits::most calls that are not stuck run
    // already, on the first worker that finishes one (or takes a stuck one's place). Throws
    // std::system_error when the system starts no thread and no worker is there to take it later.
    void run(std::function<void()> work);
    // Calls running or waiting for a worker; idle workers do not count.
    int running() const;
    // Waits until no call runs or waits, at most `timeout`; true when none does.
    bool waitUntilNoneRuns(std::chrono::milliseconds timeout) const;
    // How many threads the pool has started so far.
    int threadsStarted() const;
    // From now on idle workers stay idle until the process ends: the process is ending, and a thread
    // that ended now would run its thread-local destructors among the static ones.
    void keepIdleWorkers();

    struct State;

private:
    std::shared_ptr<State> state_;
};

} // namespace zorvik
