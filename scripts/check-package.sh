#!/usr/bin/env bash
# Builds the Debian package, checks it with lintian, installs it, checks the installed desktop
# entry, AppStream metadata, service unit and program, enables an instance of the service,
# purges the package and looks for anything left behind; then builds the package a second
# time in another tree and compares the bytes. Needs root (or sudo) for dpkg.
#   scripts/check-package.sh
set -euo pipefail
cd "$(dirname "$0")/.."
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

say() { echo "check-package: $*"; }
fail() {
  say "FAILED: $*"
  exit 1
}
# dpkg's word for the package: empty or "not-installed" when it is not on the system.
package_state() { dpkg-query -W -f='${db:Status-Status}' lastling 2>/dev/null || true; }
# What a package of ours could leave behind: paths that name it, and links that point nowhere.
traces() {
  find /etc /usr /var/lib/systemd -xdev \( -iname '*lastling*' -o -xtype l \) 2>/dev/null | sort
}

if [ -n "$(package_state)" ] && [ "$(package_state)" != not-installed ]; then
  fail "a lastling package is already installed here; purge it first (dpkg --purge lastling)"
fi

deb=$(bash scripts/build-package.sh build-package)
say "built $deb"

# Lintian: errors and warnings fail, the informational tags are shown.
lintian --info --display-info --fail-on error,warning "$deb" ||
  fail "lintian reports errors or warnings"
say "lintian: no errors or warnings"

before=$(mktemp)
traces >"$before"
installed=0
purge_package() {
  if [ "$installed" -eq 1 ]; then
    installed=0
    $SUDO dpkg --purge lastling >/dev/null
  fi
}
trap purge_package EXIT
installed=1
$SUDO dpkg -i "$deb" >/dev/null || fail "dpkg -i $deb"

# The files as installed, with the tools of the desktop and of systemd.
app_id=com.korvelsoftware.Lastling
desktop-file-validate "/usr/share/applications/$app_id.desktop"
appstreamcli validate --no-net "/usr/share/metainfo/$app_id.metainfo.xml" >/dev/null ||
  appstreamcli validate --no-net "/usr/share/metainfo/$app_id.metainfo.xml"
for size in 16x16 22x22 24x24 32x32 48x48 64x64 128x128 256x256; do
  [ -f "/usr/share/icons/hicolor/$size/apps/$app_id.png" ] || fail "icon $size missing"
done
man -w lastling >/dev/null || fail "the manual page is not found"
for doc in copyright changelog.gz; do
  [ -f "/usr/share/doc/lastling/$doc" ] || fail "/usr/share/doc/lastling/$doc missing"
done
unit=/usr/lib/systemd/system/lastling-serve@.service
[ -f "$unit" ] || unit=/lib/systemd/system/lastling-serve@.service
grep -q '^ExecStart=/usr/games/lastling ' "$unit" || fail "the unit does not start /usr/games/lastling"
if command -v systemd-analyze >/dev/null; then
  # verify only warns about a line it cannot read; any word about our unit fails the check.
  verify=$(systemd-analyze verify "$unit" 2>&1) || { echo "$verify"; fail "systemd-analyze verify $unit"; }
  if grep -F "lastling-serve@" <<<"$verify"; then
    fail "systemd-analyze verify has something to say about $unit"
  fi
  systemd-analyze security --offline=true --threshold=20 "$unit" >/dev/null ||
    fail "the service unit is less confined than expected: systemd-analyze security --offline=true $unit"
  say "systemd-analyze: the unit verifies and is confined"
else
  say "systemd-analyze is not installed: the unit is not analysed"
fi
say "desktop entry, metadata, unit, icons, manual page and documents are good"

# The installed program.
program=/usr/games/lastling
version=$("$program" --version) || fail "lastling --version"
[[ "$version" == "Lastling "* ]] || fail "unexpected version line: $version"
say "$version"
status=0
"$program" --bogus >/dev/null 2>&1 || status=$?
[ "$status" -eq 2 ] || fail "lastling --bogus ended with status $status, not 2"

log=$(mktemp)
"$program" --serve --port 0 >"$log" 2>&1 &
host=$!
for _ in $(seq 50); do
  grep -q "listening on port" "$log" && break
  kill -0 "$host" 2>/dev/null || break
  sleep 0.1
done
grep -q "listening on port" "$log" || { cat "$log"; fail "lastling --serve did not start listening"; }
kill -TERM "$host"
status=0
wait "$host" || status=$?
[ "$status" -eq 0 ] || { cat "$log"; fail "lastling --serve ended with status $status after SIGTERM"; }
say "$(head -n 1 "$log"); stopped by SIGTERM with status 0"
rm -f "$log"

# An instance enabled by hand, as the manual page says, must not outlive a purge.
if command -v systemctl >/dev/null; then
  $SUDO systemctl enable lastling-serve@7772.service >/dev/null 2>&1 ||
    fail "systemctl enable lastling-serve@7772.service"
  link=/etc/systemd/system/multi-user.target.wants/lastling-serve@7772.service
  [ -L "$link" ] || fail "enabling the instance made no link $link"
  say "enabled lastling-serve@7772.service"
fi

purge_package
trap - EXIT
if [ -n "$(package_state)" ] && [ "$(package_state)" != not-installed ]; then
  fail "dpkg still holds lastling after the purge: $(package_state)"
fi
after=$(mktemp)
traces >"$after"
left=$(comm -13 "$before" "$after")
rm -f "$before" "$after"
[ -z "$left" ] || fail "left behind after the purge: $left"
say "package installed, ran, enabled and purged without leftovers"

# The same sources give the same bytes.
again=$(bash scripts/build-package.sh build-package-again)
cmp "$deb" "$again" || {
  diff <(dpkg-deb -c "$deb") <(dpkg-deb -c "$again") || true
  fail "two builds of the package differ: $deb $again"
}
say "two builds give identical packages"
