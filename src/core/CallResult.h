#pragma once

#include <exception>
#include <optional>

namespace zorvik {

// What a call on a worker came to, as the job that waited for it saw it: its value, what it threw,
// or neither when the job stopped waiting (the call was left behind).
template <typename T> struct CallResult {
    std::optional<T> value;
    std::exception_ptr error;
    bool gaveUp() const { return !value && !error; }
};

} // namespace zorvik
