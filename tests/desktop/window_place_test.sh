#!/usr/bin/env bash
# The real program under a real window manager (Xvfb + openbox): starting and closing it again
# and again must leave its saved place alone, the title bar must stay on the screen, and a place
# the player moved the window to must be kept exactly.
# Usage: window_place_test.sh /path/to/lastling
set -euo pipefail
exe=$(realpath "$1")
for tool in Xvfb openbox xdotool wmctrl; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed"; exit 1; }
done

# The program keeps its files beside itself when that folder is writable: give it its own.
. "$(dirname "$0")/x_session.sh"
x_session_begin "$exe"
x_session_display 91 140 1280x1024
sleep 1

title="Lastling by Korvel Software"
ini=$work/korvlobby.ini

value() { tr -d '\r' <"$ini" | sed -n "s/^$1=//Ip" | head -n 1; }

# Starts the program, waits for its window, runs "$@" on the window id, then closes it
# through the window manager and waits for the program to end.
run_once() {
  "$work/lastling" >"$work/out.log" 2>&1 &
  local pid=$!
  local win=""
  for _ in $(seq 150); do
    win=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n 1 || true)
    [ -n "$win" ] && break
    sleep 0.1
  done
  [ -n "$win" ] || { echo "FAIL: no window appeared"; cat "$work/out.log"; kill "$pid"; exit 1; }
  sleep 0.5
  "$@" "$win"
  wmctrl -c "$title"
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$pid" 2>/dev/null; then echo "FAIL: the program did not end on close"; kill "$pid"; exit 1; fi
  wait "$pid" || true
}

frame_top() { # the top of the window manager's frame of window $1
  xwininfo -id "$(xdotool getwindowgeometry "$1" >/dev/null; echo "$1")" -frame 2>/dev/null |
    sed -n 's/.*Absolute upper-left Y: *//p'
}
nothing() { :; }

fails=0
check() { if [ "$1" != "$2" ]; then echo "FAIL: $3: got '$1', expected '$2'"; fails=$((fails + 1)); else echo "ok: $3"; fi; }

# 1. Five starts in a row without touching the window: the saved place stays put.
run_once nothing
first_top=$(value Top); first_left=$(value Left)
for i in 2 3 4 5; do
  run_once nothing
  check "$(value Top),$(value Left)" "${first_top:-},${first_left:-}" "start $i keeps Top,Left"
done
top_now=$(value Top)
if [ -n "$top_now" ] && [ "$top_now" -lt 0 ]; then
  echo "FAIL: title bar off the screen (Top=$top_now)"; fails=$((fails + 1))
fi

# 2. Moving the window: the new place is saved and comes back exactly at the next start.
move() { xdotool windowmove "$1" 200 150; sleep 0.7; }
run_once move
moved="$(value Top),$(value Left)"
record() { xdotool getwindowgeometry "$1" >"$work/geometry.txt"; }
run_once record
check "$(value Top),$(value Left)" "$moved" "moved place kept over a start"
run_once nothing
check "$(value Top),$(value Left)" "$moved" "moved place kept over a second start"

# 3. A saved place with the title bar above the screen: the window comes back onto the screen
# and that place is what gets saved.
sed -i 's/^Top=[-0-9]*/Top=-200/' "$ini"
run_once nothing
top_now=$(value Top)
if [ -z "$top_now" ] || [ "$top_now" -lt 0 ]; then
  echo "FAIL: a title bar above the screen stays there (Top=$top_now)"; fails=$((fails + 1))
else
  echo "ok: a title bar above the screen comes back (Top=$top_now)"
fi

# 4. SIGTERM, as a desktop session sends when logging out, ends the program as a close does:
# the moved place is saved and the exit status is 0.
before="$(value Top),$(value Left)"
"$work/lastling" >"$work/out.log" 2>&1 &
pid=$!
win=""
for _ in $(seq 150); do
  win=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n 1 || true)
  [ -n "$win" ] && break
  sleep 0.1
done
sleep 0.5
xdotool windowmove "$win" 260 180
sleep 0.7
kill -TERM "$pid"
code=0
wait "$pid" || code=$?
check "$code" "0" "exit status after SIGTERM"
if [ "$(value Top),$(value Left)" = "$before" ]; then
  echo "FAIL: the moved place was not saved on SIGTERM"; fails=$((fails + 1))
else
  echo "ok: the moved place is saved on SIGTERM"
fi

# 5. A damaged file: a place and a size far beyond the screen. The whole frame comes onto the
# screen, no larger than it, so the menu bar and the close button are in reach.
printf '[Lastling]\r\nTop=-40000\r\nLeft=99999\r\nWidth=100000\r\nHeight=535\r\n' >"$ini"
frame() { xwininfo -id "$1" >"$work/frame.txt"; }
run_once frame
field() { sed -n "s/.*$1: *//p" "$work/frame.txt" | head -n 1; }
fx=$(field "Absolute upper-left X"); fy=$(field "Absolute upper-left Y")
fw=$(field "Width"); fh=$(field "Height")
if [ "$fx" -ge 0 ] && [ "$fy" -ge 0 ] && [ $((fx + fw)) -le 1280 ] && [ $((fy + fh)) -le 1024 ]; then
  echo "ok: a damaged place and size come onto the screen (${fw}x${fh} at $fx,$fy)"
else
  echo "FAIL: a damaged place and size leave the window ${fw}x${fh} at $fx,$fy"; fails=$((fails + 1))
fi

if [ "$fails" -ne 0 ]; then echo "$fails check(s) failed"; exit 1; fi
echo "all window place checks passed"
