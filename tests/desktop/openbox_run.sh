#!/usr/bin/env bash
# Runs a test program on a display of its own, Xvfb with openbox managing it, on the xcb
# platform, as a player's desktop shows its windows. Its per-user folders are private too.
# Usage: openbox_run.sh PROGRAM [ARGUMENT...]  (LASTLING_XVFB_SIZE gives another screen size)
set -euo pipefail
for tool in Xvfb openbox xdpyinfo xprop; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed"; exit 1; }
done
. "$(dirname "$0")/x_session.sh"
x_session_begin
x_session_display 191 240 "${LASTLING_XVFB_SIZE:-1280x1024}"
x_session_wm_up || { echo "FAIL: openbox did not take the display $DISPLAY"; exit 1; }
"$@"
