#!/usr/bin/env bash
# Runs COMMAND... on a private mDNS network: a new network and mount namespace with only
# loopback (multicast on), a D-Bus system bus of its own and an avahi-daemon on it. The
# machine's own bus and daemon are never touched. Exits 77 (skipped) where the namespace or
# the daemons are not available.
set -u
if [ "${1:-}" != "--inside" ]; then
  for tool in unshare ip dbus-daemon avahi-daemon; do
    command -v "$tool" > /dev/null || { echo "SKIP: $tool is missing"; exit 77; }
  done
  unshare --net --mount --propagation private true 2> /dev/null ||
    { echo "SKIP: cannot make a network namespace here"; exit 77; }
  exec unshare --net --mount --propagation private bash "$0" --inside "$@"
fi
shift
scratch=$(mktemp -d /tmp/lastling-mdns.XXXXXX)
# The daemon keeps its pid file and socket here; another test's daemon must not see them.
mkdir -p /run/avahi-daemon && mount -t tmpfs tmpfs /run/avahi-daemon
ip link set lo up
ip link set lo multicast on
cat > "$scratch/bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>system</type>
  <listen>unix:path=$scratch/bus</listen>
  <policy context="default">
    <allow user="*"/><allow own="*"/><allow send_destination="*"/><allow receive_sender="*"/>
  </policy>
</busconfig>
CONF
cat > "$scratch/avahi.conf" <<CONF
[server]
use-ipv4=yes
use-ipv6=no
allow-interfaces=lo
enable-dbus=yes
[publish]
publish-workstation=no
CONF
dbus-daemon --config-file="$scratch/bus.conf" --fork --print-pid > "$scratch/bus.pid"
export DBUS_SYSTEM_BUS_ADDRESS="unix:path=$scratch/bus"
avahi-daemon --no-drop-root --no-chroot --no-rlimits -f "$scratch/avahi.conf" > "$scratch/avahi.log" 2>&1 &
avahi=$!
for _ in $(seq 100); do
  grep -q "Server startup complete" "$scratch/avahi.log" && break
  sleep 0.1
done
if ! grep -q "Server startup complete" "$scratch/avahi.log"; then
  echo "SKIP: avahi-daemon did not start:"; cat "$scratch/avahi.log"
  status=77
else
  "$@"
  status=$?
fi
kill "$avahi" 2> /dev/null; wait "$avahi" 2> /dev/null
kill "$(cat "$scratch/bus.pid")" 2> /dev/null
rm -rf "$scratch"
exit $status
