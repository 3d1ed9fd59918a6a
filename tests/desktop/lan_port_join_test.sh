#!/usr/bin/env bash
# A table on another port, found and joined as a player does it, under Xvfb + openbox on a
# private mDNS network with a real avahi-daemon (run through tests/net/private_mdns.sh, which
# exits 77 where that network cannot be made):
#  - `lastling --serve --port 7780 --name "Port Table"` announces itself;
#  - a window opened without parameters goes to File > Join a Table..., finds "Port Table" at
#    127.0.0.1:7780 in the list and joins it with a double-click on its row;
#  - the new window sits at that table: a player already there sees it log in.
# Usage: lan_port_join_test.sh /path/to/lastling [screenshot folder]
set -euo pipefail
exe=$(realpath "$1")
shots=${2:-}
here=$(cd "$(dirname "$0")" && pwd)
for tool in Xvfb openbox xdotool wmctrl xwininfo import convert python3; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed"; exit 1; }
done
[ -n "${DBUS_SYSTEM_BUS_ADDRESS:-}" ] || { echo "FAIL: run me through private_mdns.sh"; exit 1; }

. "$here/x_session.sh"
x_session_begin "$exe"
# The lock file lives in the shared /tmp; the server listens only on the namespace's own
# abstract socket.
x_session_display 191 240 1280x1024 -nolisten unix
sleep 1

title="Lastling by Korvel Software"
shot() { import -window "$1" "$2"; [ -z "$shots" ] || cp "$2" "$shots/"; }
give_up() {
  echo "FAIL: $*"
  for log in serve ann bob; do
    [ -f "$work/$log.log" ] && { echo "--- $log:"; tail -n 20 "$work/$log.log"; }
  done
  exit 1
}

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

"$work/lastling" --serve --port 7780 --name "Port Table" >"$work/serve.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do grep -q listening "$work/serve.log" && break; sleep 0.1; done
grep -q listening "$work/serve.log" || give_up "the table did not start"

# Bob sits at the table first and writes down everything the host tells him.
PYTHONPATH=$here/../integration python3 - "$work/bob.log" <<'PY' &
import sys
from serve_client import Client
bob = Client(7780)
bob.login("Bob")
bob.sock.settimeout(120)
with open(sys.argv[1], "w") as out:
    try:
        while True:
            out.write(bob.next() + "\n")
            out.flush()
    except (OSError, SystemExit):
        pass
PY
pids+=($!)

"$work/lastling" >"$work/ann.log" 2>&1 &
pids+=($!)
solo=$(window_named 150 "$title") || give_up "no window appeared"
start_dialog=$(window_named 50 "Download The Korvel Lobby" || true)
[ -n "$start_dialog" ] && wmctrl -c "Download The Korvel Lobby"
sleep 0.5
xdotool windowactivate --sync "$solo" >/dev/null 2>&1 || true
xdotool key --window "$solo" alt+f
sleep 0.3
xdotool key j
dialog=$(window_named 50 "Lastling - Join a Table") || give_up "File > Join a Table... opened no dialog"
xdotool windowactivate --sync "$dialog" >/dev/null 2>&1 || true
sleep 0.3
# The name field has the focus while it is empty.
xdotool type --delay 20 "Ann"

# The centre of the list's first row, once there is one: the first band of dark text on the
# list's white, left of the fields (the labels and the header sit on the dialog's grey).
first_row() {
  convert "$1" -depth 8 ppm:- | python3 -c '
import sys
data = sys.stdin.buffer.read()
fields = data.split(maxsplit=4)
width, height = int(fields[1]), int(fields[2])
pixels = fields[4]
def grey(x, y):
    at = 3 * (y * width + x)
    return sum(pixels[at:at + 3]) // 3
band = []
xs = range(12, min(60, width))
for y in range(height):
    white = sum(1 for x in xs if grey(x, y) >= 250)
    dark = any(grey(x, y) < 110 for x in xs)
    if dark and white * 2 > len(xs):
        band.append(y)
    elif band and y - band[-1] > 3:  # the gaps inside one line of text are smaller
        break
if band:
    print(30, (band[0] + band[-1]) // 2)
'
}

row=""
for _ in $(seq 60); do
  import -window "$dialog" "$work/join-dialog.png"
  row=$(first_row "$work/join-dialog.png")
  [ -n "$row" ] && break
  sleep 0.5
done
[ -z "$shots" ] || cp "$work/join-dialog.png" "$shots/"
[ -n "$row" ] || give_up "the table on port 7780 never showed in the list"
read -r row_x row_y <<<"$row"
echo "ok: the table is listed (its row at $row_x,$row_y of the dialog)"
xdotool mousemove --window "$dialog" "$row_x" "$row_y" click --repeat 2 --delay 80 1

# The run ends and a new copy of the program joins the table it was given.
for _ in $(seq 150); do grep -q "^CMD_newplayerinfo+[2-9]+Ann+0" "$work/bob.log" && break; sleep 0.1; done
grep -q "^CMD_newplayerinfo+[2-9]+Ann+0" "$work/bob.log" ||
  give_up "the double-click did not seat Ann at the table on port 7780"
echo "ok: a double-click on the row seated Ann at the table on port 7780 ($(grep "^CMD_newplayerinfo+[2-9]+Ann" "$work/bob.log"))"
joined=$(window_named 150 "$title") || give_up "no window after joining"
copy=$(pgrep -f "^$work/lastling Ann 127.0.0.1:7780 false\$" || true)
if [ -n "$copy" ]; then
  pids+=($copy) # started by the first window, not by this script: ended with the others
  echo "ok: the new window was started as: lastling Ann 127.0.0.1:7780 false"
else
  give_up "the new window was not started with the row's address and port: $(pgrep -af 'lastling Ann' || true)"
fi
sleep 2
shot "$joined" "$work/joined.png"
if xdotool search --onlyvisible --name "^Lastling\$" >/dev/null 2>&1; then
  give_up "an error box came up after joining"
fi
grep -q "Ann" "$work/bob.log" && ! grep -q "^CMD_playerdisconnected+[2-9]+Ann" "$work/bob.log" ||
  give_up "Ann left the table again"
echo "all port join checks passed"
