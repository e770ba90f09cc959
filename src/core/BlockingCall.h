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
// - Calls run on the program's pool of workers (WorkerThreads), which are never joined and counted
//   while they run a call, so that the program can end without running static destructors under them.
//   The registry of calls left behind is never destroyed either.
#include "core/WorkerThreads.h"

#include <chrono>
#include <condition_variable>
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
};
LeftBehind& leftBehind();

} // namespace detail

// One call on a worker, or one left behind earlier under the same key.
template <typename T> class BlockingCall {
public:
    explicit BlockingCall(std::function<T()> call, std::string key = {}) {
        if (!key.empty() && (slot_ = adopt(key)))
            return;
        slot_ = std::make_shared<detail::CallSlot<T>>();
        slot_->key = std::move(key);
        WorkerThreads::start([slot = slot_, call = std::move(call)] {
            std::optional<T> value;
            std::exception_ptr error;
            try {
                value.emplace(call());
            } catch (...) {
                error = std::current_exception();
            }
            {
                detail::LeftBehind& left = detail::leftBehind();
                const std::lock_guard registry(left.mutex);
                const std::lock_guard lock(slot->mutex);
                slot->finished = true;
                if (slot->waitedFor) {
                    slot->value = std::move(value);
                    slot->error = error;
                    if (slot->wake)
                        std::exchange(slot->wake, nullptr)();
                } else {
                    forget(left, *slot);
                }
            }
            slot->finishedChanged.notify_all();
            // Unclaimed, `value` goes here, while `call` and what it captured still live.
        });
    }
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
            left.byKey[slot_->key] = slot_;
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
    // The result, once waitFor() said the call finished; rethrows what the call threw.
    T take() {
        std::shared_ptr<detail::CallSlot<T>> slot = std::move(slot_);
        const std::lock_guard lock(slot->mutex);
        if (slot->error)
            std::rethrow_exception(slot->error);
        return std::move(*slot->value);
    }

private:
    static std::shared_ptr<detail::CallSlot<T>> adopt(const std::string& key) {
        detail::LeftBehind& left = detail::leftBehind();
        const std::lock_guard registry(left.mutex);
        const auto found = left.byKey.find(key);
        if (found == left.byKey.end())
            return nullptr;
        auto slot = std::dynamic_pointer_cast<detail::CallSlot<T>>(found->second.lock());
        left.byKey.erase(found);
        if (!slot)
            return nullptr;
        const std::lock_guard lock(slot->mutex);
        if (slot->finished)
            return nullptr;
        slot->waitedFor = true;
        return slot;
    }
    static void forget(detail::LeftBehind& left, const detail::CallSlotBase& slot) {
        const auto found = left.byKey.find(slot.key);
        if (found != left.byKey.end() && found->second.lock().get() == &slot)
            left.byKey.erase(found);
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
