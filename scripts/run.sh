#!/usr/bin/env bash
# Installs what is missing, builds Zorvex! and starts it in a folder holding
# the shipped example diagram (three Paradox tables and help.txt).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh run
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
ninja -C build -j"$(nproc)" zorvex zorvex-cli

example="$PWD/build/example"
mkdir -p "$example"
build/tools/zorvex-cli import examples/bird.json "$example" --force
cp examples/help.txt "$example/help.txt"
cd "$example"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$OLDPWD/build/zorvex"
fi

echo "No display found (DISPLAY is not set), so the window cannot open here."
echo "Showing the example diagram without a window instead:"
echo
"$OLDPWD/build/tools/zorvex-cli" export .
"$OLDPWD/build/tools/zorvex-cli" render . -o "$example/example.png"
echo
echo "Picture of the diagram: $example/example.png"
echo "To see the program itself without a desktop: xvfb-run -a $OLDPWD/build/zorvex (run in $example)"
