#pragma once

// The program's one pool of workers, for every call that may never return. Every thread the program
// starts besides Qt's own comes from here, so that its end can tell whether one is still inside a call.
//
// Ownership rules: those of WorkerPool. The pool itself is never destroyed: a worker stuck in a call may
// return from it after static destructors would have run.
#include <chrono>
#include <functional>

namespace zorvik {

class WorkerThreads {
public:
    // Runs `work` on a worker of the program's pool (see WorkerPool::run). Throws std::system_error
    // when the system starts no more threads.
    static void start(std::function<void()> work);
    // How many pieces of work have not returned yet (running or about to); idle workers do not count.
    static int running();
    // Waits until no work runs, at most `timeout`; true when none runs. For the program's end and for
    // tests that must know every worker is done.
    static bool waitUntilNoneRuns(std::chrono::milliseconds timeout);
    // The program's last word: when a worker is still inside a call after `grace` (stuck), ends the
    // process at once with `exitCode`, output flushed, and runs no static destructor under it. Returns
    // when none runs, for the ordinary way out; the idle workers then stay parked until the process
    // ends, touching nothing but the pool's state, which is never destroyed.
    static void endProcessIfAnyRuns(int exitCode, std::chrono::milliseconds grace);
    // How many threads the pool has started since the program began.
    static int threadsStarted();
};

} // namespace zorvik
