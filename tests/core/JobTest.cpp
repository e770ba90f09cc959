// Commands as jobs on the event loop: one step a turn, a second job in the same lane waits for the
// first, a stop is read at the next step, and an abandoned job runs no further step.
#include "core/Job.h"
#include "core/JobLane.h"
#include "core/Mailbox.h"

#include "FakeHost.h"

#include <QEventLoop>
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

using namespace Qt::StringLiterals;

namespace zorvik::test {
namespace {

// A body of `steps` numbered steps with a turn between two, each step recorded as "<name><step>".
JobBody counting(Job& job, QStringList& log, QString name, int steps) {
    for (int i = 1; i <= steps; ++i) {
        if (job.stopRequested()) {
            log << name + u" stopped"_s;
            co_return;
        }
        log << name + QString::number(i);
        if (i < steps)
            co_await job.nextTurn();
    }
}

class Jobs : public ::testing::Test {
protected:
    std::unique_ptr<Job> job(const QString& name, int steps) {
        return recordedJob(host, name, failures,
                           [this, name, steps](Job& j) { return counting(j, log, name, steps); });
    }

    FakeHost host;
    JobLane lane;
    QStringList log;
    QStringList failures;
};

TEST_F(Jobs, ASecondJobWaitsForTheFirstWhileAnotherLaneRunsBesideIt) {
    JobLane other;
    host.onYield = [&] { log << u"turn"_s; };
    lane.submit(job(u"a"_s, 2));
    lane.submit(job(u"b"_s, 2));
    other.submit(job(u"x"_s, 2));
    // Each job runs up to its first turn at once; b has not started.
    EXPECT_EQ(log, (QStringList{u"a1"_s, u"x1"_s}));
    runUntilIdle(lane);
    runUntilIdle(other);
    EXPECT_EQ(log.mid(2).filter(u"b"_s), (QStringList{u"b1"_s, u"b2"_s}));
    EXPECT_LT(log.indexOf(u"a2"_s), log.indexOf(u"b1"_s)) << log.join(u' ').toStdString();
    EXPECT_LT(log.indexOf(u"x2"_s), log.indexOf(u"b2"_s)) << "the lanes run side by side";
    EXPECT_EQ(host.yields, 3);
}

TEST_F(Jobs, AStopIsReadAtTheNextStepAndReachesTheJobsThatWait) {
    host.onYield = [&] { lane.requestStop(); };
    lane.submit(job(u"a"_s, 3));
    lane.submit(job(u"b"_s, 3));
    runUntilIdle(lane);
    EXPECT_EQ(log, (QStringList{u"a1"_s, u"a stopped"_s, u"b stopped"_s}));
}

TEST_F(Jobs, AnAbandonedJobRunsNoFurtherStepAndItsFrameGoes) {
    struct Marker {
        bool* gone;
        ~Marker() { *gone = true; }
    };
    bool frameGone = false;
    auto body = [&](Job& j) -> JobBody {
        const Marker marker{&frameGone};
        log << u"1"_s;
        co_await j.nextTurn();
        log << u"2"_s;
    };
    lane.submit(recordedJob(host, u"a"_s, failures, body));
    lane.submit(job(u"b"_s, 2));
    lane.abandonAll();
    EXPECT_TRUE(frameGone);
    runUntilIdle(lane);
    EXPECT_EQ(log, QStringList{u"1"_s});
}

TEST_F(Jobs, AWaitForAWorkerGivesTheLoopBackAndAStopWalksAwayFromAStuckCall) {
    std::mutex mutex;
    std::condition_variable released;
    bool release = false;
    std::optional<int> quick;
    bool gaveUp = false;
    int turnsWhileWaiting = 0;
    Mailbox mailbox;
    auto body = [&](Job& j) -> JobBody {
        quick = j.steps().settle(120, co_await j.offThread<int>([] { return 7; }));
        const CallResult<int> stuck = co_await j.offThread<int>([&] {
            // The loop runs while the job waits for this call: it asks the job to stop.
            mailbox.post([&] {
                ++turnsWhileWaiting;
                lane.requestStop();
            });
            std::unique_lock lock(mutex);
            released.wait(lock, [&] { return release; });
            return 8;
        });
        gaveUp = stuck.gaveUp();
    };
    lane.submit(recordedJob(host, u"a"_s, failures, body));
    runUntilIdle(lane);
    EXPECT_EQ(quick, 7);
    EXPECT_TRUE(gaveUp);
    EXPECT_EQ(turnsWhileWaiting, 1);
    {
        const std::lock_guard lock(mutex);
        release = true;
    }
    released.notify_all();
    EXPECT_TRUE(WorkerThreads::waitUntilNoneRuns(std::chrono::minutes(1)));
    EXPECT_TRUE(failures.isEmpty());
}

} // namespace
} // namespace zorvik::test
