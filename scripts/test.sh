#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test:
# the full build, then the window-free core, the painters and zorvex-cli
# again under AddressSanitizer and UndefinedBehaviorSanitizer (without the
# program's windows), and the file readers under libFuzzer.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh test
jobs=$(nproc)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
ninja -C build -j"$jobs"
(cd build && QT_QPA_PLATFORM=offscreen ctest -j"$jobs" --output-on-failure)

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DZORVEX_UI=ON -DZORVEX_WINDOWS=OFF -DZORVEX_BENCH=OFF -DZORVEX_SANITIZE=ON >/dev/null
ninja -C build-sanitize -j"$jobs"
# The readers of diagram files and tables under libFuzzer, with the same
# sanitizers: half a minute each (needs clang), to keep the whole run short.
scripts/fuzz.sh 30
(cd build-sanitize && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest -j"$jobs" --output-on-failure)
