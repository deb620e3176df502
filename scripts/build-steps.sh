# Shared by scripts/test.sh and scripts/fuzz.sh (sourced, not run).

# The sanitizer build: clang with AddressSanitizer, UndefinedBehaviorSanitizer
# and libFuzzer's coverage instrumentation, serving both the sanitizer tests
# (the window-free core, the painters and zorvex-cli, without the program's
# windows) and the fuzz targets. -O1 keeps the tests quick under the
# sanitizers; line tables are all their reports need.
configure_sanitize_build() {
  cmake -S . -B "$1" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -gline-tables-only" \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DZORVEX_UI=ON -DZORVEX_WINDOWS=OFF -DZORVEX_BENCH=OFF -DZORVEX_FUZZ=ON >/dev/null
}

# Builds TARGETS in BUILD_DIR printing nothing but what the compiler says;
# a failing command is shown in full.
quiet_ninja() {
  local dir=$1
  shift
  ninja -C "$dir" --quiet -j"$(nproc)" "$@"
}

# Runs every test of BUILD_DIR, printing the summary; the output of the whole
# run (with every failing test's own output) is in BUILD_DIR/tests.log and
# shown, less the lines of passing tests, when one fails.
run_tests() {
  local log="$1/tests.log"
  if (cd "$1" && QT_QPA_PLATFORM=offscreen ctest -j"$(nproc)" --output-on-failure) >"$log" 2>&1; then
    sed -n '/tests passed/,$p' "$log"
  else
    grep -v -e ' Passed \+[0-9.]\+ sec$' -e '^ \+Start \+[0-9]\+: ' "$log"
    return 1
  fi
}
