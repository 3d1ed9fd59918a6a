#!/usr/bin/env bash
# Draws a whole table at 200% into an image on the offscreen platform and prints the times.
set -euo pipefail
build=${1:-build}
QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=2 "$build/bench/table_draw/table_draw_bench"
