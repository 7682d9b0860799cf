#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the tool need.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ pkg-config
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev
  # fuzzers (libFuzzer comes with clang)
  clang libclang-rt-dev
  # GUI and USB HID
  qt6-base-dev libhidapi-dev
  # window tests: a real X server, input, screenshots, a CJK font
  xvfb xdotool imagemagick fonts-noto-cjk
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update
  $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
