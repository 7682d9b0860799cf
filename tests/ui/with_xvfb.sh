#!/bin/sh
# Runs a command against a virtual X server of its own, so that window tests
# run where there is no display (the test command runs headless, as root).
set -u
dir=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$dir/display" 2>"$dir/xvfb.log" &
xvfb=$!
tries=0
while [ ! -s "$dir/display" ] && [ "$tries" -lt 100 ]; do
  sleep 0.1
  tries=$((tries + 1))
done
if [ ! -s "$dir/display" ]; then
  echo "Xvfb did not start:" >&2
  cat "$dir/xvfb.log" >&2
  kill "$xvfb" 2>/dev/null
  rm -rf "$dir"
  exit 1
fi
DISPLAY=":$(head -n 1 "$dir/display")" QT_QPA_PLATFORM=xcb "$@"
status=$?
kill "$xvfb" 2>/dev/null
wait "$xvfb" 2>/dev/null
rm -rf "$dir"
exit "$status"
