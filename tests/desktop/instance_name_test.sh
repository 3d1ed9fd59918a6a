#!/usr/bin/env bash
# Another local user who listens first on the single-instance names in the shared temporary
# folder (the old "levrok-<login>", and the fallback folder of ours) cannot keep a player's
# game from starting, and hears nothing from it. Needs root to make the other user; skips
# (status 77) otherwise.
# Usage: instance_name_test.sh /path/to/lastling
set -euo pipefail
exe=$(realpath "$1")
if [ "$(id -u)" -ne 0 ]; then
  echo "SKIP: needs root to make a second user"
  exit 77
fi
for tool in useradd userdel runuser python3 ss; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed"; exit 1; }
done

# A temporary folder shared by every user, like /tmp, and a user who is not us.
work=$(mktemp -d)
chmod 1777 "$work"
other="lastling-t$$"
useradd --system --no-create-home --shell /usr/sbin/nologin "$other"
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  userdel "$other" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# The other user listens on every name it can guess and writes down whatever reaches it.
runuser -u "$other" -- python3 -c '
import os, select, socket, sys
work, login, uid = sys.argv[1:4]
fallback = os.path.join(work, "lastling-" + uid)
os.mkdir(fallback)
os.chmod(fallback, 0o777)
servers = []
for path in (os.path.join(work, "levrok-" + login), os.path.join(fallback, "levrok")):
    server = socket.socket(socket.AF_UNIX)
    server.bind(path)
    os.chmod(path, 0o777)
    server.listen(5)
    servers.append(server)
open(os.path.join(work, "other-ready"), "w").close()
while True:
    for server in select.select(servers, [], [])[0]:
        peer, _ = server.accept()
        peer.settimeout(1)
        try:
            heard = peer.recv(100)
        except OSError:
            heard = b""
        with open(os.path.join(work, "heard"), "ab") as log:
            log.write(b"connection: " + heard + b"\n")
        peer.close()
' "$work" "$(id -un)" "$(id -u)" &
pids+=($!)
for _ in $(seq 100); do [ -e "$work/other-ready" ] && break; sleep 0.1; done
[ -e "$work/other-ready" ] || { echo "FAIL: the other user's listener did not start"; exit 1; }

# Starts the game and waits until its solo host listens: the game did start. When given, the
# name the game must hold while it runs.
game_starts() {
  local what=$1 name=$2
  shift 2
  env "$@" TMPDIR="$work" HOME="$work/home" XDG_CONFIG_HOME="$work/config" \
    QT_QPA_PLATFORM=offscreen "$exe" >"$work/game.log" 2>&1 &
  local pid=$!
  pids+=($pid)
  # The old copy ended at once; a game whose port another test holds still runs on.
  for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    ss -ltnpH 2>/dev/null | grep -q "pid=$pid," && break
    sleep 0.1
  done
  if ! kill -0 "$pid" 2>/dev/null; then
    cat "$work/game.log"
    echo "FAIL ($what): the game ended instead of starting"
    exit 1
  fi
  if [ -n "$name" ] && [ ! -S "$name" ]; then
    echo "FAIL ($what): the game holds no single-instance name at $name"
    exit 1
  fi
  if [ -n "$name" ]; then # a second copy of the same user raises this one and ends at once
    local status=0
    timeout 20 env "$@" TMPDIR="$work" HOME="$work/home" XDG_CONFIG_HOME="$work/config" \
      QT_QPA_PLATFORM=offscreen "$exe" >/dev/null 2>&1 || status=$?
    [ "$status" -eq 0 ] || { echo "FAIL ($what): a second copy ended with $status"; exit 1; }
  fi
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  echo "ok: $what"
}

mkdir -p "$work/home" "$work/run"
chmod 700 "$work/run"
game_starts "with a private runtime folder" "$work/run/levrok" XDG_RUNTIME_DIR="$work/run"
game_starts "without a runtime folder, the fallback taken by the other user" "" -u XDG_RUNTIME_DIR
if [ -s "$work/heard" ]; then
  echo "FAIL: the other user heard from the game:"
  cat "$work/heard"
  exit 1
fi
echo "PASS"
