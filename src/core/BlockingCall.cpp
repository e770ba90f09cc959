#include "core/BlockingCall.h"

namespace zorvik {

namespace detail {

LeftBehind& leftBehind() {
    // Never destroyed: a worker may finish a call left behind after static destructors would run.
    static auto* const registry = new LeftBehind; // NOLINT: deliberately immortal
    return *registry;
}

void LeftBehind::forget(const CallSlotBase& slot) {
    const auto found = byKey.find(slot.key);
    if (found != byKey.end() && found->second.lock().get() == &slot)
        erase(found);
}

} // namespace detail

bool anyCallLeftBehind() {
    return detail::leftBehind().keys.load(std::memory_order_acquire) > 0;
}

} // namespace zorvik
