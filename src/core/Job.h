#pragma once

// A long command as a job on the user-interface thread's event loop, as the desktop's file managers
// run theirs: the job does one step (a batch of rows, one file, one folder) and gives the loop back,
// so the window answers between steps, and no event loop ever runs inside a command. Its body is a
// coroutine: `co_await job.nextTurn()` lets the loop run once, `co_await job.offThread(call)` waits for
// a worker without blocking the loop.
//
// Ownership rules:
// - A job lives on the user-interface thread and is destroyed there, never from inside its own step.
//   Destroying a job whose body is suspended destroys the body's frame: its locals' destructors run
//   (a pending worker call is left behind, see core/BlockingCall.h) and no further step runs.
// - A worker never touches the job. The one thing it does is post the job's resumption to the job's
//   mailbox (core/Mailbox.h) when its call finishes (BlockingCall::whenFinished), which is cleared under the
//   call's lock before the frame that waits for it goes.

#include "core/BlockingCall.h"
#include "core/CallResult.h"
#include "core/Mailbox.h"
#include "core/Steps.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <coroutine>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

namespace zorvik {

// The coroutine protocol names its members in snake case.
// NOLINTBEGIN(readability-identifier-naming)

// The body of a job, or a part of one that the body awaits (`co_await part(job)`). It starts suspended;
// the job resumes it.
class JobBody {
public:
    struct promise_type;
    using Handle = std::coroutine_handle<promise_type>;
    // At its end a part hands over to the body that awaited it.
    struct ToCaller {
        bool await_ready() const noexcept { return false; }
        std::coroutine_handle<> await_suspend(Handle done) noexcept {
            const std::coroutine_handle<> caller = done.promise().caller;
            return caller ? caller : std::noop_coroutine();
        }
        void await_resume() const noexcept {}
    };
    struct promise_type {
        JobBody get_return_object() { return JobBody(Handle::from_promise(*this)); }
        std::suspend_always initial_suspend() noexcept { return {}; }
        ToCaller final_suspend() noexcept { return {}; }
        void return_void() noexcept {}
        // Every step is guarded by Steps; what escapes them is a fault of the program itself.
        [[noreturn]] void unhandled_exception() noexcept { std::terminate(); }
        std::coroutine_handle<> caller;
    };

    JobBody() = default;
    JobBody(JobBody&& other) noexcept : handle_(std::exchange(other.handle_, {})) {}
    JobBody& operator=(JobBody&& other) noexcept {
        std::swap(handle_, other.handle_);
        return *this;
    }
    JobBody(const JobBody&) = delete;
    JobBody& operator=(const JobBody&) = delete;
    ~JobBody() {
        if (handle_)
            handle_.destroy();
    }

    bool done() const { return !handle_ || handle_.done(); }
    std::coroutine_handle<> handle() const { return handle_; }

    // Awaiting a part runs it at once, up to its first turn, and goes on when it has ended.
    bool await_ready() const noexcept { return done(); }
    std::coroutine_handle<> await_suspend(std::coroutine_handle<> caller) noexcept {
        handle_.promise().caller = caller;
        return handle_;
    }
    void await_resume() const noexcept {}

private:
    explicit JobBody(Handle handle) : handle_(handle) {}
    Handle handle_;
};

// NOLINTEND(readability-identifier-naming)

class Job : public QObject {
    Q_OBJECT
public:
    using Body = std::function<JobBody(Job&)>;

    // `body` is called when the job starts; its steps report through `reporter` under `handler`.
    Job(QString handler, Steps::Reporter reporter, Body body, QObject* parent = nullptr);
    ~Job() override;

    const QString& handler() const { return steps_.handler(); }
    Steps& steps() { return steps_; }
    // Runs every time the job gets its turn back after giving the loop one: where a test acts
    // "meanwhile".
    // While the body waits for a worker, the hook also runs every `waitingMs` (0: never), so that a
    // test can act while a call hangs.
    void setTurnHook(std::function<void()> hook, int waitingMs = 0) {
        turnHook_ = std::move(hook);
        waitingHookMs_ = waitingMs;
    }

    // Runs the body up to its first turn, now.
    void start();
    // Asks the body to wind down (Stop, Escape): it reads stopRequested() at its next step, and a wait
    // for a worker ends at once, the call left behind.
    void requestStop();
    bool stopRequested() const { return stopRequested_; }
    // Ends the job without another step (the window is closing): a suspended body is destroyed now,
    // one that is inside a step (a message box of its own is open) at the end of that step.
    void abandon();
    bool abandoned() const { return abandoned_; }
    bool isFinished() const { return finished_; }

    // ---- what a body awaits

    // NOLINTBEGIN(readability-identifier-naming)
    class Turn {
    public:
        explicit Turn(Job& job) : job_(job) {}
        bool await_ready() const noexcept { return false; }
        void await_suspend(std::coroutine_handle<> here) { job_.resumeAfterTurn(here); }
        void await_resume() const noexcept {}

    private:
        Job& job_;
    };
    // Gives the event loop one turn, then goes on.
    Turn nextTurn() { return Turn(*this); }

    template <typename T> class WorkerCall {
    public:
        WorkerCall(Job& job, std::function<T()> call, std::string key)
            : job_(job), call_(std::move(call), std::move(key)) {}
        bool await_ready() { return call_.waitFor(std::chrono::milliseconds(0)); }
        void await_suspend(std::coroutine_handle<> here) {
            const quint64 wait = job_.suspendForCall(here);
            call_.whenFinished([job = &job_, wait] { job->postResume(wait); });
        }
        CallResult<T> await_resume() {
            CallResult<T> outcome;
            if (!call_.waitFor(std::chrono::milliseconds(0)))
                return outcome; // given up: the call is left behind when this awaiter goes
            try {
                outcome.value.emplace(call_.take());
            } catch (...) {
                outcome.error = std::current_exception();
            }
            return outcome;
        }

    private:
        Job& job_;
        BlockingCall<T> call_;
    };
    // Runs `call` on a worker (or joins one left behind under the same `key`) and gives the loop back
    // until it finishes, or until a stop is asked for. The call owns what it touches (by value or
    // shared_ptr) and never touches the window.
    // NOLINTEND(readability-identifier-naming)
    template <typename T> WorkerCall<T> offThread(std::function<T()> call, std::string key = {}) {
        return WorkerCall<T>(*this, std::move(call), std::move(key));
    }

Q_SIGNALS:
    // The body has ended, or the job was abandoned. Emitted once.
    void finished();

private:
    void resumeAfterTurn(std::coroutine_handle<> here);
    quint64 suspendForCall(std::coroutine_handle<> here);
    // Thread-safe: posts the resumption of wait `wait` to the job's thread.
    void postResume(quint64 wait);
    void resumeWait(quint64 wait);
    void resumeBody();
    void finish();

    Mailbox mailbox_; // where workers post the job's resumption
    Steps steps_;
    Body makeBody_;
    JobBody body_;
    std::coroutine_handle<> resumePoint_; // where the body (or a part it awaits) goes on
    std::function<void()> turnHook_;
    int waitingHookMs_ = 0;
    QTimer* waitingHook_ = nullptr;
    quint64 suspension_ = 0; // which suspension a posted resumption belongs to
    bool waitingForCall_ = false;
    bool insideStep_ = false;
    bool stopRequested_ = false;
    bool abandoned_ = false;
    bool finished_ = false;
};

} // namespace zorvik
