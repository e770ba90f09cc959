#!/usr/bin/env bash
# Builds the tests under ThreadSanitizer and runs every test that starts a worker thread: the calls
# made on workers, the bounded file checks, the walks, and every search (each opens its listed folders
# on a worker), through the window too. Any report of a data race fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
source scripts/build-env.sh
cmake --preset tsan >/dev/null
cmake --build --preset tsan
# Qt is not built with ThreadSanitizer: what its own threads (the raster engine's pool, when the window
# paints) do through its uninstrumented atomics would read as races. Our code, and Qt's inline code
# compiled into it, is still checked: so a worker hands a call to the window's thread through a
# Mailbox (src/core/Mailbox.h), whose mutex the sanitizer sees, not through a posted functor.
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 ignore_noninstrumented_modules=1"
export QT_QPA_PLATFORM=offscreen
ctest --preset tsan
