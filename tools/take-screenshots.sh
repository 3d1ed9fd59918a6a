#!/usr/bin/env bash
# Takes the screenshots that the AppStream metadata shows, into data/screenshots/: the real
# program under Xvfb with openbox, a solo game under way, and the tally window. Look at them
# before committing. Needs Xvfb, openbox, xdotool and ImageMagick's import.
#   tools/take-screenshots.sh build/lastling
set -euo pipefail
exe=$(realpath "$1")
out="$(cd "$(dirname "$0")/.." && pwd)/data/screenshots"
for tool in Xvfb openbox xdotool import convert; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed" >&2; exit 1; }
done
mkdir -p "$out"
# A copy of its own keeps the program's files out of the build tree.
. "$(dirname "$0")/../tests/desktop/x_session.sh"
x_session_begin "$exe"
x_session_display 151 190 1024x768
sleep 1

window() { # waits for a window by its title
  local id=""
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) && [ -n "$id" ] && break
    sleep 0.1
  done
  [ -n "$id" ] || { echo "no window \"$1\"" >&2; exit 1; }
  echo "$id"
}
click() { # window, x, y in the window
  xdotool mousemove --window "$1" "$2" "$3" click 1
  sleep 1
}
shoot() { # window, file: the window with its frame, as small as a PNG of it gets
  import -window "$1" -frame "$work/shot.png"
  convert "$work/shot.png" -strip -define png:compression-level=9 "$out/$2"
  echo "wrote $out/$2"
}

"$work/lastling" >"$work/out.log" 2>&1 &
pids+=($!)
main=$(window "Lastling by Korvel Software")
lobby=$(window "Download The Korvel Lobby")
sleep 1
xdotool windowactivate --sync "$lobby"
click "$lobby" 584 75  # "Play Solo Game"
click "$main" 367 370  # START GAME
start=$(window "Lastling - Game Start")
click "$start" 128 98  # the dialog's START GAME
sleep 3
xdotool windowactivate --sync "$main" key alt+1
sleep 3
shoot "$main" table.png

click "$main" 106 8   # View
click "$main" 130 30  # View Tally
tally=$(window "Lastling - Tally List")
sleep 1
shoot "$tally" tally.png
