#!/usr/bin/env bash
# `lastling --serve --open-port` behind a real home router, all in network namespaces:
#   home (192.168.77.2) --veth-- router (192.168.77.1 | outside address) --veth-- outside
# The router runs Debian's miniupnpd on its nftables backend (its chains made here), with only
# NAT-PMP/PCP or only UPnP IGD switched on. miniupnpd takes the documentation and shared
# ranges for reserved outside addresses and forwards nothing until STUN says it is directly
# connected, so a small STUN responder answers from "outside".
#   natpmp | upnp   the host gets a mapping and says where friends can join; a raw client in
#                   "outside" joins through the router's outside address and plays a game;
#                   after SIGTERM the mapping is gone
#   shared          the router's outside address is in 100.64/10: the host says that friends
#                   outside cannot reach it, and still removes its mapping on SIGTERM
#   taken           (UPnP) a second home machine holds the port first: the host says so and
#                   leaves that mapping alone, also when it stops
#   norouter        nobody answers on the router: the host says so, and hosts all the same
#   refused         (UPnP) the router's rules allow no mapping of the port: the host says so
# With ROUTER_PROBE naming tests/integration/router_probe, the natpmp and upnp runs also renew
# a lease at once, which the program does only after half an hour.
# Usage: router_test.sh LASTLING natpmp|upnp|shared|taken|norouter|refused [window]   (root; exits 77
# where no network namespace can be made; "window": also a hosting window in the natpmp run)
set -euo pipefail
exe=$(realpath "$1")
mode=$2
with_window=${3:-} # "window": the program was built with its window
here=$(cd "$(dirname "$0")" && pwd)
case "$mode" in natpmp | upnp | shared | taken | norouter | refused) ;;
*) echo "usage: $0 LASTLING natpmp|upnp|shared|taken|norouter|refused"; exit 2 ;;
esac

fail() {
  echo "FAIL ($mode): $*"
  for log in router serve other friend stun; do
    [ -s "$work/$log.log" ] && { echo "--- $log:"; tail -n 25 "$work/$log.log"; }
  done
  exit 1
}

tag="lr$$"
home="$tag-home" home2="$tag-home2" router="$tag-router" outside="$tag-outside"
spaces=("$home" "$home2" "$router" "$outside")
work=$(mktemp -d)
cleanup() {
  for ns in "${spaces[@]}"; do
    for pid in $(ip netns pids "$ns" 2>/dev/null); do kill -KILL "$pid" 2>/dev/null || true; done
  done
  for ns in "${spaces[@]}"; do ip netns del "$ns" 2>/dev/null || true; done
  rm -rf "$work"
} 2>/dev/null
trap cleanup EXIT
trap 'exit 1' INT TERM

# Namespaces of an earlier run that was killed outright (a test timeout) are left behind;
# their names carry the pid of a shell that is gone.
for stale in $(ip netns list 2>/dev/null | grep -o '^lr[0-9]*-[a-z0-9]*' || true); do
  owner=${stale%%-*}
  [ -d "/proc/${owner#lr}" ] && continue
  for pid in $(ip netns pids "$stale" 2>/dev/null); do kill -KILL "$pid" 2>/dev/null || true; done
  ip netns del "$stale" 2>/dev/null || true
done

if ! ip netns add "$home" 2>/dev/null; then
  echo "SKIP: no network namespace can be made here (needs root and ip netns)"
  exit 77
fi
for tool in miniupnpd nft python3; do
  command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/install-deps.sh test)"
done
ip netns add "$home2"
ip netns add "$router"
ip netns add "$outside"

# Only private and documentation ranges; the shared run puts the router in 100.64/10.
inside_net=192.168.77
if [ "$mode" = shared ]; then outside_net=100.64.0; else outside_net=203.0.113; fi
router_out=$outside_net.1
friend=$outside_net.2
ip link add h0 netns "$home" type veth peer name rin netns "$router"
ip link add h0 netns "$home2" type veth peer name rin2 netns "$router"
ip link add rout netns "$router" type veth peer name o0 netns "$outside"
ip -n "$home" addr add $inside_net.2/24 dev h0
ip -n "$router" addr add $inside_net.1/24 dev rin
ip -n "$home2" addr add 192.168.78.2/24 dev h0
ip -n "$router" addr add 192.168.78.1/24 dev rin2
ip -n "$router" addr add "$router_out/24" dev rout
ip -n "$outside" addr add "$friend/24" dev o0
for pair in "$home h0" "$home2 h0" "$router rin" "$router rin2" "$router rout" "$outside o0"; do
  set -- $pair
  ip -n "$1" link set "$2" up
  ip -n "$1" link set lo up
done
ip -n "$home" route add default via $inside_net.1
ip -n "$home2" route add default via 192.168.78.1
ip netns exec "$router" sysctl -qw net.ipv4.ip_forward=1
# The outside has no route into the home network: only a forwarding gets a friend in.

# The chains miniupnpd's nftables backend fills, under its default names.
ip netns exec "$router" nft -f - <<'NFT' || fail "the router's nftables chains"
table inet filter {
    chain forward {
        type filter hook forward priority 0; policy drop;
        ct state established,related accept
        iifname { "rin", "rin2" } accept
        jump miniupnpd
    }
    chain miniupnpd {
    }
    chain prerouting {
        type nat hook prerouting priority -100; policy accept;
        jump prerouting_miniupnpd
    }
    chain postrouting {
        type nat hook postrouting priority 100; policy accept;
        jump postrouting_miniupnpd
        oifname "rout" masquerade
    }
    chain prerouting_miniupnpd {
    }
    chain postrouting_miniupnpd {
    }
}
NFT

ip netns exec "$outside" python3 "$here/stun_responder.py" "$friend" 3478 >"$work/stun.log" 2>&1 &
natpmp=yes upnp=yes
[ "$mode" = natpmp ] && upnp=no
# miniupnpd's NAT-PMP looks through every other port when its rules refuse one, which takes a
# loaded machine minutes: the refusing router speaks UPnP only.
[ "$mode" = upnp ] || [ "$mode" = taken ] || [ "$mode" = refused ] && natpmp=no
# The refusing router lets the home network map only ports nobody uses here.
allowed=1024-65535
[ "$mode" = refused ] && allowed=9000-9001
cat >"$work/miniupnpd.conf" <<CONF
ext_ifname=rout
listening_ip=rin
listening_ip=rin2
http_port=0
enable_natpmp=$natpmp
enable_upnp=$upnp
ext_perform_stun=yes
ext_stun_host=$friend
ext_stun_port=3478
secure_mode=yes
system_uptime=yes
lease_file=$work/upnp.leases
uuid=5b6a1c2e-7d3f-4e21-9a0b-3c4d5e6f7a8b
allow 1024-65535 $inside_net.0/24 $allowed
allow 1024-65535 192.168.78.0/24 1024-65535
deny 0-65535 0.0.0.0/0 0-65535
CONF
for _ in $(seq 50); do grep -qs ready "$work/stun.log" && break; sleep 0.1; done
if [ "$mode" != norouter ]; then
  ip netns exec "$router" miniupnpd -f "$work/miniupnpd.conf" -d -P "$work/miniupnpd.pid" \
    >"$work/router.log" 2>&1 &
  for _ in $(seq 150); do grep -q "Port forwarding is now enabled" "$work/router.log" && break; sleep 0.1; done
  grep -q "Port forwarding is now enabled" "$work/router.log" || fail "the router does not forward"
fi

# The hosts; nftables rules are what the router really forwards.
mapped_to() {
  local rules
  rules=$(ip netns exec "$router" nft list ruleset)
  grep -q "dnat ip to $1:7772" <<<"$rules"
}
mapped() { mapped_to $inside_net.2; }
mapped && fail "a mapping exists before the host asked"
if [ "$mode" = taken ]; then
  ip netns exec "$home2" "$exe" --serve --open-port --no-announce >"$work/other.log" 2>&1 &
  other=$!
  for _ in $(seq 200); do grep -qs "Friends can join" "$work/other.log" && break; sleep 0.1; done
  mapped_to 192.168.78.2 || fail "the other machine got no mapping"
fi
ip netns exec "$home" "$exe" --serve --open-port --no-announce --tick-ms 20 --bot-speed 5 \
  >"$work/serve.log" 2>&1 &
host=$!
case "$mode" in
shared) expected="Your internet provider shares one address among many homes; friends outside cannot reach a table hosted here. A dedicated host on a server can: see the help." ;;
taken) expected="The router already forwards port 7772 to another computer (192.168.78.2); that was left as it is, so friends outside cannot reach this table." ;;
refused) expected="The router refused to open port 7772 for this table, so friends outside this network cannot reach it. Forward TCP port 7772 to this computer in the router's settings, or see the help." ;;
norouter) expected="No router answered the request to open port 7772, so friends outside this network may not reach the table. Forward TCP port 7772 to this computer in the router's settings, or see the help." ;;
*) expected="Friends can join at $router_out:7772" ;;
esac
for _ in $(seq 200); do grep -qsF "$expected" "$work/serve.log" && break; sleep 0.1; done
grep -qF "$expected" "$work/serve.log" || fail "the host does not say: $expected"
if [ "$mode" = taken ]; then
  mapped && fail "the other machine's mapping was overwritten"
  mapped_to 192.168.78.2 || fail "the other machine's mapping is gone"
elif [ "$mode" = norouter ] || [ "$mode" = refused ]; then
  mapped && fail "a mapping although none was made"
else
  mapped || fail "the router holds no mapping to the host"
fi
if [ "$mode" = natpmp ]; then
  grep -q "NAT-PMP port mapping request : 7772->" "$work/router.log" || fail "not mapped through NAT-PMP"
elif [ "$mode" = upnp ]; then
  grep -q "AddPortMapping" "$work/router.log" || fail "not mapped through UPnP"
fi

if [ "$mode" = natpmp ] || [ "$mode" = upnp ]; then
  PYTHONPATH=$here ip netns exec "$outside" python3 "$here/router_friend.py" "$router_out" 7772 \
    >"$work/friend.log" 2>&1 || fail "the friend outside could not play"
  grep -q "game won by" "$work/serve.log" || fail "the host saw no game end"
fi
# All was well: the host's log holds no sentence about a router that failed, and one only.
if [ "$mode" = natpmp ] || [ "$mode" = upnp ]; then
  if grep -E "No router answered|refused to open|already forwards|shares one address" "$work/serve.log"; then
    fail "a warning although the mapping was made"
  fi
fi

kill -TERM "$host"
code=0
wait "$host" || code=$?
[ "$code" -eq 0 ] || fail "exit status $code after SIGTERM"
mapped && fail "the mapping is still there after SIGTERM"
if [ "$mode" = taken ]; then
  mapped_to 192.168.78.2 || fail "stopping took the other machine's mapping with it"
fi

# A window that hosts asks the router the same way, and lets go when a signal ends it. A copy
# of the program keeps its settings file in the test's folder.
if [ "$mode" = natpmp ] && [ "$with_window" = window ]; then
  cp "$exe" "$work/lastling"
  mkdir -m 700 "$work/run"
  ip netns exec "$home" env QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/run" \
    "$work/lastling" Ann 127.0.0.1 true >"$work/window.log" 2>&1 &
  window=$!
  for _ in $(seq 200); do mapped && break; sleep 0.1; done
  mapped || fail "the hosting window got no mapping: $(cat "$work/window.log")"
  kill -TERM "$window"
  code=0
  wait "$window" || code=$?
  [ "$code" -eq 0 ] || fail "the window's exit status is $code after SIGTERM"
  mapped && fail "the window's mapping is still there after SIGTERM"
fi
# A renewal keeps the mapping, under the same address, and the close after it removes it.
if [ -n "${ROUTER_PROBE:-}" ] && { [ "$mode" = natpmp ] || [ "$mode" = upnp ]; }; then
  mkfifo "$work/go"
  ip netns exec "$home" "$ROUTER_PROBE" 7790 <"$work/go" >"$work/probe.log" 2>&1 &
  probe=$!
  exec 3>"$work/go"
  for _ in $(seq 200); do grep -qs "^renewed" "$work/probe.log" && break; sleep 0.1; done
  grep -qx "renewed: Friends can join at $router_out:7790 (lease 3600 s)" "$work/probe.log" ||
    fail "the renewal: $(cat "$work/probe.log")"
  rules=$(ip netns exec "$router" nft list ruleset)
  grep -q "dnat ip to $inside_net.2:7790" <<<"$rules" || fail "no mapping after the renewal"
  echo >&3
  exec 3>&-
  wait "$probe" || fail "the probe failed: $(cat "$work/probe.log")"
  rules=$(ip netns exec "$router" nft list ruleset)
  grep -q "dnat ip to $inside_net.2:7790" <<<"$rules" && fail "the renewed mapping outlived its close"
fi
echo "ok ($mode)"
