#!/usr/bin/env bash
# Windows at tables as a player meets them, under Xvfb + openbox, in a network namespace of
# their own, so the game port 7772 is free here and can be taken on purpose:
#  - a window that joins a `lastling --serve` table as seat 1 starts a game with START GAME;
#  - at a `--serve` table whose seat 1 left, the window in seat 2 starts one;
#  - twenty lines typed in five seconds in that window all reach a second client, in order;
#  - a solo start while another listener holds 7772 plays a game.
# Usage: table_windows_test.sh /path/to/lastling [screenshot folder]
set -euo pipefail
if [ "${1:-}" != --inside ]; then
  command -v unshare >/dev/null || { echo "FAIL: unshare is not installed"; exit 1; }
  exec unshare -rn bash "$0" --inside "$@"
fi
shift
ip link set lo up
exe=$(realpath "$1")
shots=${2:-}
here=$(cd "$(dirname "$0")" && pwd)
for tool in Xvfb openbox xdotool wmctrl import compare python3; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed"; exit 1; }
done

. "$here/x_session.sh"
x_session_begin "$exe"
# Its lock file lives in the shared /tmp; the server listens only on the namespace's own
# abstract socket.
x_session_display 141 190 1280x1024 -nolisten unix
sleep 1

title="Lastling by Korvel Software"
fails=0
fail() { echo "FAIL: $*"; fails=$((fails + 1)); }
ok() { echo "ok: $*"; }

# Waits up to $1 tenths of a second for a visible window named $2; prints its id.
window_named() {
  local win=""
  for _ in $(seq "$1"); do
    win=$(xdotool search --onlyvisible --name "^$2\$" 2>/dev/null | head -n 1 || true)
    [ -n "$win" ] && { echo "$win"; return 0; }
    sleep 0.1
  done
  return 1
}

# Clicks at board coordinates $2,$3 of main window $1. The board sits at the top left of the
# central area, 1 pixel in; the menu bar takes the window's height above the 531 of that area.
click_board() {
  local height
  height=$(xwininfo -id "$1" | sed -n 's/.*Height: *//p')
  xdotool mousemove --window "$1" $(( $2 + 1 )) $(( height - 531 + $3 + 1 )) click 1
}

# Presses START GAME on the board of window $1 and the start in the dialog that follows.
start_game() {
  click_board "$1" 368 347
  local dialog
  dialog=$(window_named 50 "Lastling - Game Start") || { fail "no game start dialog"; return 1; }
  sleep 0.3
  xdotool mousemove --window "$dialog" 128 89 click 1
}

# Pixels of the table area (left of the chat) that differ between two screenshots.
table_change() {
  compare -metric AE -crop 480x500+0+0 "$1" "$2" null: 2>&1 | cut -d' ' -f1 || true
}

shot() { import -window "$1" "$2"; [ -z "$shots" ] || cp "$2" "$shots/"; }

# ---- a --serve table: seat 1 starts the game; chat typed fast all arrives ----
"$work/lastling" --serve --tick-ms 200 --bot-speed 50 >"$work/serve.log" 2>&1 &
serve=$!
pids+=($serve)
for _ in $(seq 50); do grep -q listening "$work/serve.log" && break; sleep 0.1; done

"$work/lastling" Ann 127.0.0.1 false >"$work/ann.log" 2>&1 &
pids+=($!)
ann=$(window_named 150 "$title") || { echo "FAIL: no window appeared"; cat "$work/ann.log"; exit 1; }
sleep 1
PYTHONPATH=$here/../integration python3 - "$work/bob.txt" >/dev/null <<'PY' &
import socket, sys
from serve_client import END, Client
bob = Client(7772)
bob.login("Bob")
bob.sock.settimeout(90)
with open(sys.argv[1], "w") as out:
    try:
        while True:
            out.write(bob.next() + "\n")
            out.flush()
    except (OSError, SystemExit):
        pass
PY
pids+=($!)
for _ in $(seq 50); do grep -q "CMD_existingplayers+1+Ann" "$work/bob.txt" 2>/dev/null && break; sleep 0.1; done
sleep 0.5

shot "$ann" "$work/joined.png"
start_game "$ann"
for _ in $(seq 50); do grep -q "^CMD_startgame+Ann+" "$work/bob.txt" && break; sleep 0.1; done
if grep -q "^CMD_startgame+Ann+" "$work/bob.txt"; then ok "seat 1 of a --serve table starts a game"; else fail "START GAME at seat 1 started nothing"; fi
sleep 2
shot "$ann" "$work/started.png"

# Twenty lines in five seconds, typed into the chat field at the bottom right.
click_board "$ann" 614 511
for i in $(seq 1 20); do
  xdotool type --delay 5 "line $i"
  xdotool key Return
  sleep 0.2
done
shot "$ann" "$work/typed.png"
expected=$(for i in $(seq 1 20); do echo "CMD_chat+1+Ann chats: line $i|clBlack"; done)
for _ in $(seq 300); do
  [ "$(grep -c '^CMD_chat+1+' "$work/bob.txt" || true)" -ge 20 ] && break
  sleep 0.1
done
got=$(grep '^CMD_chat+1+' "$work/bob.txt" || true)
if [ "$got" = "$expected" ]; then ok "20 lines typed in 5 s arrive, in order"; else fail "chat lines: $(echo "$got" | wc -l) arrived"; echo "$got"; fi
if grep -q "dropped" "$work/serve.log"; then fail "the host dropped chat: $(grep dropped "$work/serve.log")"; fi
# Leaving a game under way asks first; "y" answers Yes.
wmctrl -c "$title"
if question=$(window_named 50 "Lastling"); then
  xdotool windowactivate --sync "$question" key y
  ok "leaving a game under way asks first"
else
  fail "leaving a game under way asked nothing"
fi
for _ in $(seq 50); do xdotool search --name "^$title\$" >/dev/null 2>&1 || break; sleep 0.1; done
kill "$serve" 2>/dev/null || true

# ---- a --serve table whose seat 1 leaves: the player left in seat 2 starts the game ----
sleep 0.5
"$work/lastling" --serve --tick-ms 200 --bot-speed 50 >"$work/serve2.log" 2>&1 &
serve=$!
pids+=($serve)
for _ in $(seq 50); do grep -q listening "$work/serve2.log" && break; sleep 0.1; done
PYTHONPATH=$here/../integration python3 - >/dev/null <<'PY' &
from serve_client import Client
sol = Client(7772)
sol.login("Sol")
sol.sock.settimeout(30)
while sol.next() != "CMD_newplayerinfo+2+Ann+0":
    pass
sol.sock.close()
PY
pids+=($!)
sleep 1
"$work/lastling" Ann 127.0.0.1 false >"$work/ann2.log" 2>&1 &
pids+=($!)
ann=$(window_named 150 "$title") || { echo "FAIL: no window appeared"; cat "$work/ann2.log"; exit 1; }
for _ in $(seq 50); do grep -q "slot 1: Sol left" "$work/serve2.log" && break; sleep 0.1; done
sleep 1
shot "$ann" "$work/seat1-left.png"
start_game "$ann" || true
for _ in $(seq 50); do grep -q "game started by Ann" "$work/serve2.log" && break; sleep 0.1; done
if grep -q "game started by Ann" "$work/serve2.log"; then ok "after seat 1 left, seat 2 starts a game"; else fail "seat 2 could not start a game after seat 1 left"; fi
wmctrl -c "$title"
if question=$(window_named 30 "Lastling"); then xdotool windowactivate --sync "$question" key y; fi
for _ in $(seq 50); do xdotool search --name "^$title\$" >/dev/null 2>&1 || break; sleep 0.1; done
kill "$serve" 2>/dev/null || true

# ---- a solo game while another program holds 7772 ----
sleep 0.5
python3 -c 'import socket,time; s=socket.socket(); s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1); s.bind(("0.0.0.0", 7772)); s.listen(); time.sleep(600)' &
pids+=($!)
sleep 0.5
"$work/lastling" >"$work/solo.log" 2>&1 &
pids+=($!)
solo=$(window_named 150 "$title") || { echo "FAIL: no solo window"; cat "$work/solo.log"; exit 1; }
start_dialog=$(window_named 50 "Download The Korvel Lobby" || true)
[ -n "$start_dialog" ] && wmctrl -c "Download The Korvel Lobby"
sleep 1
if xdotool search --onlyvisible --name "^Lastling\$" >/dev/null 2>&1; then fail "an error box came up"; fi
shot "$solo" "$work/solo-before.png"
start_game "$solo" || true
sleep 3
shot "$solo" "$work/solo-started.png"
changed=$(table_change "$work/solo-before.png" "$work/solo-started.png")
if [ "${changed:-0}" -gt 3000 ]; then ok "a solo game plays beside a taken port 7772 ($changed pixels changed)"; else fail "the solo table did not deal (${changed:-0} pixels changed)"; fi

if [ "$fails" -ne 0 ]; then echo "$fails check(s) failed"; exit 1; fi
echo "all table window checks passed"
