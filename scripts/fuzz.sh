#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer included) and runs each for SECONDS (default 60),
# starting from its seed corpus in tests/fuzz/corpus/<target>/.
# New inputs go to build-fuzz/corpus/, never into the repository. An input
# that makes a reader fail is kept in build-fuzz/failures/: add it to the
# target's corpus, where tests/store/fuzz_corpus_test.cpp checks it from then on.
# Usage: scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_C_COMPILER=clang -DZORVEX_UI=OFF -DZORVEX_BENCH=OFF -DZORVEX_FUZZ=ON >/dev/null
ninja -C build-fuzz -j"$(nproc)" fuzz_diagram_json fuzz_paradox fuzz_aif_map
mkdir -p build-fuzz/failures

for target in fuzz_diagram_json fuzz_paradox fuzz_aif_map; do
  options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
           -artifact_prefix=build-fuzz/failures/)
  dict="tests/fuzz/${target#fuzz_}.dict"
  if [ -f "$dict" ]; then
    options+=(-dict="$dict")
  fi
  mkdir -p "build-fuzz/corpus/$target"
  log="build-fuzz/$target.log"
  if ! ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 "build-fuzz/tests/fuzz/$target" "${options[@]}" \
      "build-fuzz/corpus/$target" "tests/fuzz/corpus/$target" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "$target failed: the input is in build-fuzz/failures/" >&2
    exit 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  inputs=$(ls "build-fuzz/corpus/$target" "tests/fuzz/corpus/$target" | wc -l)
  echo "$target: $runs runs in ${seconds} s, no crash, no hang; corpus of $inputs inputs"
done
