#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test:
# the full build (the program, every test and the benchmarks) with gcc, then
# one clang build with AddressSanitizer, UndefinedBehaviorSanitizer and
# libFuzzer's instrumentation, which runs the file readers under libFuzzer and
# the window-free core, the painters and zorvex-cli under the sanitizers
# (without the program's windows).
# The build prints only what the compilers say; the tests print their summary,
# and everything about a failing one.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/build-steps.sh

scripts/install-deps.sh test

# A new build goes without debug information (a third of the build time);
# a build folder that exists keeps what it was configured with.
options=()
if [ ! -f build/CMakeCache.txt ]; then
  options+=(-DZORVEX_DEBUG_INFO=OFF)
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}" >/dev/null
quiet_ninja build
run_tests build

# The readers of diagram files and tables under libFuzzer: half a minute each,
# to keep the whole run short.
scripts/fuzz.sh 30
quiet_ninja build-sanitize
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  run_tests build-sanitize
