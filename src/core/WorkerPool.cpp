// Threads: see WorkerPool.h. Everything in State is guarded by its mutex; a worker runs its work
// outside it.
#include "core/WorkerPool.h"

#include <condition_variable>
#include <deque>
#include <iterator>
#include <mutex>
#include <set>
#include <system_error>
#include <thread>
#include <utility>

#ifdef __linux__
#include <sys/resource.h>
#endif

namespace zorvik {

using Clock = std::chrono::steady_clock;

struct WorkerPool::State {
    explicit State(Limits l) : limits(l) {}

    const Limits limits;
    std::mutex mutex;
    std::condition_variable workQueued; // idle workers wait here
    std::condition_variable noneRuns;
    std::deque<std::function<void()>> queue;
    std::multiset<Clock::time_point> callsSince; // when each running call began
    int threads = 0;                             // alive, busy or not
    int idle = 0;                                // waiting on workQueued
    int started = 0;
    bool closing = false; // the pool object is gone: idle workers end
    bool keepIdle = false;

    int free() const { return threads - int(callsSince.size()); }
    // Running calls that are not stuck, from the first of them on.
    auto notStuck(Clock::time_point now) const { return callsSince.upper_bound(now - limits.stuckAfter); }
    bool roomForACall(Clock::time_point now) const {
        return std::distance(notStuck(now), callsSince.end()) < limits.most;
    }
};

namespace {

using State = WorkerPool::State;

void serve(const std::shared_ptr<State>& state);

// Sees to it that someone takes the work queued last: a free worker, or a new one. False when nobody
// will, for want of a thread.
bool dispatch(const std::shared_ptr<State>& state) {
    State& s = *state;
    const int free = s.free();
    if (int(s.queue.size()) <= free) {
        s.workQueued.notify_one();
        return true;
    }
    // With no room for another call, one free worker is enough: it waits for a call to end or stick.
    if (free > 0 && !s.roomForACall(Clock::now()))
        return true;
    try {
        std::thread([state] { serve(state); }).detach();
    } catch (...) {
        return free > 0;
    }
    ++s.threads;
    ++s.started;
    return true;
}

// Takes the next work once there is room for it to run, and counts it in; no work when the worker is
// to end.
std::function<void()> nextWork(const std::shared_ptr<State>& state, std::unique_lock<std::mutex>& lock,
                               std::multiset<Clock::time_point>::iterator& since) {
    State& s = *state;
    const Clock::time_point idleSince = Clock::now();
    for (;;) {
        const Clock::time_point now = Clock::now();
        if (!s.queue.empty() && s.roomForACall(now)) {
            std::function<void()> work = std::move(s.queue.front());
            s.queue.pop_front();
            since = s.callsSince.insert(now);
            if (!s.queue.empty())
                dispatch(state); // what is left must not wait for this call to end
            return work;
        }
        if (s.queue.empty() && s.closing)
            return {};
        ++s.idle;
        if (!s.queue.empty()) {
            // Every running call that is not stuck is needed: wait until the oldest of them counts as
            // stuck, or until one ends.
            s.workQueued.wait_until(lock, *s.notStuck(now) + s.limits.stuckAfter);
        } else if (s.idle > s.limits.keptIdle && !s.keepIdle) {
            const bool timedOut =
                s.workQueued.wait_until(lock, idleSince + s.limits.retireAfter) == std::cv_status::timeout;
            if (timedOut && s.queue.empty() && s.idle > s.limits.keptIdle && !s.keepIdle) {
                --s.idle;
                return {};
            }
        } else {
            s.workQueued.wait(lock);
        }
        --s.idle;
    }
}

// The window's thread comes first: with two cores and dozens of workers whose reads just returned from
// a cold disk, a worker at the same priority can keep it waiting for a core for a third of a second.
// The lowest nice value: a cold search's longest wait of the window fell from 77-115 ms at nice 10 to
// 40-50 ms, and the walk took no longer. (SCHED_IDLE went too far: workers holding the walk's lock then
// lost to every other program, and the window waited behind them.) On Linux a nice value belongs to
// the thread; elsewhere it would lower the whole process.
void yieldToTheWindow() {
#ifdef __linux__
    constexpr int kWorkerNice = 19;
    (void)::setpriority(PRIO_PROCESS, 0, kWorkerNice);
#endif
}

void serve(const std::shared_ptr<State>& state) {
    yieldToTheWindow();
    State& s = *state;
    std::unique_lock lock(s.mutex);
    std::multiset<Clock::time_point>::iterator since;
    for (;;) {
        std::function<void()> work = nextWork(state, lock, since);
        if (!work)
            break;
        lock.unlock();
        {
            // Counted out only once what the work owns is gone too.
            const std::function<void()> own = std::move(work);
            own();
        }
        lock.lock();
        s.callsSince.erase(since);
        if (s.callsSince.empty() && s.queue.empty())
            s.noneRuns.notify_all();
    }
    --s.threads;
}

} // namespace

WorkerPool::WorkerPool(Limits limits) : state_(std::make_shared<State>(limits)) {}

WorkerPool::~WorkerPool() {
    const std::lock_guard lock(state_->mutex);
    state_->closing = true;
    state_->workQueued.notify_all();
}

void WorkerPool::run(std::function<void()> work) {
    const std::lock_guard lock(state_->mutex);
    state_->queue.push_back(std::move(work));
    if (!dispatch(state_)) {
        state_->queue.pop_back();
        throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
    }
}

int WorkerPool::running() const {
    const std::lock_guard lock(state_->mutex);
    return int(state_->callsSince.size() + state_->queue.size());
}

bool WorkerPool::waitUntilNoneRuns(std::chrono::milliseconds timeout) const {
    State& s = *state_;
    std::unique_lock lock(s.mutex);
    return s.noneRuns.wait_for(lock, timeout, [&] { return s.callsSince.empty() && s.queue.empty(); });
}

int WorkerPool::threadsStarted() const {
    const std::lock_guard lock(state_->mutex);
    return state_->started;
}

void WorkerPool::keepIdleWorkers() {
    const std::lock_guard lock(state_->mutex);
    state_->keepIdle = true;
    state_->workQueued.notify_all();
}

} // namespace zorvik
