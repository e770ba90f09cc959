#!/usr/bin/env bash
# Builds the whole test suite and runs it headless. Usage: scripts/test.sh [dev|asan]
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-dev}
bash scripts/deps.sh
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
export QT_QPA_PLATFORM=offscreen
ctest --preset "$preset"
