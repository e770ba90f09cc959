#include "core/BlockingCall.h"

namespace zorvik {

namespace detail {

LeftBehind& leftBehind() {
    // Never destroyed: a worker may finish a call left behind after static destructors would run.
    static auto* const registry = new LeftBehind; // NOLINT: deliberately immortal
    return *registry;
}

} // namespace detail

} // namespace zorvik
