// The pool's bound: a call waits for a worker while as many calls as the bound allows run, unless one
// of them has run for so long that it counts as stuck.
#include "core/WorkerPool.h"

#include "Gate.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <memory>

#ifdef __linux__
#include <sys/resource.h>
#endif

namespace zorvik::test {
namespace {

using std::chrono::hours;
using std::chrono::milliseconds;

TEST(WorkerPool, AtItsBoundACallWaitsForARunningOneUnlessThatOneIsStuck) {
    {
        // Room for one call, which never counts as stuck: the second call runs once the first is done.
        WorkerPool pool({1, 1, hours(1), hours(1)});
        auto gate = std::make_shared<Gate>();
        auto firstDone = std::make_shared<std::atomic<bool>>(false);
        pool.run([gate, firstDone] {
            gate->pass();
            *firstDone = true;
        });
        gate->waitUntilInside(1);
        auto secondSaw = std::make_shared<std::promise<bool>>();
        pool.run([firstDone, secondSaw] { secondSaw->set_value(*firstDone); });
        EXPECT_EQ(pool.running(), 2);
        gate->open();
        EXPECT_TRUE(secondSaw->get_future().get());
        EXPECT_TRUE(pool.waitUntilNoneRuns(std::chrono::minutes(1)));
    }
    {
        // Every call counts as stuck at once: the second starts beside the first on a new worker.
        WorkerPool pool({1, 1, milliseconds(0), hours(1)});
        auto gate = std::make_shared<Gate>();
        pool.run([gate] { gate->pass(); });
        pool.run([gate] { gate->pass(); });
        gate->waitUntilInside(2);
        EXPECT_EQ(pool.threadsStarted(), 2);
        gate->open();
        EXPECT_TRUE(pool.waitUntilNoneRuns(std::chrono::minutes(1)));
    }
}

#ifdef __linux__
// A worker busy with a cold disk's answers must never keep the window's thread from a core: workers
// run below it, and only they do.
TEST(WorkerPool, WorkersRunBelowTheThreadThatStartsThem) {
    const int caller = ::getpriority(PRIO_PROCESS, 0);
    if (caller >= 19)
        GTEST_SKIP() << "the tests run at the lowest priority already";
    WorkerPool pool;
    auto niceOnWorker = std::make_shared<std::promise<int>>();
    pool.run([niceOnWorker] { niceOnWorker->set_value(::getpriority(PRIO_PROCESS, 0)); });
    const int worker = niceOnWorker->get_future().get();
    EXPECT_GT(worker, caller);
}
#endif

} // namespace
} // namespace zorvik::test
