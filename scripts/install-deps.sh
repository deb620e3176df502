#!/usr/bin/env bash
# Installs what building, running and testing Zorvex! needs on Debian 12.
# Usage: scripts/install-deps.sh [run|test]   ("run" adds what the program needs to show its
# windows, "test" clang and its runtime libraries for the libFuzzer targets)
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-svg-dev libgl1-mesa-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  pxlib-dev nlohmann-json3-dev libcli11-dev libpng-dev libgraphviz-dev
  fonts-dejavu-core fonts-freefont-ttf
  poppler-utils  # pdfinfo and pdftotext read back what the print tests write
)
if [ "${1:-}" = "run" ]; then
  packages+=(xvfb xauth)
fi
if [ "${1:-}" = "test" ]; then
  packages+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
