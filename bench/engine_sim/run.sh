#!/usr/bin/env bash
# Engine simulator: games per second and the win share of each computer player.
# Targets: at least 20,000 games/s on one core; Smart wins at least 50% against three Classic.
set -euo pipefail
build=${1:-build}
sim="$build/bench/engine_sim/engine_sim"
if [ ! -x "$sim" ]; then
  cmake --build "$build" --target engine_sim >/dev/null
fi
echo "-- four Classic seats (speed)"
"$sim" --games 20000 --seats CCCC --seed 1
echo "-- one Smart against three Classic"
"$sim" --games 20000 --seats SCCC --seed 2
echo "-- two Smart against two Classic"
"$sim" --games 20000 --seats SSCC --seed 3
echo "-- four Smart (speed with the stronger player)"
"$sim" --games 20000 --seats SSSS --seed 4
