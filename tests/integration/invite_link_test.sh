#!/usr/bin/env bash
# `lastling lastling://127.0.0.1:PORT`, as the desktop starts it for a clicked link: the window
# joins that `--serve` table under the name its settings file remembers.
# Usage: invite_link_test.sh LASTLING
set -euo pipefail
exe=$(realpath "$1")
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill -KILL "$pid" 2>/dev/null || true; done
  rm -rf "$work"
} 2>/dev/null
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  for log in serve window; do [ -s "$work/$log.log" ] && { echo "--- $log:"; tail -n 20 "$work/$log.log"; }; done
  exit 1
}

# A copy of the program keeps its settings beside it, in the test's folder.
cp "$exe" "$work/lastling"
printf '[Lastling]\nLastname=Zed\n' >"$work/korvlobby.ini"
mkdir -m 700 "$work/run"
export XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=offscreen

"$work/lastling" --serve --port 0 --no-announce >"$work/serve.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do grep -qs listening "$work/serve.log" && break; sleep 0.1; done
port=$(sed -n 's/^Lastling host listening on port //p' "$work/serve.log")
[ -n "$port" ] || fail "the table did not start"

"$work/lastling" "lastling://127.0.0.1:$port" >"$work/window.log" 2>&1 &
pids+=($!)
for _ in $(seq 300); do grep -qs "Zed logged in" "$work/serve.log" && break; sleep 0.1; done
grep -q "slot 1: Zed logged in" "$work/serve.log" || fail "the window did not join as Zed"
echo "ok"
