#!/usr/bin/env bash
# Appends chat lines to the chat view on the offscreen platform and prints the times.
set -euo pipefail
build=${1:-build}
QT_QPA_PLATFORM=offscreen "$build/bench/chat/chat_bench"
