#!/usr/bin/env bash
# Sets up, builds and starts the tool: the real one when a logger is attached,
# otherwise the demo, whose simulated logger is plugged in a second after the
# window opens. Without a display the window runs under a virtual X server and
# a screenshot of it is saved.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" --target datalogger-config datalogger-config-demo
bin=build/release/src/ui

# A logger is a hidraw node of vendor 2017, product 0003.
if cat /sys/class/hidraw/hidraw*/device/uevent 2>/dev/null | grep -qi "HID_ID=0003:00002017:00000003"; then
  program=datalogger-config
  echo "A logger is attached: starting the configuration tool ($program)."
else
  program=datalogger-config-demo
  echo "No logger attached: starting the demo ($program); its simulated logger is plugged in a second after start."
fi

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$bin/$program"
fi

mkdir -p build/screenshots
shot="$PWD/build/screenshots/$program.png"
echo "No display: running the window under Xvfb for a screenshot."
tests/ui/with_xvfb.sh bash -c '
  "$1" & tool=$!
  timeout 20 xdotool search --sync --name "Datalogger  Configuration Tool" >/dev/null || true
  sleep 3   # the demo plugs its logger after a second; the form is loaded by then
  import -window root "$2"
  kill "$tool"; wait "$tool" 2>/dev/null || true
' run "$PWD/$bin/$program" "$shot"
echo "Screenshot saved: $shot"
