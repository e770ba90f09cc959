#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each for a while from a copy of its seed corpus; exits 1 if
# any target crashed or broke a property. Usage: scripts/fuzz.sh [seconds per target, default 30]
# What a run found stays in build/fuzz/runs/<target>/: log, new inputs (corpus/) and crashes (artifacts/).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}

bash scripts/deps.sh clang libclang-rt-14-dev libfuzzer-14-dev
source scripts/build-env.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target zorvik_fuzzers

# Every sanitizer finding ends the run as a crash, a leak included.
export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1
export LSAN_OPTIONS=suppressions=$PWD/fuzz/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=halt_on_error=1:abort_on_error=1:print_stacktrace=1
export QT_QPA_PLATFORM=offscreen

# target and the longest input worth trying: a size text, a folder path, the settings values at start-up,
# the settings file, a skin
targets=(fuzz_size_text:256 fuzz_normalize_path:1024 fuzz_startup_settings:4096 fuzz_settings_file:4096
         fuzz_skin:4096)

runs=build/fuzz/runs
failed=0
summary=()
for entry in "${targets[@]}"; do
  target=${entry%%:*}
  maxLen=${entry##*:}
  run=$runs/$target
  rm -rf "$run"
  mkdir -p "$run/corpus" "$run/artifacts"
  # libFuzzer adds what it finds to its first corpus folder: never the committed seeds.
  cp -R "fuzz/corpus/$target/." "$run/corpus/"
  echo "== $target: ${seconds}s"
  options=(-max_total_time="$seconds" -max_len="$maxLen" -timeout=20 -artifact_prefix="$run/artifacts/"
           -print_final_stats=1)
  [ -f "fuzz/dict/$target.dict" ] && options+=(-dict="fuzz/dict/$target.dict")
  status=0
  "build/fuzz/fuzz/$target" "$run/corpus" "${options[@]}" >"$run/log" 2>&1 || status=$?
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$run/log" | tail -1)
  crashes=$(find "$run/artifacts" -type f | wc -l)
  if [ "$status" -ne 0 ] || [ "$crashes" -gt 0 ]; then
    failed=1
    summary+=("$target: ${execs:-?} executions, CRASHED (exit $status): $(find "$run/artifacts" -type f | tr '\n' ' ')")
    grep -E 'ERROR|property broken|runtime error|SUMMARY' "$run/log" | head -20 || true
    echo "   full log: $run/log"
  else
    summary+=("$target: ${execs:-?} executions, no crash")
  fi
done

echo "== fuzz summary (${seconds}s per target)"
printf '%s\n' "${summary[@]}"
exit "$failed"
