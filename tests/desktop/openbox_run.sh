#!/usr/bin/env bash
# Runs a test program on a display of its own, Xvfb with openbox managing it, on the xcb
# platform, as a player's desktop shows its windows. Its per-user folders are private too.
# Usage: openbox_run.sh PROGRAM [ARGUMENT...]
set -euo pipefail
for tool in Xvfb openbox xdpyinfo xprop; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed"; exit 1; }
done
. "$(dirname "$0")/x_session.sh"
x_session_begin
x_session_display 191 240 1280x1024
# Windows mapped before openbox manages the screen are never framed nor activated by it. On a
# busy machine Xvfb may answer only after openbox gave up on it: then openbox starts again.
wm_up() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
for _ in $(seq 300); do
  wm_up && break
  if ! kill -0 "${pids[-1]}" 2>/dev/null && xdpyinfo >/dev/null 2>&1; then
    openbox >/dev/null 2>&1 &
    pids+=($!)
  fi
  sleep 0.1
done
wm_up || { echo "FAIL: openbox did not take the display $DISPLAY"; exit 1; }
"$@"
