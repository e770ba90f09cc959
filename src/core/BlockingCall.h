#pragma once

// Calls that may block for ever (a network share that stopped answering keeps a process in a system
// call until it answers), made on worker threads, so that the user-interface thread only ever waits
// for them while yielding and can walk away from them.
//
// Ownership rules:
// - A worker owns what it runs: the call's function object, everything the function captured, and
//   the slot its result goes to (shared with whoever waits). A call therefore captures by value or
//   through shared_ptr; never a reference into the caller's frame, never anything of the window: the
//   caller may be gone long before the call returns.
// - The waiter shares the slot and nothing else. When it stops waiting without taking the result (it
//   gave up, or its yield threw because the window closed), the call is left behind: the worker
//   finishes it whenever the system lets it, and the late result is destroyed on the worker, before
//   the function object, seen by nobody.
// - A call left behind keeps its key while it runs: a later call with the same key starts no worker,
//   it waits on the one left behind and takes its result. A share that never answers holds one thread
//   per stuck call, however often the user tries again.
// - A worker that makes many calls one after another (a walk's reader) can have one of them left
//   behind under a key too, while it is under way (leaveBehind): the worker hands its outcome to the
//   CallOutcome it was given, and a later call or takeOver under the same key waits for it.
// - Calls run on the program's pool of workers (WorkerThreads), which are never joined and counted
//   while they run a call, so that the program can end without running static destructors under them.
//   The registry of calls left behind is never destroyed either.
// - The registry's count of keys is written under its lock and read without it: a walk asks for
//   every folder whether any call is left behind, and mostly none is.
#include "core/WorkerThreads.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>

namespace zorvik {

namespace detail {

// What a waiter and the worker share of one call.
struct CallSlotBase {
    virtual ~CallSlotBase() = default;
    std::mutex mutex;
    std::condition_variable finishedChanged;
    bool finished = false;
    bool waitedFor = true; // false once left behind, until another waiter takes it over
    std::string key;
    // Called under `mutex` on the worker that finishes the call, while it is waited for.
    std::function<void()> wake;
};

template <typename T> struct CallSlot : CallSlotBase {
    std::optional<T> value;
    std::exception_ptr error;
};

// The calls left behind that are still running, by key. Its lock is taken before a slot's.
struct LeftBehind {
    std::mutex mutex;
    std::map<std::string, std::weak_ptr<CallSlotBase>> byKey;
    // byKey's size, for anyCallLeftBehind() to read without the lock.
    std::atomic<std::size_t> keys = 0;
    // Drops the slot's key, unless it stands for another slot now; with the lock held.
    void forget(const CallSlotBase& slot);
    // Stores the slot under `key`, with the lock held.
    void keep(const std::string& key, const std::shared_ptr<CallSlotBase>& slot) {
        byKey[key] = slot;
        recount();
    }
    void erase(std::map<std::string, std::weak_ptr<CallSlotBase>>::iterator at) {
        byKey.erase(at);
        recount();
    }
    void recount() { keys.store(byKey.size(), std::memory_order_release); }
};
LeftBehind& leftBehind();

} // namespace detail

// Whether any call left behind under a key still runs: most of the time none does, and a caller can
// spare itself making keys.
bool anyCallLeftBehind();

// The maker's side of one call: where its outcome goes.
template <typename T> class CallOutcome {
public:
    CallOutcome() = default;
    explicit CallOutcome(std::shared_ptr<detail::CallSlot<T>> slot) : slot_(std::move(slot)) {}
    explicit operator bool() const { return bool(slot_); }

    // Hands the outcome over to whoever waits for the call. Returns the value when nobody does any more
    // (the call was left behind and not taken over), for the maker to destroy where it pleases.
    std::optional<T> finish(std::optional<T> value, const std::exception_ptr& error = nullptr) const {
        std::optional<T> unclaimed;
        {
            detail::LeftBehind& left = detail::leftBehind();
            const std::lock_guard registry(left.mutex);
            const std::lock_guard lock(slot_->mutex);
            slot_->finished = true;
            if (slot_->waitedFor) {
                slot_->value = std::move(value);
                slot_->error = error;
                if (slot_->wake)
                    std::exchange(slot_->wake, nullptr)();
            } else {
                left.forget(*slot_);
                unclaimed = std::move(value);
            }
        }
        slot_->finishedChanged.notify_all();
        return unclaimed;
    }

private:
    std::shared_ptr<detail::CallSlot<T>> slot_;
};

// One call on a worker, or one left behind earlier under the same key.
template <typename T> class BlockingCall {
public:
    explicit BlockingCall(std::function<T()> call, std::string key = {}) {
        if (!key.empty() && (slot_ = adopt(key)))
            return;
        slot_ = std::make_shared<detail::CallSlot<T>>();
        slot_->key = std::move(key);
        WorkerThreads::start([outcome = CallOutcome<T>(slot_), call = std::move(call)] {
            std::optional<T> value;
            std::exception_ptr error;
            try {
                value.emplace(call());
            } catch (...) {
                error = std::current_exception();
            }
            // Unclaimed, the value goes here, while `call` and what it captured still live.
            [[maybe_unused]] const std::optional<T> unclaimed = outcome.finish(std::move(value), error);
        });
    }
    BlockingCall(BlockingCall&&) noexcept = default;
    BlockingCall& operator=(BlockingCall&&) = delete;
    BlockingCall(const BlockingCall&) = delete;
    BlockingCall& operator=(const BlockingCall&) = delete;
    // Leaves the call behind unless its result was taken.
    ~BlockingCall() {
        if (!slot_)
            return;
        detail::LeftBehind& left = detail::leftBehind();
        const std::lock_guard registry(left.mutex);
        const std::lock_guard lock(slot_->mutex);
        if (slot_->finished)
            return;
        slot_->waitedFor = false;
        slot_->wake = nullptr;
        if (!slot_->key.empty())
            left.keep(slot_->key, slot_);
    }

    // Waits for the call left behind under `key`, when one still runs.
    static std::optional<BlockingCall> takeOver(const std::string& key) {
        std::shared_ptr<detail::CallSlot<T>> slot = adopt(key);
        if (!slot)
            return std::nullopt;
        return BlockingCall(std::move(slot));
    }

    // Leaves behind under `key` a call that a worker makes without a BlockingCall (one that makes many
    // calls one after another), while it is under way: the worker hands its outcome to the CallOutcome
    // returned, and a later call or takeOver under the same key waits for it. Nothing when a call left
    // behind under `key` still runs: the key stays with that one.
    static CallOutcome<T> leaveBehind(const std::string& key) {
        detail::LeftBehind& left = detail::leftBehind();
        const std::lock_guard registry(left.mutex);
        const auto found = left.byKey.find(key);
        if (found != left.byKey.end() && !found->second.expired())
            return {};
        auto slot = std::make_shared<detail::CallSlot<T>>();
        slot->key = key;
        slot->waitedFor = false;
        left.keep(key, slot);
        return CallOutcome<T>(std::move(slot));
    }

    // Calls `wake` once the call has finished: at once when it has, otherwise on the worker that
    // finishes it, with the call's lock held (so `wake` must only post, never wait). Never after the
    // call was left behind: whoever waits can post to an object it owns.
    void whenFinished(const std::function<void()>& wake) {
        std::unique_lock lock(slot_->mutex);
        if (!slot_->finished) {
            slot_->wake = wake;
            return;
        }
        lock.unlock();
        wake();
    }

    // Waits at most `timeout`; true when the call has finished.
    bool waitFor(std::chrono::milliseconds timeout) {
        std::unique_lock lock(slot_->mutex);
        return slot_->finishedChanged.wait_for(lock, timeout, [this] { return slot_->finished; });
    }
    // Waits until the call has finished or `goOn` says no; true when it has finished. `goOn` is asked
    // with the call's lock held, when the wait begins and whenever wakeWaiter() is called.
    bool waitWhile(const std::function<bool()>& goOn) {
        std::unique_lock lock(slot_->mutex);
        slot_->finishedChanged.wait(lock, [&] { return slot_->finished || !goOn(); });
        return slot_->finished;
    }
    // From another thread: has a waitWhile() ask its `goOn` again. Whatever `goOn` reads must be set
    // before.
    void wakeWaiter() {
        { const std::lock_guard lock(slot_->mutex); }
        slot_->finishedChanged.notify_all();
    }
    // The result, once waitFor() said the call finished; rethrows what the call threw.
    T take() {
        std::shared_ptr<detail::CallSlot<T>> slot = std::move(slot_);
        const std::lock_guard lock(slot->mutex);
        if (slot->error)
            std::rethrow_exception(slot->error);
        return std::move(*slot->value);
    }

private:
    explicit BlockingCall(std::shared_ptr<detail::CallSlot<T>> slot) : slot_(std::move(slot)) {}

    static std::shared_ptr<detail::CallSlot<T>> adopt(const std::string& key) {
        detail::LeftBehind& left = detail::leftBehind();
        const std::lock_guard registry(left.mutex);
        const auto found = left.byKey.find(key);
        if (found == left.byKey.end())
            return nullptr;
        auto slot = std::dynamic_pointer_cast<detail::CallSlot<T>>(found->second.lock());
        left.erase(found);
        if (!slot)
            return nullptr;
        const std::lock_guard lock(slot->mutex);
        if (slot->finished)
            return nullptr;
        slot->waitedFor = true;
        return slot;
    }

    std::shared_ptr<detail::CallSlot<T>> slot_;
};

// Runs `call` as a BlockingCall under `key` and waits for it; while it runs, `whileWaiting` is called
// every `interval` and says whether to go on waiting. No value when it said no: the call is then left
// behind, as it is when `whileWaiting` throws. Otherwise the call's result, or what it threw.
template <typename T>
std::optional<T> waitWhileYielding(std::function<T()> call, std::string key,
                                   std::chrono::milliseconds interval,
                                   const std::function<bool()>& whileWaiting) {
    BlockingCall<T> pending(std::move(call), std::move(key));
    while (!pending.waitFor(interval))
        if (!whileWaiting())
            return std::nullopt;
    return pending.take();
}

} // namespace zorvik
