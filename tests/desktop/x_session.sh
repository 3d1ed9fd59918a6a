# Sourced by the scripts that run the real window under Xvfb and openbox.
# x_session_begin [EXE]: a private work folder ($work) holding a copy of the program
# ($work/lastling, so its files stay there), per-user folders inside it, and cleanup on exit.
# x_session_display FIRST LAST SIZE [XVFB OPTION...]: an X server on the first display number in
# FIRST..LAST that nobody uses, with openbox managing it.

x_session_begin() {
  work=$(mktemp -d)
  pids=()
  trap x_session_end EXIT
  [ -z "${1:-}" ] || cp "$1" "$work/lastling"
  export TMPDIR=$work HOME=$work XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run
  # The scripts look for the English texts, whatever the desktop's language.
  export LANGUAGE=en
  mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
  export QT_QPA_PLATFORM=xcb
  unset WAYLAND_DISPLAY
}

x_session_end() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}

x_session_display() {
  local first=$1 last=$2 size=$3 n display=""
  shift 3
  for n in $(seq "$first" "$last"); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
  done
  export DISPLAY=$display
  Xvfb "$DISPLAY" -screen 0 "${size}x24" -nolisten tcp "$@" >/dev/null 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  openbox >/dev/null 2>&1 &
  pids+=($!)
  x_session_wait_for_wm || echo "openbox did not take the display $DISPLAY" >&2
}

# Windows mapped before openbox manages the screen are never framed nor activated by it. On a
# busy machine Xvfb may answer only after openbox gave up on it: then openbox starts again.
x_session_wm_up() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
x_session_wait_for_wm() {
  for _ in $(seq 300); do
    x_session_wm_up && return 0
    if ! kill -0 "${pids[-1]}" 2>/dev/null && xdpyinfo >/dev/null 2>&1; then
      openbox >/dev/null 2>&1 &
      pids+=($!)
    fi
    sleep 0.1
  done
  return 1
}
