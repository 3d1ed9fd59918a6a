#!/usr/bin/env bash
# Builds the Debian package from an already built tree, installs it, checks the installed
# desktop entry, AppStream metadata and service unit, runs the installed program, and
# removes the package again. Needs root (or sudo) for dpkg.
#   scripts/check-package.sh [BUILD_DIR]     (default: build, the tree `make test` made)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

say() { echo "check-package: $*"; }
fail() {
  say "FAILED: $*"
  exit 1
}
# dpkg's word for the package: empty or "not-installed" when it is not on the system.
package_state() { dpkg-query -W -f='${db:Status-Status}' lastling 2>/dev/null || true; }

[ -f "$build/build.ninja" ] || fail "no configured tree in $build; run 'make test' or 'make build' first"
if [ -n "$(package_state)" ] && [ "$(package_state)" != not-installed ]; then
  fail "a lastling package is already installed here; remove it first (dpkg -r lastling)"
fi

cmake --build "$build" --target package >/dev/null
deb=$(ls -t "$build"/lastling_*.deb | head -n 1)
say "built $deb"

removed=0
remove_package() {
  if [ "$removed" -eq 0 ]; then
    removed=1
    $SUDO dpkg -r lastling >/dev/null
  fi
}
trap remove_package EXIT
$SUDO dpkg -i "$deb" >/dev/null || fail "dpkg -i $deb"

# The files as installed, with the tools of the desktop and of systemd.
app_id=com.korvelsoftware.Lastling
desktop-file-validate "/usr/share/applications/$app_id.desktop"
appstreamcli validate --no-net "/usr/share/metainfo/$app_id.metainfo.xml" >/dev/null ||
  appstreamcli validate --no-net "/usr/share/metainfo/$app_id.metainfo.xml"
unit=/usr/lib/systemd/system/lastling-serve@.service
systemd-analyze verify "$unit"
systemd-analyze security --offline=true --threshold=20 "$unit" >/dev/null ||
  fail "the service unit is less confined than expected: systemd-analyze security --offline=true $unit"
for size in 48x48 64x64 128x128 256x256; do
  [ -f "/usr/share/icons/hicolor/$size/apps/$app_id.png" ] || fail "icon $size missing"
done
man -w lastling >/dev/null || fail "the manual page is not found"
say "desktop entry, metadata, unit, icons and manual page are good"

# The installed program.
version=$(/usr/bin/lastling --version) || fail "lastling --version"
[[ "$version" == "Lastling "* ]] || fail "unexpected version line: $version"
say "$version"

log=$(mktemp)
/usr/bin/lastling --serve --port 0 >"$log" 2>&1 &
host=$!
for _ in $(seq 50); do
  grep -q "listening on port" "$log" && break
  kill -0 "$host" 2>/dev/null || break
  sleep 0.1
done
grep -q "listening on port" "$log" || { cat "$log"; fail "lastling --serve did not start listening"; }
sleep 1
kill -TERM "$host"
status=0
wait "$host" || status=$?
[ "$status" -eq 0 ] || { cat "$log"; fail "lastling --serve ended with status $status after SIGTERM"; }
say "$(head -n 1 "$log"); stopped by SIGTERM with status 0"
rm -f "$log"

remove_package
trap - EXIT
if [ -n "$(package_state)" ] && [ "$(package_state)" != not-installed ]; then
  fail "dpkg still holds lastling after removal: $(package_state)"
fi
[ ! -e /usr/bin/lastling ] || fail "/usr/bin/lastling is still there after removal"
say "package installed, ran and removed cleanly"
