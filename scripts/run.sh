#!/usr/bin/env bash
# Builds Zorvik (release preset) and opens its window.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target zorvik
exec build/release/src/zorvik "$@"
