#!/usr/bin/env bash
# The program on native Wayland, under weston's headless backend: the main window shows and
# the start dialog is its child, so the compositor keeps it above; the program ends with
# status 0 on SIGTERM, on SIGINT and when its window is closed (File > Exit, pressed through
# the accessibility bus, as no input device exists here).
# Usage: wayland_test.sh /path/to/lastling
set -euo pipefail
exe=$(realpath "$1")
skip() { echo "SKIP: $1"; exit 77; }
command -v weston >/dev/null || skip "weston is not installed"
command -v dbus-run-session >/dev/null || skip "dbus-run-session is not installed"
plugins=$(dirname "$(find /usr/lib -path '*qt6/plugins/platforms/libqxcb.so' 2>/dev/null | head -n 1)")
[ -e "$plugins/libqwayland-generic.so" ] || skip "qt6-wayland is not installed"

if [ -z "${WAYLAND_TEST_INSIDE:-}" ]; then
  work=$(mktemp -d)
  export WAYLAND_TEST_INSIDE=1 WORK=$work
  export HOME=$work XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run TMPDIR=$work
  export LANGUAGE=en # the English texts, whatever the desktop's language
  mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
  status=0
  dbus-run-session -- bash "$0" "$exe" || status=$?
  rm -rf "$work"
  exit "$status"
fi

pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
}
trap cleanup EXIT

# The program keeps its files beside itself when that folder is writable: give it its own.
cp "$exe" "$WORK/lastling"
weston --backend=headless-backend.so --socket=lastling-wayland --idle-time=0 \
  --width=1280 --height=1024 >"$WORK/weston.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/lastling-wayland" ] && break; sleep 0.1; done
[ -S "$XDG_RUNTIME_DIR/lastling-wayland" ] || { echo "FAIL: weston did not start"; cat "$WORK/weston.log"; exit 1; }
export WAYLAND_DISPLAY=lastling-wayland QT_QPA_PLATFORM=wayland
unset DISPLAY

fails=0
check() { if [ "$1" != "$2" ]; then echo "FAIL: $3: got '$1', expected '$2'"; fails=$((fails + 1)); else echo "ok: $3"; fi; }

# Starts the program with the client's protocol trace and waits until both windows are up.
start_program() {
  WAYLAND_DEBUG=client "$WORK/lastling" >"$WORK/out.log" 2>"$WORK/trace.log" &
  program=$!
  for _ in $(seq 150); do
    grep -q 'set_title("Download The Korvel Lobby")' "$WORK/trace.log" 2>/dev/null && break
    sleep 0.1
  done
  sleep 1
}

# Ends the program with "$@"; its exit status goes to $code.
end_program() {
  "$@"
  code=0
  for _ in $(seq 100); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$program" 2>/dev/null; then kill -9 "$program"; echo "FAIL: still running"; fi
  wait "$program" || code=$?
}

toplevel_of() { # the xdg_toplevel that took the title $1
  sed -n "s/.*-> xdg_toplevel@\([0-9]*\)\.set_title(\"$1\").*/\1/p" "$WORK/trace.log" | head -n 1
}

# Wayland never tells a program where its window is: the saved place must survive a run.
printf '[Lastling]\r\nLeft=123\r\nTop=45\r\nWidth=900\r\nHeight=600\r\n' >"$WORK/korvlobby.ini"
value() { tr -d '\r' <"$WORK/korvlobby.ini" | sed -n "s/^$1=//Ip" | head -n 1; }

start_program
main=$(toplevel_of "Lastling by Korvel Software")
dialog=$(toplevel_of "Download The Korvel Lobby")
[ -n "$main" ] || { echo "FAIL: no main window"; cat "$WORK/out.log"; exit 1; }
[ -n "$dialog" ] || { echo "FAIL: no start dialog"; cat "$WORK/out.log"; exit 1; }
parent=$(sed -n "s/.*-> xdg_toplevel@$dialog\.set_parent(xdg_toplevel@\([0-9]*\)).*/\1/p" "$WORK/trace.log" | head -n 1)
check "$parent" "$main" "the start dialog is the main window's child"
grep -q "xdg_surface@[0-9]*\.ack_configure" "$WORK/trace.log" && echo "ok: windows configured" ||
  { echo "FAIL: no window was configured"; fails=$((fails + 1)); }
end_program kill -TERM "$program"
check "$code" "0" "exit status after SIGTERM"
check "$(value Left),$(value Top)" "123,45" "the saved place is kept"

start_program
end_program kill -INT "$program"
check "$code" "0" "exit status after SIGINT"

if [ -x /usr/libexec/at-spi-bus-launcher ] && /usr/bin/python3 -c 'import pyatspi' 2>/dev/null; then
  /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
  pids+=($!)
  sleep 0.5
  export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
  start_program
  press_exit() {
    timeout 60 /usr/bin/python3 - <<'PY' || echo "FAIL: File > Exit could not be pressed"
import time, pyatspi
def walk(node, depth=0):
    if node is None or depth > 30:
        return
    yield node
    for i in range(node.childCount):
        yield from walk(node.getChildAtIndex(i), depth + 1)
end = time.monotonic() + 30
while time.monotonic() < end:
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "Lastling":
            for node in walk(app):
                if node.getRole() == pyatspi.ROLE_MENU_ITEM and node.name == "Exit":
                    action = node.queryAction()
                    for i in range(action.nActions):
                        if action.getName(i) == "Press":
                            action.doAction(i)
                            raise SystemExit(0)
    time.sleep(0.2)
raise SystemExit(1)
PY
  }
  end_program press_exit
  check "$code" "0" "exit status after closing the window"
else
  echo "note: pyatspi missing, closing the window is not checked"
fi

if [ "$fails" -ne 0 ]; then echo "--- program output"; cat "$WORK/out.log"; echo "$fails check(s) failed"; exit 1; fi
echo "all Wayland checks passed"
