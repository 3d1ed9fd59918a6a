#!/usr/bin/env bash
# Runs every benchmark: each bench/<name>/run.sh gets the build folder and prints its figures.
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
for script in bench/*/run.sh; do
  [ -f "$script" ] || continue
  echo "== $(dirname "$script")"
  bash "$script" "$build"
done
