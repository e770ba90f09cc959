#!/usr/bin/env bash
# Builds the core tests under ThreadSanitizer and runs the walk and search tests, where worker threads
# read folders ahead of the search, and those of the bounded file checks, whose worker may outlive its
# caller. Any report of a data race fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
source scripts/build-env.sh
cmake --preset tsan >/dev/null
cmake --build --preset tsan
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1"
ctest --preset tsan
