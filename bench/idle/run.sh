#!/usr/bin/env bash
# Idle wake-ups of the window program: with the window up and no game running, count the
# voluntary context switches of all its threads over 10 seconds. An idle program that polls
# shows hundreds; one that waits on events shows next to none.
# Usage: bench/idle/run.sh BUILD_DIR
set -euo pipefail
build=${1:?usage: $0 BUILD_DIR}
program=$(cd "$build" && pwd)/lastling
seconds=${IDLE_SECONDS:-10}
[ -x "$program" ] || { echo "idle: $program not built" >&2; exit 1; }

work=$(mktemp -d)
cleanup() {
  [ -n "${app:-}" ] && kill "$app" 2>/dev/null || true
  [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A copy beside its own settings file, so the run never touches the user's settings.
cp "$program" "$work/lastling"
platform=offscreen
if command -v Xvfb >/dev/null 2>&1; then
  display=:$((200 + RANDOM % 500))
  Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
  xvfb=$!
  sleep 1
  if kill -0 "$xvfb" 2>/dev/null; then platform=xcb; export DISPLAY=$display; fi
fi
# Its own instance name: a copy already running elsewhere must not make this one back off.
export XDG_RUNTIME_DIR="$work"
QT_QPA_PLATFORM=$platform TMPDIR="$work" "$work/lastling" >"$work/out.log" 2>&1 &
app=$!
sleep 3 # start-up, connect and log in to the in-process host
kill -0 "$app" 2>/dev/null || { echo "idle: the program ended early" >&2; cat "$work/out.log" >&2; exit 1; }

switches() {
  local total=0 n
  for status in /proc/"$app"/task/*/status; do
    n=$(awk '/^voluntary_ctxt_switches/ {print $2}' "$status" 2>/dev/null || echo 0)
    total=$((total + ${n:-0}))
  done
  echo "$total"
}
measure() {
  local before after woken
  before=$(switches)
  sleep "$seconds"
  after=$(switches)
  woken=$((after - before))
  echo "$1 ($platform, $(ls /proc/"$app"/task | wc -l) threads): $woken voluntary context switches" \
       "in ${seconds} s ($(awk -v w="$woken" -v s="$seconds" 'BEGIN {printf "%.1f", w / s}') per second)"
}
measure "idle window"

# With the chat field focused the text cursor blinks for a while after the last input.
if [ "$platform" = xcb ] && command -v xdotool >/dev/null 2>&1; then
  window=$(xdotool search --sync --name "Lastling by" | head -1)
  xdotool windowfocus "$window" 2>/dev/null || true
  xdotool mousemove --window "$window" 600 536 click 1 type "hello"
  sleep 12
  measure "idle window, chat field focused, 12 s after typing"
fi
