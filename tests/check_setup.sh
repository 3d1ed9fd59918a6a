#!/usr/bin/env bash
# A machine set up to play gets only what building and running need; the tests bring their
# own tools. Checks the two package sets, which set each make target installs, and that a
# tree configured without GoogleTest builds the game alone.
# Usage: check_setup.sh [source root]   (default: the repository this script lives in)
set -euo pipefail
root=${1:-"$(cd "$(dirname "$0")/.." && pwd)"}
cd "$root"
fails=0
fail() { echo "FAIL: $*"; fails=$((fails + 1)); }

run=$(bash scripts/install-deps.sh --list run)
test=$(bash scripts/install-deps.sh --list test)
has() { grep -qx "$2" <<<"$1"; }
for p in cmake ninja-build qt6-base-dev qt6-multimedia-dev libcurl4-openssl-dev \
  libavahi-client-dev libnatpmp-dev libminiupnpc-dev; do
  has "$run" "$p" || fail "building needs $p, but 'run' does not install it"
done
for p in xvfb weston lintian avahi-utils libgtest-dev openbox xdotool pulseaudio clang miniupnpd; do
  has "$run" "$p" && fail "'run' installs the test tool $p"
  has "$test" "$p" || fail "'test' does not install $p"
done
while read -r p; do
  has "$test" "$p" || fail "'test' leaves out $p, which 'run' installs"
done <<<"$run"

# The set each target asks for, as make would run it (-n runs nothing).
wants() { make -s -n -C "$root" BUILD=/nonexistent/lastling-setup "$1" 2>/dev/null |
  grep -o 'install-deps.sh[a-z -]*' | sort -u | tr '\n' ' '; }
for target in build run serve; do
  [ "$(wants "$target")" = "install-deps.sh run " ] || fail "make $target installs: $(wants "$target")"
done
for target in test test-asan fuzz bench package check-package; do
  [ "$(wants "$target")" = "install-deps.sh test " ] || fail "make $target installs: $(wants "$target")"
done

# Without GoogleTest the tree holds the game only; asked for, the tests come back.
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
cmake -S "$root" -B "$tree" -G Ninja -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON >/dev/null ||
  fail "a tree without GoogleTest does not configure"
grep -qx 'LASTLING_TESTS:BOOL=OFF' "$tree/CMakeCache.txt" ||
  fail "a tree without GoogleTest still builds the tests"
cmake -S "$root" -B "$tree" -DCMAKE_DISABLE_FIND_PACKAGE_GTest=OFF -DLASTLING_TESTS=ON >/dev/null ||
  fail "the tests do not join a tree made without them"
grep -qx 'LASTLING_TESTS:BOOL=ON' "$tree/CMakeCache.txt" || fail "LASTLING_TESTS=ON is not kept"

if [ "$fails" -ne 0 ]; then echo "$fails check(s) failed"; exit 1; fi
echo "set-up checks passed"
