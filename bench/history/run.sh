#!/usr/bin/env bash
# Keeps 10,000 games in a fresh history and times opening its list and loading a replay.
set -euo pipefail
build=${1:-build}
QT_QPA_PLATFORM=offscreen "$build/bench/history/history_bench"
