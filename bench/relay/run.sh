#!/usr/bin/env bash
# Relay latency and throughput of `lastling --serve` with nine clients on loopback, beside a
# plain echo in the same run, and the idle host's voluntary context switches.
set -euo pipefail
build=${1:-build}
bench="$build/bench/relay/relay_bench"
[ -x "$bench" ] && [ -x "$build/lastling" ] || cmake --build "$build" --target relay_bench lastling >/dev/null
"$bench" "$build/lastling"
