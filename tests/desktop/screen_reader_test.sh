#!/usr/bin/env bash
# A whole solo game through the accessibility bus alone: Xvfb with openbox, a private D-Bus
# session, the AT-SPI bus, and a pyatspi client that presses what a screen reader user would.
# Usage: screen_reader_test.sh /path/to/quick_table /path/to/screen_reader_game.py
set -euo pipefail
exe=$(realpath "$1")
driver=$(realpath "$2")
launcher=/usr/libexec/at-spi-bus-launcher
python=/usr/bin/python3 # pyatspi comes with the system's Python
skip() { echo "SKIP: $1"; exit 77; }
for tool in Xvfb openbox dbus-run-session xdpyinfo; do
  command -v "$tool" >/dev/null || skip "$tool is not installed"
done
[ -x "$launcher" ] || skip "at-spi-bus-launcher is not installed (at-spi2-core)"
"$python" -c 'import pyatspi' 2>/dev/null || skip "pyatspi is not installed (python3-pyatspi)"

if [ -z "${SCREEN_READER_INSIDE:-}" ]; then
  work=$(mktemp -d)
  export SCREEN_READER_INSIDE=1 WORK=$work
  export HOME=$work XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run TMPDIR=$work
  export LANGUAGE=en # the English texts, whatever the desktop's language
  mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
  status=0
  dbus-run-session -- bash "$0" "$exe" "$driver" || status=$?
  rm -rf "$work"
  exit "$status"
fi

pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
}
trap cleanup EXIT

for n in $(seq 141 190); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
done
export DISPLAY=$display QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY
Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
"$launcher" --launch-immediately >/dev/null 2>&1 &
pids+=($!)
openbox >/dev/null 2>&1 &
pids+=($!)
# Programs ask the session bus whether a screen reader runs; this says one does.
for _ in $(seq 50); do
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
    org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled \
    variant:boolean:true >/dev/null 2>&1 && break
  sleep 0.1
done
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

"$exe" "$WORK/korvlobby.ini" >"$WORK/program.log" 2>&1 &
program=$!
pids+=($program)
status=0
timeout 150 "$python" "$driver" || status=$?
if [ "$status" -eq 0 ]; then
  for _ in $(seq 100); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$program" 2>/dev/null; then
    echo "FAIL: the program did not end after File > Exit"; status=1
  else
    wait "$program" || { echo "FAIL: the program ended with status $?"; status=1; }
  fi
fi
[ "$status" -eq 0 ] || { echo "--- program output"; cat "$WORK/program.log"; }
exit "$status"
