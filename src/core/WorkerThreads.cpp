#include "core/WorkerThreads.h"

#include "core/WorkerPool.h"

#include <cstdio>

#include <unistd.h>

namespace zorvik {

namespace {

WorkerPool& pool() {
    static auto* const workers = new WorkerPool; // NOLINT: deliberately immortal, see the header
    return *workers;
}

} // namespace

void WorkerThreads::start(std::function<void()> work) {
    pool().run(std::move(work));
}

int WorkerThreads::running() {
    return pool().running();
}

bool WorkerThreads::waitUntilNoneRuns(std::chrono::milliseconds timeout) {
    return pool().waitUntilNoneRuns(timeout);
}

void WorkerThreads::endProcessIfAnyRuns(int exitCode, std::chrono::milliseconds grace) {
    if (pool().waitUntilNoneRuns(grace)) {
        pool().keepIdleWorkers();
        return;
    }
    // exit() would destroy what a worker may touch when its call returns; the settings are on disk
    // already (every change is written when it is made), so nothing is lost.
    std::fflush(nullptr);
    ::_exit(exitCode);
}

int WorkerThreads::threadsStarted() {
    return pool().threadsStarted();
}

} // namespace zorvik
