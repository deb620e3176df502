#!/usr/bin/env bash
# Builds the libFuzzer targets in build-sanitize (clang, with AddressSanitizer
# and UndefinedBehaviorSanitizer; the same build runs the sanitizer tests) and
# runs each target defined in tests/fuzz/CMakeLists.txt for SECONDS (default
# 60), as many at once as there are cores, starting from its seed corpus in
# tests/fuzz/corpus/<target>/.
# New inputs go to build-sanitize/fuzz/corpus/, never into the repository. An
# input that makes a reader fail is kept in build-sanitize/fuzz/failures/: add
# it to the target's corpus, where tests/store/fuzz_corpus_test.cpp checks it
# from then on.
# Usage: scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=build-sanitize
source scripts/build-steps.sh

configure_sanitize_build "$build"
mapfile -t targets < "$build/fuzz-targets.txt"
quiet_ninja "$build" "${targets[@]}"
out="$build/fuzz"
mkdir -p "$out/failures"

fuzz() {
  local target=$1
  local options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
                 -artifact_prefix="$out/failures/")
  local dict="tests/fuzz/${target#fuzz_}.dict"
  if [ -f "$dict" ]; then
    options+=(-dict="$dict")
  fi
  mkdir -p "$out/corpus/$target"
  local status=0
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 "$build/tests/fuzz/$target" "${options[@]}" \
    "$out/corpus/$target" "tests/fuzz/corpus/$target" >"$out/$target.log" 2>&1 || status=$?
  echo "$status" >"$out/$target.status"
}

# libFuzzer uses one core: run the targets side by side, one per core.
for target in "${targets[@]}"; do
  while [ "$(jobs -pr | wc -l)" -ge "$(nproc)" ]; do
    wait -n
  done
  fuzz "$target" &
done
wait
failed=0
for target in "${targets[@]}"; do
  if [ "$(cat "$out/$target.status")" != 0 ]; then
    tail -n 60 "$out/$target.log"
    echo "$target failed: the input is in $out/failures/" >&2
    failed=1
    continue
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$out/$target.log")
  inputs=$(ls "$out/corpus/$target" "tests/fuzz/corpus/$target" | wc -l)
  echo "$target: $runs runs in ${seconds} s, no crash, no hang; corpus of $inputs inputs"
done
exit "$failed"
