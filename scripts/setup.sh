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
  # end-to-end test over the kernel's USB HID stack, in a virtual machine
  qemu-system-x86 busybox-static cpio
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

# The virtual machine's kernel and modules: Debian's linux-image-amd64,
# unpacked into the build tree, never installed (that would run the initramfs
# and boot-loader hooks of this machine).
kernel_dir="$(dirname "$0")/../build/e2e-kernel"
if ! ls "$kernel_dir"/boot/vmlinuz-* >/dev/null 2>&1; then
  image=$(apt-cache depends linux-image-amd64 2>/dev/null | awk '/Depends: linux-image-/ {print $2; exit}')
  download=$(mktemp -d)
  chmod 755 "$download"
  if [ -n "$image" ] && (cd "$download" && apt-get download "$image" >/dev/null 2>&1); then
    mkdir -p "$kernel_dir"
    dpkg -x "$download"/*.deb "$kernel_dir"
  else
    echo "setup: could not fetch Debian's kernel package; the end-to-end test will be skipped"
  fi
  rm -rf "$download"
fi
