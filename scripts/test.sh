#!/usr/bin/env bash
# Builds the whole test suite and runs it headless. Usage: scripts/test.sh [dev|asan]
# The asan test preset turns leak detection on, with the third-party suppressions of tests/lsan.supp;
# ASAN_OPTIONS and LSAN_OPTIONS given here are applied after its own (detect_leaks=0 turns it off).
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-dev}
bash scripts/deps.sh
source scripts/build-env.sh
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
export QT_QPA_PLATFORM=offscreen
ctest --preset "$preset"
